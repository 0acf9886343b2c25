#include "categories/services_known.h"

#include <windows.h>

#include <cstring>
#include <set>

#include "categories/service_registry.h"
#include "categories/services.h"
#include "foundation/handles.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "records/known_items.h"
#include "text.h"

namespace {

constexpr int kSeenTextSize = kServiceImagePathSize + 1;
constexpr char kListedMicrosoft[] = "1";
constexpr char kHiddenMicrosoft[] = "0";

struct SeenWalk {
  HKEY seen;
  const std::set<std::string>* unsettled;
  bool unchanged;
};

int ServicesProgramText(HKEY service, char* out, int capacity) {
  return ServiceReadText(service, nullptr, "ImagePath", out, capacity, true);
}

bool ServicesSeenAlike(HKEY seen, const char* name, const char* image) {
  char stored[kSeenTextSize] = "";
  DWORD type = REG_NONE;
  DWORD size = sizeof stored - 1;
  if (RegQueryValueExA(seen, name, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  return std::string_view(stored, strnlen(stored, size)) == image;
}

bool ServicesCompareVisit(const char* name, HKEY service, void* context) {
  auto& walk = *static_cast<SeenWalk*>(context);
  char image[kServiceImagePathSize];
  if (ServicesProgramText(service, image, sizeof image) == 0) return false;
  walk.unchanged = walk.seen && ServicesSeenAlike(walk.seen, name, image);
  return !walk.unchanged;  // the first difference ends the walk
}

// A service still to be answered stays out, so that the pre-test keeps failing until it is.
bool ServicesRecordVisit(const char* name, HKEY service, void* context) {
  auto& walk = *static_cast<SeenWalk*>(context);
  char image[kServiceImagePathSize];
  if (ServicesProgramText(service, image, sizeof image) == 0) return false;
  const bool settled = walk.unsettled->count(UpperText(name)) == 0;
  if (settled && !ServicesSeenAlike(walk.seen, name, image))
    RegSetValueExA(walk.seen, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(image),
                   static_cast<DWORD>(std::strlen(image) + 1));
  if (!settled) RegDeleteValueA(walk.seen, name);
  return false;
}

// Services left out for being Microsoft's were seen, but not under the other setting.
const char* ServicesListingMark() {
  return OptionRead(kOptHideMicrosoftServices) > 0 ? kHiddenMicrosoft : kListedMicrosoft;
}

void ServicesRecordSeen(const std::set<std::string>& unsettled) {
  RegKey seen;
  if (!seen.Create(HKEY_CURRENT_USER, kServicesSeenKey, KEY_QUERY_VALUE | KEY_SET_VALUE)) return;
  if (!ServicesSeenAlike(seen.get(), "", ServicesListingMark()))
    RegSetValueExA(seen.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(ServicesListingMark()),
                   2);
  SeenWalk walk{seen.get(), &unsettled, true};
  ServiceWalk(ServicesRecordVisit, &walk);
}

// Known by key name, or by the display name an older version stored: that entry passes to
// this service's key name, so that no later service of the same display name rides on it.
bool ServicesKnown(KnownItemsView& byKey, KnownItemsView& byTitle, const ServiceToAsk& service) {
  if (byKey.Approved(service.keyName.c_str())) return true;
  if (!byTitle.Approved(service.row.title.c_str())) return false;
  ServiceRemember(service);
  KnownItemForget(kServicesSnapshotKey, service.row.title.c_str());
  return true;
}

std::vector<ServiceToAsk> ServicesListed() {
  std::vector<std::string> keyNames;
  EnumerateServicesNamed(keyNames);
  std::vector<ServiceToAsk> listed;
  for (int i = 0; i < ItemCount() && i < static_cast<int>(keyNames.size()); ++i)
    listed.push_back({ItemRowAt(i), keyNames[static_cast<std::size_t>(i)]});
  return listed;
}

}  // namespace

bool ServicesQuickUnchanged() {
  RegKey seen;
  if (!seen.Open(HKEY_CURRENT_USER, kServicesSeenKey, KEY_QUERY_VALUE) ||
      !ServicesSeenAlike(seen.get(), "", ServicesListingMark()))
    return false;
  SeenWalk walk{seen.get(), nullptr, true};
  ServiceWalk(ServicesCompareVisit, &walk);
  return walk.unchanged;
}

std::vector<ServiceToAsk> ServicesToAsk() {
  std::vector<ServiceToAsk> unknown;
  std::set<std::string> unsettled;
  KnownItemsView byKey(kServicesKeyNamesKey);
  KnownItemsView byTitle(kServicesSnapshotKey);
  for (ServiceToAsk& service : ServicesListed()) {
    if (ServicesKnown(byKey, byTitle, service)) continue;
    unsettled.insert(UpperText(service.keyName));
    unknown.push_back(std::move(service));
  }
  ServicesRecordSeen(unsettled);
  return unknown;
}

void ServiceRemember(const ServiceToAsk& service) {
  KnownItemRemember(kServicesKeyNamesKey, service.keyName.c_str(), service.row.code);
}

void ServicesRememberAll() {
  for (const ServiceToAsk& service : ServicesListed()) ServiceRemember(service);
  ServicesRecordSeen({});
}
