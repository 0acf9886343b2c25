// Which sound an alert plays: the event key of the user's sound scheme and the choice
// between that file, the built-in sound and silence. Platform-free.
#pragma once
#include <string_view>

enum class AlertSoundSource { kNone, kSchemeFile, kBuiltIn };

// HKCU key whose default value names the wave file of the event; indices outside 0..5 are 0.
const char* AlertSoundKey(int index);
// Sound option 0 or below plays nothing; an empty scheme file plays the built-in sound.
AlertSoundSource AlertSoundChoice(int soundOption, std::string_view schemeFile);
