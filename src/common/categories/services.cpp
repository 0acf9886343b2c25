#include "categories/services.h"

#include <cstdio>
#include <string>
#include <unordered_map>

#include "categories/microsoft_program.h"
#include "categories/service_handle.h"
#include "categories/service_registry.h"
#include "categories/service_states.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr int kDescriptionSize = 4096;

struct StartTypeRow {
  DWORD start;
  int stringNumber;
};
constexpr StartTypeRow kStartTypes[] = {{2, 664}, {3, 665}, {4, 666}};

// Display names by upper-case key name, as the service manager knows them.
using DisplayNames = std::unordered_map<std::string, std::string>;

struct EnumerationPass {
  bool quick;
  bool hideMicrosoft;
  DisplayNames names;
};

void KeepDisplayName(const ENUM_SERVICE_STATUS_PROCESSA& service, void* context) {
  if (service.lpDisplayName == nullptr) return;
  (*static_cast<DisplayNames*>(context))[UpperText(service.lpServiceName)] = service.lpDisplayName;
}

// One call for all services: asking for each display name on its own costs a round trip to
// the service manager per service.
DisplayNames ManagerDisplayNames() {
  DisplayNames names;
  ServiceStatesEach(KeepDisplayName, &names);
  return names;
}

bool IsMicrosoftProgram(const char* command) {
  char path[MAX_PATH];
  return NormaliseCommand(command, path, sizeof path) != 0 && MicrosoftProgram(path);
}

void ReadTitle(const EnumerationPass& pass, const char* name, HKEY key, char* title, int size) {
  const auto managed = pass.names.find(UpperText(name));
  if (managed != pass.names.end()) {
    CopyBounded(title, static_cast<std::size_t>(size), managed->second);
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

int ServiceStartTypeString(DWORD start) {
  for (const StartTypeRow& row : kStartTypes)
    if (row.start == start) return row.stringNumber;
  return 0;
}

int ServiceStartTypeText(DWORD start, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  if (const int number = ServiceStartTypeString(start)) return LocalString(number, out, capacity);
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), "0"));
}

void EnumerateServices(int quick) {
  ItemListClear();
  EnumerationPass pass{quick != 0, false, {}};
  if (!pass.quick) {
    pass.hideMicrosoft = OptionRead(kOptHideMicrosoftServices) > 0;
    pass.names = ManagerDisplayNames();
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
