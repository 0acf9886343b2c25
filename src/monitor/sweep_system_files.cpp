#include "categories/system_files.h"
#include "foundation/options.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "resource.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "system_file_dialog.h"
#include "tray_icon.h"

// A policy answers without touching the record, so the change is found again next time.
bool CheckSystemFile(const char* name, const char* path) {
  if (CompareSystemFile(name, path) != SystemFileState::Changed) return false;
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_SYSTEM_FILES);
  g_traceUserWait = true;
  const int policy = g_options.value[kOptHideSystemFiles];
  if (policy != 0) return policy == 1;
  g_sweep.alertShowing = true;
  const bool done = SystemFileDialogRun(name, path);
  g_sweep.alertShowing = false;
  return done;
}

void CheckSystemFiles() {
  for (const SystemFileRecord& record : WatchedSystemFiles())
    CheckSystemFile(record.name, record.path);
}
