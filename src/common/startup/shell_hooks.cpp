#include <windows.h>

#include <string>

#include "categories/class_server.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/reg_values.h"
#include "startup/startup_list.h"
#include "startup_text.h"

namespace {

constexpr std::size_t kHookTextMax = 255;
constexpr int kHookTextSize = 256;
constexpr int kClassNameSize = 512;
constexpr int kServerSize = 260;
constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
constexpr char kTaskSchedulerKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
constexpr char kShellHooksKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks";
constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kNotifyKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify";

// How a value of a hook key names its object: CLSID in the data (title in the name), or the
// other way round.
enum class HookLayout { kClassInData, kClassInName };

int AddHook(const char* title, const char* clsid, int code) {
  char className[kClassNameSize] = "";
  char server[kServerSize] = "";
  LookUpClassServer(clsid, className, server);
  VersionStrings version;
  ReadVersionStrings(server, &version);
  // A hook without a title of its own is named by its class.
  if (title[0] == '\0') title = className;
  return ItemAdd(title, server, clsid, version.text[kProductVersion], code, 0);
}

int EnumHookKey(const char* subkey, HookLayout layout, int code) {
  RegKey key;
  ValueCursor cursor;
  if (!key.Open(HKEY_LOCAL_MACHINE, subkey, KEY_READ) || !ValueCursorStart(cursor, key.get()))
    return 0;
  int added = 0;
  for (ValueRead read; (read = ValueCursorNext(cursor, kHookTextMax)) != ValueRead::kEnd;) {
    if (read != ValueRead::kText) continue;
    const char* name = cursor.name.data();
    const char* data = cursor.data.data();
    added +=
        layout == HookLayout::kClassInData ? AddHook(name, data, code) : AddHook(data, name, code);
  }
  return added;
}

int EnumAppInitDlls() {
  char text[kHookTextSize];
  ReadKeyText(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls", text, sizeof text);
  int added = 0;
  for (std::string_view piece : SplitItems(text, ", ")) {
    const std::string dll(piece);
    VersionStrings version;
    ReadVersionStrings(dll.c_str(), &version);
    added += ItemAdd(version.text[kProductName], dll.c_str(), version.text[kCompanyName],
                     version.text[kProductVersion], kLocationAppInit, 0);
  }
  return added;
}

int AddNotifyPackage(HKEY notify, const char* package) {
  RegKey key;
  char dll[kServerSize];
  if (!key.Open(notify, package, KEY_QUERY_VALUE) ||
      ReadValueText(key.get(), "DllName", dll, sizeof dll) == 0)
    return 0;
  VersionStrings version;
  ReadVersionStrings(dll, &version);
  return ItemAdd(package, dll, version.text[kFileDescription], version.text[kProductVersion],
                 kLocationNotify, 0);
}

int EnumNotifyPackages() {
  RegKey notify;
  DWORD count = 0;
  if (!notify.Open(HKEY_LOCAL_MACHINE, kNotifyKey, KEY_READ) ||
      RegQueryInfoKeyA(notify.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return 0;
  int added = 0;
  for (DWORD index = 0; index < count; ++index) {
    char package[kHookTextSize];
    DWORD size = sizeof package;
    const LONG status =
        RegEnumKeyExA(notify.get(), index, package, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) added += AddNotifyPackage(notify.get(), package);
  }
  return added;
}

}  // namespace

int EnumShellHooks() {
  int result = -1;
  result += EnumHookKey(kDelayLoadKey, HookLayout::kClassInData, kLocationDelayLoad);
  result += EnumHookKey(kTaskSchedulerKey, HookLayout::kClassInName, kLocationTaskScheduler);
  result += EnumHookKey(kShellHooksKey, HookLayout::kClassInName, kLocationShellHook);
  result += EnumAppInitDlls();
  result += EnumNotifyPackages();
  return result;
}
