#include "startup/startup_points.h"

#include <algorithm>

#include "startup/com_shadow.h"
#include "startup/folder_points.h"
#include "startup/locations.h"
#include "startup/value_places.h"

namespace {

bool StartupPointFolderCode(int code) {
  return code == kPointUserStartupFolder || code == kPointCommonStartupFolder;
}

}  // namespace

bool StartupPointCode(int code) {
  return ValuePlaceOf(code) != nullptr || StartupPointFolderCode(code) ||
         code == kPointComShadow;
}

const char* StartupPointShortName(int code) {
  if (const ValuePlace* place = ValuePlaceOf(code)) return place->shortName;
  if (code == kPointUserStartupFolder) return "USER_STARTUP_FOLDER";
  if (code == kPointCommonStartupFolder) return "COMMON_STARTUP_FOLDER";
  if (code == kPointComShadow) return "COM_SHADOW";
  return "";
}

bool StartupPointPerUser(int code) {
  if (const ValuePlace* place = ValuePlaceOf(code)) return place->perUser;
  return code == kPointUserStartupFolder || code == kPointComShadow;
}

std::string StartupPointLabel(int code) {
  if (const ValuePlace* place = ValuePlaceOf(code)) return ValuePlaceLabel(*place);
  if (StartupPointFolderCode(code)) return FolderPointLabel(code);
  if (code == kPointComShadow) return ComShadowLabel();
  return "";
}

int StartupPointsList() {
  return ValuePlaceListAll() + FolderPointsList() + ComShadowList();
}

int StartupPointRemove(const char*, const char* command, const char* key, int code) {
  if (StartupPointFolderCode(code)) return FolderPointRemove(key, code);
  if (code == kPointComShadow) return ComShadowRemove(command, key);
  return ValuePlaceRemove(command, key, code);
}

int StartupPointRestore(const char*, const char* command, const char* key, int code) {
  if (StartupPointFolderCode(code)) return FolderPointRestore(key, code);
  if (code == kPointComShadow) return ComShadowRestore(command, key);
  return ValuePlaceRestore(command, key, code);
}

// Sub-key places change below their key; the folders are watched as the keys that name them.
void StartupPointPlaces(std::vector<StartupPlace>& places) {
  std::size_t count = 0;
  const ValuePlace* table = ValuePlaceTable(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ValuePlace& place = table[i];
    if (!ValuePlaceOwnView(place)) continue;
    const bool subtree =
        place.shape == PlaceShape::kSubKeyValue || place.shape == PlaceShape::kSubKeyAllValues;
    const bool listed = std::any_of(places.begin(), places.end(), [&](const StartupPlace& p) {
      return p.root == ValuePlaceRoot(place) && p.path == place.path && p.subtree == subtree;
    });
    if (!listed) places.push_back({ValuePlaceRoot(place), place.path, subtree});
  }
  FolderPointPlaces(places);
  ComShadowPlaces(places);
}
