#include "alert_sound_text.h"

namespace {

constexpr const char* kEventKeys[] = {
    "AppEvents\\Schemes\\Apps\\Korvane\\Open\\.current",
    "AppEvents\\Schemes\\Apps\\Korvane\\Startup Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Korvane\\Cookie Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Korvane\\Task Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Korvane\\IE Helper\\.current",
    "AppEvents\\Schemes\\Apps\\Korvane\\FileType Alert\\.current",
};
constexpr int kEventCount = static_cast<int>(sizeof kEventKeys / sizeof kEventKeys[0]);

}  // namespace

const char* AlertSoundKey(int index) {
  return kEventKeys[(index >= 0 && index < kEventCount) ? index : 0];
}

AlertSoundSource AlertSoundChoice(int soundOption, std::string_view schemeFile) {
  if (soundOption <= 0) return AlertSoundSource::kNone;
  return schemeFile.empty() ? AlertSoundSource::kBuiltIn : AlertSoundSource::kSchemeFile;
}
