#include "categories/services.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "categories/microsoft_program.h"
#include "categories/service_handle.h"
#include "categories/service_registry.h"
#include "categories/service_states.h"
#include "categories/services_known.h"
#include "foundation/filefacts.h"
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
  std::vector<std::string>* keyNames;  // when given: the key name of each listed service
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

// A service of the Win32 kinds runs whatever its command says, ".exe" or not ("cmd /c ...");
// a key without a type is taken for a driver unless its command names a program.
bool IsServiceProgram(HKEY key, const char* command, int code) {
  const DWORD type = ServiceReadNumber(key, "Type", 0);
  return (type & (SERVICE_WIN32_OWN_PROCESS | SERVICE_WIN32_SHARE_PROCESS)) != 0 ||
         code == kServiceSvchostCode || ContainsNoCase(command, ".exe");
}

void AddFullItem(const EnumerationPass& pass, const char* name, HKEY key) {
  char command[kServiceImagePathSize];
  int code = ServiceProgram(key, command, sizeof command);
  if (!IsServiceProgram(key, command, code)) return;
  if (pass.hideMicrosoft && IsMicrosoftProgram(command)) return;
  char title[kItemTitleSize] = "";
  ReadTitle(pass, name, key, title, sizeof title);
  char startText[kItemKeySize];
  ServiceStartTypeText(ServiceReadNumber(key, "Start", 0), startText, sizeof startText);
  char description[kDescriptionSize];
  ServiceReadText(key, nullptr, "Description", description, sizeof description, false);
  if (ItemAdd(title, command, startText, description, code, 0) && pass.keyNames)
    pass.keyNames->push_back(name);
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
  EnumerationPass pass{quick != 0, false, {}, nullptr};
  if (!pass.quick) {
    pass.hideMicrosoft = OptionRead(kOptHideMicrosoftServices) > 0;
    pass.names = ManagerDisplayNames();
  }
  ServiceWalk(VisitForList, &pass);
}

void EnumerateServicesNamed(std::vector<std::string>& keyNames) {
  ItemListClear();
  keyNames.clear();
  EnumerationPass pass{false, OptionRead(kOptHideMicrosoftServices) > 0, ManagerDisplayNames(),
                       &keyNames};
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
  ServicesRememberAll();
}
