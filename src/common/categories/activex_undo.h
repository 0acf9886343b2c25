// Taking back a kill bit: the control's compatibility entry is kept as it was before the bit
// was set, and put back whole.
#pragma once

bool ActiveXUndoRecord(const char* clsid);
// The history line of a kill bit that was set.
void ActiveXKilledLine(const char* clsid);
