#include "alerts.h"
#include "categories/restart_viewer.h"
#include "foundation/options.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "resource.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

inline constexpr OptionId kEveryVisit = kOptionCount;
inline constexpr OptionId kNoRealtime = kOptionCount;

enum class SweepHalf { First, Second };
enum class SweepSystems { All, Win9xOnly };

struct SweepCategory {
  SweepHalf half;
  OptionId interval;  // its countdown decides when the category is due
  OptionId realtime;  // the switch that lets a change of running programs bring it forward
  SweepSystems systems;
  const char* label;
  void (*perform)();
};

void SweepIEHelpers() { CheckIEHelpers(); }

// The system-file check (HOSTS and boot files) runs on every Windows version: leaving it
// out on version 6 and later would leave HOSTS unwatched on every system in use today.
inline constexpr SweepCategory kSweepCategories[] = {
    {SweepHalf::First, kOptStart, kOptRealtimeStartup, SweepSystems::All, "Startup Programs",
     SweepStartupCheck},
    {SweepHalf::First, kOptIEHelpers, kOptRealtimeIEHelper, SweepSystems::All, "IE Helpers",
     SweepIEHelpers},
    {SweepHalf::First, kOptHidden, kOptRealtimeHidden, SweepSystems::All, "Hidden Files",
     CheckHiddenFiles},
    {SweepHalf::First, kOptActiveX, kOptRealtimeActiveX, SweepSystems::All, "ActiveX Files",
     CheckActiveX},
    {SweepHalf::First, kOptHostFile, kOptRealtimeSysFiles, SweepSystems::All,
     "Verify System Files", CheckSystemFiles},
    {SweepHalf::First, kOptStartPage, kOptRealtimeStartPage, SweepSystems::All,
     "IE Start/Search Page", SweepPagesCheck},
    {SweepHalf::First, kOptFileType, kOptRealtimeFileType, SweepSystems::All, "File Types",
     CheckFileTypes},
    {SweepHalf::Second, kOptTasks, kNoRealtime, SweepSystems::All, "Scheduled Tasks",
     CheckScheduledTasks},
    {SweepHalf::Second, kOptWinInit, kNoRealtime, SweepSystems::Win9xOnly, "Win INIT file",
     SweepRestartCommandsCheck},
    {SweepHalf::Second, kOptServices, kOptRealtimeServices, SweepSystems::All,
     "Check for change to Services", CheckServices},
    {SweepHalf::Second, kOptNuts, kNoRealtime, SweepSystems::All, "Filter Cookies",
     FilterCookies},
    {SweepHalf::Second, kEveryVisit, kNoRealtime, SweepSystems::All, "Filter Mozilla Cookies",
     FilterMozillaCookies},
    {SweepHalf::Second, kOptCookies, kNoRealtime, SweepSystems::All, "Check for New Cookies",
     CheckNewCookies},
};

inline constexpr int kRestartCommandsAsked = 99999;

bool SweepDue(const SweepCategory& category) {
  if (category.interval == kEveryVisit) return true;
  int& countdown = g_options.countdown[category.interval];
  if (countdown <= 0) return false;
  if (countdown-- != 1) return false;
  countdown = g_options.value[category.interval];
  return true;
}

bool SweepRuns(const SweepCategory& category) {
  return category.systems == SweepSystems::All || IsWin9xFamily();
}

// A change that comes while the check runs (an alert waiting) is kept for the next run.
void SweepPerform(const SweepCategory& category) {
  if (category.interval != kEveryVisit) g_sweep.changed.reset(category.interval);
  TraceWrite("VERIFY", category.label);
  category.perform();
  TraceSpanEnd();
}

}  // namespace

void SweepVisitHalf() {
  const SweepHalf half = g_options.secondHalf ? SweepHalf::Second : SweepHalf::First;
  if (half == SweepHalf::First)
    SetTrayStatus(IDI_TRAY_STARTUP, IDS_TRAY_STARTUP);
  else
    SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_CHECKING);
  for (const SweepCategory& category : kSweepCategories) {
    if (g_sweep.exitPending) return;
    if (category.half != half || !SweepRuns(category)) continue;
    if (SweepDue(category)) SweepPerform(category);
  }
}

void SweepVisitChanged() {
  if (g_sweep.changed.test(kOptStart))
    SetTrayStatus(IDI_TRAY_STARTUP, IDS_TRAY_STARTUP);
  else
    SetTrayStatus(IDI_TRAY_CHECKING, IDS_TRAY_CHECKING);
  for (const SweepCategory& category : kSweepCategories) {
    if (g_sweep.exitPending) return;
    if (category.interval == kEveryVisit || !g_sweep.changed.test(category.interval)) continue;
    g_sweep.changed.reset(category.interval);
    // Options loaded since the change may have switched the category off or reloaded its
    // countdown.
    if (!SweepRuns(category) || g_options.value[category.interval] <= 0) continue;
    g_options.countdown[category.interval] = 1;
    if (SweepDue(category)) SweepPerform(category);
  }
}

void SweepRealtimeForward() {
  MonitorReloadIfUpdated();
  // A category switched off (interval 0) stays off, whatever its realtime switch says.
  for (const SweepCategory& category : kSweepCategories)
    if (category.realtime != kNoRealtime && g_options.value[category.realtime] != 0 &&
        g_options.value[category.interval] > 0)
      g_options.countdown[category.interval] = 1;
  g_sweep.tickCounter = kTicksPerCycle - 1;  // the next tick runs a cycle
  g_options.secondHalf = false;
}

void SweepRestartCommandsCheck() {
  g_traceUserWait = true;
  if (CheckWinInit(g_monitor.window, 1) == 0) return;
  g_options.countdown[kOptWinInit] = kRestartCommandsAsked;
  char question[1024] = "";
  LocalString(IDS_WININIT_QUESTION, question, sizeof question);
  if (AskYesNo(question)) CheckWinInit(g_monitor.window, 0);
}
