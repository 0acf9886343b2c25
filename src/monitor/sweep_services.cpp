#include <vector>

#include "alerts.h"
#include "categories/services.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "records/known_items.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

inline constexpr char kDetectedCategory[] = "Services";
inline constexpr int kStartDisabled = 4;

struct ServiceEntry {
  char title[kItemTitleSize];
  char command[kItemCommandSize];
  int code;
};

// Titles of the listed services that the snapshot does not hold as approved.
std::vector<ServiceEntry> ServicesUnknown() {
  std::vector<ServiceEntry> unknown;
  KnownItemsView known(kServicesSnapshotKey);
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    ServiceEntry entry = {};
    ItemTitle(i, entry.title);
    if (known.Approved(entry.title)) continue;
    ItemCommand(i, entry.command);
    entry.code = ItemCode(i);
    unknown.push_back(entry);
  }
  return unknown;
}

void ServiceAsk(const ServiceEntry& entry) {
  AlertSetItem(entry.command, entry.title, entry.code);
  RecordFirstDetected(entry.command, kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_STARTUP);
  const int answer = AlertAsk(g_options.value[kOptHideServices], kSoundStartup, kAlertService);
  if (answer == kAnswerNo) {
    SetServiceStartType(entry.title, kStartDisabled);
    ControlServiceByName(entry.title, SERVICE_CONTROL_STOP);
  }
  if (answer == kAnswerNo || answer == kAnswerYes)
    KnownItemRemember(kServicesSnapshotKey, entry.title, entry.code);
}

}  // namespace

// The quick pass names services by their key; it lets the full pass, which asks the service
// manager for every display name, be skipped when nothing can be new.
void CheckServices() {
  EnumerateServices(1);
  if (ServicesUnknown().empty()) return;
  EnumerateServices(0);
  for (const ServiceEntry& entry : ServicesUnknown()) ServiceAsk(entry);
}
