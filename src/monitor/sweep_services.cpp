#include <vector>

#include "alerts.h"
#include "categories/service_reject.h"
#include "categories/services.h"
#include "categories/services_known.h"
#include "monitor.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/item_list.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

inline constexpr char kDetectedCategory[] = "Services";

void ServiceAsk(const ServiceToAsk& service) {
  const ItemRow& entry = service.row;
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
  if (settled) ServiceRemember(service);
}

}  // namespace

// The quick pre-test reads only the services key; the full pass, which asks the service
// manager for every display name, runs only when a service key or its program changed.
void CheckServices() {
  if (ServicesQuickUnchanged()) return;
  for (const ServiceToAsk& service : ServicesToAsk()) ServiceAsk(service);
}
