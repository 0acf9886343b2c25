#include "startup/com_shadow.h"

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "point_text.h"
#include "startup/item_list.h"
#include "startup/startup_points.h"
#include "startup/value_place_read.h"

namespace {

constexpr char kClassesKey[] = "Software\\Classes\\CLSID";
constexpr char kServerKey[] = "InprocServer32";
constexpr DWORD kClassIdSize = 128;
constexpr DWORD kClassWalkMax = 65536;

std::string ComShadowServerPath(const char* clsid) {
  return std::string(kClassesKey) + "\\" + clsid + "\\" + kServerKey;
}

// The first text of the key's default value; empty when there is none.
std::string ComShadowDefault(HKEY root, const std::string& path) {
  RegKey key;
  PlaceValueData data;
  if (!key.Open(root, path.c_str(), KEY_QUERY_VALUE) || !PlaceValueRead(key.get(), "", data) ||
      !PlaceValueIsText(data.type))
    return "";
  const std::vector<std::string> items = PointItems(data.bytes, PointListKind::kSingle);
  return items.empty() ? "" : items.front();
}

bool ComShadowMachineHas(const char* clsid) {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, (std::string(kClassesKey) + "\\" + clsid).c_str(),
                  KEY_QUERY_VALUE);
}

int ComShadowAdd(const char* clsid) {
  const std::string server = ComShadowDefault(HKEY_CURRENT_USER, ComShadowServerPath(clsid));
  if (server.empty() || !ComShadowMachineHas(clsid)) return 0;
  std::string title =
      ComShadowDefault(HKEY_LOCAL_MACHINE, std::string(kClassesKey) + "\\" + clsid);
  if (title.empty()) title = clsid;
  return ItemAdd(title.c_str(), server.c_str(), clsid, "", kPointComShadow, 0) > 0;
}

}  // namespace

std::string ComShadowLabel() {
  return std::string("HKCU\\") + kClassesKey + "\\*\\" + kServerKey;
}

int ComShadowList() {
  RegKey classes;
  DWORD count = 0;
  if (!classes.Open(HKEY_CURRENT_USER, kClassesKey, KEY_READ) ||
      RegQueryInfoKeyA(classes.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return 0;
  int added = 0;
  for (DWORD index = 0; index < count && index < kClassWalkMax; ++index) {
    char clsid[kClassIdSize];
    DWORD size = sizeof clsid;
    const LONG status =
        RegEnumKeyExA(classes.get(), index, clsid, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) added += ComShadowAdd(clsid);
  }
  return added;
}

int ComShadowRemove(const char* command, const char* clsid) {
  if (!command || !clsid || !clsid[0] || std::string(clsid).find('\\') != std::string::npos)
    return 0;
  const std::string path = ComShadowServerPath(clsid);
  if (!PlaceItemIsListed(ComShadowDefault(HKEY_CURRENT_USER, path), command)) return 0;
  return SettingsDeleteKeyTree(HKEY_CURRENT_USER, path.c_str());
}

int ComShadowRestore(const char* command, const char* clsid) {
  if (!command || !command[0] || !clsid || !clsid[0] ||
      std::string(clsid).find('\\') != std::string::npos)
    return 0;
  const std::string path = ComShadowServerPath(clsid);
  if (!SettingsWriteString(HKEY_CURRENT_USER, path.c_str(), "", command)) return 0;
  return PointSameItem(ComShadowDefault(HKEY_CURRENT_USER, path), command) ? 1 : 0;
}

void ComShadowPlaces(std::vector<StartupPlace>& places) {
  places.push_back({HKEY_CURRENT_USER, kClassesKey, true});
}
