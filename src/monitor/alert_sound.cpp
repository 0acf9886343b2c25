#include <windows.h>
#include <mmsystem.h>

#include "alert_sound_text.h"
#include "alerts.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "monitor.h"
#include "resource.h"

namespace {

constexpr DWORD kExpandedSize = 1024;

void AlertSchemeFile(int index, char* file, DWORD capacity) {
  char stored[kExpandedSize];
  file[0] = '\0';
  if (SettingsReadString(HKEY_CURRENT_USER, AlertSoundKey(index), "", stored, sizeof stored) == 0)
    return;
  const DWORD needed = ExpandEnvironmentStringsA(stored, file, capacity);
  if (needed == 0 || needed > capacity) file[0] = '\0';
}

}  // namespace

void AlertSound(int index) {
  char file[kExpandedSize];
  AlertSchemeFile(index, file, sizeof file);
  switch (AlertSoundChoice(g_options.value[kOptSound], file)) {
    case AlertSoundSource::kSchemeFile:
      PlaySoundA(file, nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
      break;
    case AlertSoundSource::kBuiltIn:
      PlaySoundA(MAKEINTRESOURCEA(IDR_ALERT_WAVE), GetModuleHandleA(nullptr),
                 SND_RESOURCE | SND_SYNC);
      break;
    case AlertSoundSource::kNone:
      break;
  }
}
