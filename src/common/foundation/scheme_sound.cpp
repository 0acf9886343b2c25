#include "scheme_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "alert_sound_text.h"
#include "resource.h"
#include "settings.h"

namespace {

constexpr DWORD kExpandedSize = 1024;

void SchemeSoundFile(int index, char* file, DWORD capacity) {
  char stored[kExpandedSize];
  file[0] = '\0';
  if (SettingsReadString(HKEY_CURRENT_USER, AlertSoundKey(index), "", stored, sizeof stored) == 0)
    return;
  const DWORD needed = ExpandEnvironmentStringsA(stored, file, capacity);
  if (needed == 0 || needed > capacity) file[0] = '\0';
}

}  // namespace

void SchemeSoundPlay(int index, int soundOption, bool wait) {
  char file[kExpandedSize];
  SchemeSoundFile(index, file, sizeof file);
  const DWORD timing = wait ? SND_SYNC : SND_ASYNC;
  switch (AlertSoundChoice(soundOption, file)) {
    case AlertSoundSource::kSchemeFile:
      PlaySoundA(file, nullptr, SND_FILENAME | SND_NODEFAULT | timing);
      break;
    case AlertSoundSource::kBuiltIn:
      PlaySoundA(MAKEINTRESOURCEA(IDR_ALERT_WAVE), GetModuleHandleA(nullptr),
                 SND_RESOURCE | timing);
      break;
    case AlertSoundSource::kNone:
      break;
  }
}
