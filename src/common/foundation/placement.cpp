#include "placement.h"

#include <initializer_list>

#include "settings.h"

void PlacementReset() {
  for (const PlacementNames& names : kPlacementNames) {
    for (const char* value : {names.left, names.top, names.width, names.height})
      SettingsDeleteValue(HKEY_CURRENT_USER, kBaseKey, value);
  }
}
