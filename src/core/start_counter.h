// The explorer's start counter: each start prunes one first-detected category, so that a
// full turn over the four categories takes four starts. Platform-free.
#pragma once

inline constexpr int kStartCounterTurn = 4;

// The counter after this start: one more, back to 0 after 3. A stored value outside 0..3
// starts the turn again at 0.
int NextStartCounter(int stored);
// The first-detected category the counter picks: Tasks, ActiveTasks, Services, Hidden.
const char* PruneCategoryFor(int counter);
