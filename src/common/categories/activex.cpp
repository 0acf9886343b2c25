#include "categories/activex.h"

#include "categories/class_server.h"
#include "categories/microsoft_program.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr int kNameSize = 256;
constexpr int kClassNameSize = 512;
constexpr int kAlternateSize = 128;
constexpr char kIExplore[] = "\\iexplore";
constexpr char kTypeValue[] = "Type";
constexpr char kAlternateValue[] = "AlternateCLSID";
constexpr int kHighestListedType = 1;

// Calls visit(name) for each subkey of root\path by index, the count taken first bounding it.
template <class Visit>
void ActiveXSubkeys(HKEY root, const char* path, Visit visit) {
  RegKey key;
  if (!key.Open(root, path, KEY_READ)) return;
  DWORD count = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  for (DWORD i = 0; i <= count; ++i) {
    char name[kNameSize] = "";
    DWORD length = kNameSize;
    const LONG result =
        RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) visit(name);
  }
}

// Adds the control unless it has no server or the Microsoft filter leaves it out.
void ActiveXAdd(const char* clsid, bool hideMicrosoft) {
  char className[kClassNameSize] = "";
  char server[kItemCommandSize] = "";
  LookUpClassServer(clsid, className, server);
  if (server[0] == '\0') return;
  char command[kPathSize] = "";
  NormaliseCommand(server, command, sizeof command);
  VersionStrings version{};
  ReadVersionStrings(command, &version);
  if (hideMicrosoft && MicrosoftProgram(command)) return;
  ItemAdd(className, command, clsid, version.text[kProductVersion], kTypeActiveX,
          static_cast<int>(ReadCompatibilityFlags(clsid)));
}

// Types above 1 are not controls the browser hosts in a page.
bool ActiveXListedType(const char* clsid) {
  const std::string path = std::string(kActiveXStatsKey) + "\\" + clsid + kIExplore;
  return static_cast<int>(ActiveXReadNumber(HKEY_CURRENT_USER, path, kTypeValue)) <=
         kHighestListedType;
}

void ActiveXAddCompatible(const char* name, bool hideMicrosoft) {
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\" + name;
  char alternate[kAlternateSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, entry.c_str(), kAlternateValue, alternate,
                     kAlternateSize);
  ActiveXAdd(alternate[0] ? alternate : name, hideMicrosoft);
}

bool ActiveXHideMicrosoft() { return OptionRead(kOptHideMicrosoftActiveX) > 0; }

}  // namespace

int EnumerateActiveX(int keepList) {
  if (!keepList) ItemListClear();
  const bool hideMicrosoft = ActiveXHideMicrosoft();
  ActiveXSubkeys(HKEY_CURRENT_USER, kActiveXStatsKey, [&](const char* clsid) {
    if (ActiveXListedType(clsid)) ActiveXAdd(clsid, hideMicrosoft);
  });
  return ItemCount();
}

int EnumerateAllActiveX() {
  ItemListClear();
  EnumerateActiveX(1);
  const bool hideMicrosoft = ActiveXHideMicrosoft();
  ActiveXSubkeys(HKEY_LOCAL_MACHINE, kActiveXCompatibilityKey,
                 [&](const char* name) { ActiveXAddCompatible(name, hideMicrosoft); });
  return ItemCount();
}
