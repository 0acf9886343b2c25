#include "categories/services.h"

#include <cstdio>

#include "categories/service_handle.h"
#include "categories/service_registry.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr int kDescriptionSize = 4096;
constexpr DWORD kManagerNameChars = 256;

struct StartTypeRow {
  DWORD start;
  int stringNumber;
};
constexpr StartTypeRow kStartTypes[] = {{2, 664}, {3, 665}, {4, 666}};

struct EnumerationPass {
  bool quick;
  bool hideMicrosoft;
  SC_HANDLE manager;
};

bool IsMicrosoftProgram(const char* command) {
  char path[MAX_PATH];
  if (NormaliseCommand(command, path, sizeof path) == 0) return false;
  VersionStrings facts;
  if (!ReadVersionStrings(path, &facts)) return false;
  return ContainsNoCase(facts.text[kCompanyName], "Microsoft");
}

void ReadTitle(const EnumerationPass& pass, const char* name, HKEY key, char* title, int size) {
  DWORD length = kManagerNameChars;
  char managed[kManagerNameChars] = "";
  if (pass.manager && GetServiceDisplayNameA(pass.manager, name, managed, &length)) {
    managed[kManagerNameChars - 1] = '\0';
    CopyBounded(title, static_cast<std::size_t>(size), managed);
    return;
  }
  ServiceReadText(key, nullptr, "DisplayName", title, size, false);
}

void AddFullItem(const EnumerationPass& pass, const char* name, HKEY key) {
  char command[kServiceImagePathSize];
  int code = ServiceProgram(key, command, sizeof command);
  if (code == kServiceExeCode && !ContainsNoCase(command, ".exe")) return;
  if (pass.hideMicrosoft && IsMicrosoftProgram(command)) return;
  char title[kItemTitleSize] = "";
  ReadTitle(pass, name, key, title, sizeof title);
  char startText[kItemKeySize];
  ServiceStartTypeText(ServiceReadNumber(key, "Start", 0), startText, sizeof startText);
  char description[kDescriptionSize];
  ServiceReadText(key, nullptr, "Description", description, sizeof description, false);
  ItemAdd(title, command, startText, description, code, 0);
}

bool VisitForList(const char* name, HKEY key, void* context) {
  const auto& pass = *static_cast<const EnumerationPass*>(context);
  char image[kServiceImagePathSize];
  if (ServiceReadText(key, nullptr, "ImagePath", image, sizeof image, true) == 0) return false;
  if (pass.quick)
    ItemAdd(name, "", "", "", kServiceExeCode, 0);
  else
    AddFullItem(pass, name, key);
  return false;
}

}  // namespace

int ServiceStartTypeText(DWORD start, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  for (const StartTypeRow& row : kStartTypes)
    if (row.start == start) return LocalString(row.stringNumber, out, capacity);
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), "0"));
}

void EnumerateServices(int quick) {
  ItemListClear();
  EnumerationPass pass{quick != 0, false, nullptr};
  ServiceHandle manager;
  if (!pass.quick) {
    pass.hideMicrosoft = OptionGet("HideMicrosoftServices", 1) > 0;
    manager.Reset(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
    pass.manager = manager.get();
  }
  ServiceWalk(VisitForList, &pass);
}

void BuildServicesSnapshot() {
  char marker[16];
  int present = SettingsReadString(HKEY_CURRENT_USER, kServicesSnapshotKey, "", marker,
                                   sizeof marker);
  if (present > 0 && marker[0] == 'P') return;
  if (present > 0) SettingsDeleteKeyTree(HKEY_CURRENT_USER, kServicesSnapshotKey);
  SettingsCreateKey(HKEY_CURRENT_USER, kServicesSnapshotKey);
  SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, "", "P");
  EnumerateServices(0);
  for (int index = 0; index < ItemCount(); ++index) {
    char title[kItemTitleSize];
    ItemTitle(index, title);
    char code[16];
    std::snprintf(code, sizeof code, "%d", ItemCode(index));
    SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, title, code);
  }
}
