#include <utility>
#include <vector>

#include "alerts.h"
#include "categories/service_reject.h"
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

// The listed services whose titles the snapshot does not hold as approved.
std::vector<ItemRow> ServicesUnknown() {
  std::vector<ItemRow> unknown;
  KnownItemsView known(kServicesSnapshotKey);
  for (ItemRow& row : ItemRowsCopy())
    if (!known.Approved(row.title.c_str())) unknown.push_back(std::move(row));
  return unknown;
}

void ServiceAsk(const ItemRow& entry) {
  const char* title = entry.title.c_str();
  AlertSetItem(entry.command.c_str(), title, entry.code);
  RecordFirstDetected(entry.command.c_str(), kDetectedCategory);
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_STARTUP);
  const int answer = AlertAsk(g_options.value[kOptHideServices], kSoundStartup, kAlertService);
  // A service that could not be disabled stays unknown, so it is asked about again.
  const bool settled =
      answer == kAnswerYes ||
      (answer == kAnswerNo &&
       (ServiceReject(title, entry.command.c_str(), entry.code) & kServiceRejectDisabled));
  if (settled) KnownItemRemember(kServicesSnapshotKey, title, entry.code);
}

}  // namespace

// The quick pass names services by their key; it lets the full pass, which asks the service
// manager for every display name, be skipped when nothing can be new.
void CheckServices() {
  EnumerateServices(1);
  if (ServicesUnknown().empty()) return;
  EnumerateServices(0);
  for (const ItemRow& entry : ServicesUnknown()) ServiceAsk(entry);
}
