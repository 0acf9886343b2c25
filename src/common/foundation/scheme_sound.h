// Sounds of the user's sound scheme (AppEvents\Schemes\Apps\Korvane\<event>), with the
// built-in wave when the scheme names no file for the event.
#pragma once

// Event indices of the scheme, in the order of its keys.
enum SchemeSoundIndex {
  kSchemeSoundOpen = 0, kSchemeSoundStartup, kSchemeSoundCookie, kSchemeSoundTask,
  kSchemeSoundIEHelper, kSchemeSoundFileType,
};

// Plays the event's sound unless soundOption is 0 or below; wait returns only when it ended.
void SchemeSoundPlay(int index, int soundOption, bool wait);
