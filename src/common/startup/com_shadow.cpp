#include "startup/com_shadow.h"

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
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

// The server key's other values (its threading model and the like) decide how the class
// loads: a put-back server without them would be a different class.
std::string ComShadowKeptPath(const char* clsid) {
  return std::string(kComShadowKeptKey) + "\\" + clsid;
}

bool ComShadowCopy(const std::string& from, const std::string& to) {
  RegKey source, target;
  return source.Open(HKEY_CURRENT_USER, from.c_str(), KEY_READ) &&
         target.Create(HKEY_CURRENT_USER, to.c_str(), KEY_ALL_ACCESS) &&
         RegCopyTreeA(source.get(), nullptr, target.get()) == ERROR_SUCCESS;
}

void ComShadowKeep(const char* clsid, const std::string& server) {
  const std::string kept = ComShadowKeptPath(clsid);
  SettingsDeleteKeyTree(HKEY_CURRENT_USER, kept.c_str());
  // Without the copy the removal still goes ahead: the class is unwanted either way, and the
  // history can still put its server back.
  if (!ComShadowCopy(server, kept)) {
    SettingsDeleteKeyTree(HKEY_CURRENT_USER, kept.c_str());
    TraceNote("com shadow", "the removed server key could not be kept whole");
  }
}

// The kept key when it is the one removed with this command; false leaves the caller to write
// the server's path alone.
bool ComShadowPutBackKept(const char* command, const char* clsid, const std::string& server) {
  const std::string kept = ComShadowKeptPath(clsid);
  if (!PointSameItem(ComShadowDefault(HKEY_CURRENT_USER, kept), command)) return false;
  if (!ComShadowCopy(kept, server)) return false;
  SettingsDeleteKeyTree(HKEY_CURRENT_USER, kept.c_str());
  return true;
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
  ComShadowKeep(clsid, path);
  return SettingsDeleteKeyTree(HKEY_CURRENT_USER, path.c_str());
}

int ComShadowRestore(const char* command, const char* clsid) {
  if (!command || !command[0] || !clsid || !clsid[0] ||
      std::string(clsid).find('\\') != std::string::npos)
    return 0;
  const std::string path = ComShadowServerPath(clsid);
  if (!ComShadowPutBackKept(command, clsid, path) &&
      !SettingsWriteString(HKEY_CURRENT_USER, path.c_str(), "", command))
    return 0;
  return PointSameItem(ComShadowDefault(HKEY_CURRENT_USER, path), command) ? 1 : 0;
}

void ComShadowPlaces(std::vector<StartupPlace>& places) {
  places.push_back({HKEY_CURRENT_USER, kClassesKey, true});
}
