#include <string>

#include "categories/service_registry.h"
#include "categories/services.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "text.h"

namespace {

constexpr int kDescriptionSize = 1024;

struct StartTypeSearch {
  const char* displayName;
  DWORD start;
  bool written;
};

bool VisitForStartType(const char* name, HKEY, void* context) {
  auto& search = *static_cast<StartTypeSearch*>(context);
  char image[kServiceImagePathSize];
  char display[kServiceNameSize];
  RegKey service;
  if (!service.Open(HKEY_LOCAL_MACHINE, (std::string(kServicesRegistryKey) + "\\" + name).c_str(),
                    KEY_READ | KEY_SET_VALUE))
    return false;
  if (ServiceReadText(service.get(), nullptr, "ImagePath", image, sizeof image, false) == 0)
    return false;
  ServiceReadText(service.get(), nullptr, "DisplayName", display, sizeof display, false);
  if (!EqualsNoCase(display, search.displayName)) return false;
  search.written = RegSetValueExA(service.get(), "Start", 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&search.start),
                                  sizeof search.start) == ERROR_SUCCESS;
  return true;
}

struct DescriptionSearch {
  const char* path;
  char* out;
  int capacity;
  int length;
};

bool VisitForDescription(const char*, HKEY key, void* context) {
  auto& search = *static_cast<DescriptionSearch*>(context);
  char program[kServiceImagePathSize];
  if (ServiceProgram(key, program, sizeof program) == 0) return false;
  char normalised[MAX_PATH];
  if (NormaliseCommand(program, normalised, sizeof normalised) == 0) return false;
  if (!EqualsNoCase(normalised, search.path)) return false;
  char description[kDescriptionSize];
  ServiceReadText(key, nullptr, "Description", description, sizeof description, false);
  search.length =
      static_cast<int>(CopyBounded(search.out, static_cast<std::size_t>(search.capacity),
                                   description));
  return true;
}

}  // namespace

bool SetServiceStartType(const char* displayName, int startValue) {
  if (displayName == nullptr || *displayName == '\0') return false;
  StartTypeSearch search{displayName, static_cast<DWORD>(startValue) & 0xFFu, false};
  return ServiceWalk(VisitForStartType, &search) && search.written;
}

int FindServiceDescription(const char* path, char* description, int capacity) {
  if (description == nullptr || capacity <= 0) return 0;
  *description = '\0';
  if (path == nullptr || *path == '\0') return 0;
  DescriptionSearch search{path, description, capacity, 0};
  ServiceWalk(VisitForDescription, &search);
  return search.length;
}
