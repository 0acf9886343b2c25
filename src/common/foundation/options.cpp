#include "options.h"

#include "platform.h"
#include "settings.h"

namespace {

constexpr OptionKind P = OptionKind::Policy;
constexpr OptionKind I = OptionKind::Interval;
constexpr OptionKind R = OptionKind::Realtime;
constexpr OptionKind O = OptionKind::Other;
constexpr unsigned kReadWrite = 0;
constexpr unsigned kLoadOnly = kOptNotWritten;
constexpr unsigned kOnDemand = kOptNotLoaded | kOptNotWritten;

}  // namespace

const OptionRow kOptionTable[kOptionCount] = {
    {kOptSendHistory, "SendHistory", 0, 0, O, kReadWrite},
    {kOptHideTobbit, "HideTobbit", 0, 0, O, kReadWrite},
    {kOptHideStartup, "HideStartup", 0, 0, P, kReadWrite},
    {kOptHideIEHelper, "HideIEHelper", 0, 0, P, kReadWrite},
    {kOptHideServices, "HideServices", 0, 0, P, kReadWrite},
    {kOptHideActiveX, "HideActiveX", 0, 0, P, kReadWrite},
    {kOptHideTasks, "HideTasks", 0, 0, P, kReadWrite},
    {kOptHideFileType, "HideFileType", 0, 0, P, kReadWrite},
    {kOptHideHidden, "HideHidden", 0, 0, P, kReadWrite},
    {kOptHideSystemFiles, "HideSystemFiles", 0, 0, P, kReadWrite},
    {kOptHideHomePage, "HideHomePage", 0, 0, P, kReadWrite},
    {kOptFormat, "Format", 0, 0, O, kReadWrite},
    {kOptConfirmExit, "ConfirmExit", 0, 0, O, kReadWrite},
    {kOptSound, "Sound", 1, 1, O, kReadWrite},
    {kOptHistory, "History", 1, 1, O, kReadWrite},
    {kOptHideMicrosoftServices, "HideMicrosoftServices", 1, 1, O, kReadWrite},
    {kOptHideMicrosoftActiveX, "HideMicrosoftActiveX", 0, 0, O, kReadWrite},
    {kOptIncludeKillBit, "IncludeKillBit", 0, 0, O, kReadWrite},
    {kOptActiveXListAll, "ActiveXListAll", 0, 0, O, kReadWrite},
    {kOptLockFileTypes, "LockFileTypes", 0, 0, O, kReadWrite},
    {kOptShowAllStartup, "ShowAllStartup", 0, 0, O, kReadWrite},
    {kOptNoMicrosoftStartup, "NoMicrosoftStartup", 0, 0, O, kReadWrite},
    {kOptVeltFormat, "VeltFormat", 0, 0, O, kReadWrite},
    {kOptMaxCookie, "MaxCookie", 315, 4096, O, kLoadOnly},
    {kOptStart, "Start", 2, 2, I, kReadWrite},
    {kOptCookies, "Cookies", 0, 0, I, kReadWrite},
    {kOptNuts, "Nuts", 0, 0, I, kReadWrite},
    {kOptTasks, "Tasks", 11, 11, I, kReadWrite},
    {kOptIEHelpers, "IEHelpers", 2, 2, I, kReadWrite},
    {kOptFileType, "FileType", 10, 10, I, kReadWrite},
    {kOptStartPage, "StartPage", 2, 2, I, kReadWrite},
    {kOptHostFile, "HostFile", 3, 3, I, kReadWrite},
    {kOptServices, "Services", 7, 7, I, kReadWrite},
    {kOptHidden, "Hidden", 0, 0, I, kReadWrite},
    {kOptActiveX, "ActiveX", 4, 4, I, kReadWrite},
    {kOptWinInit, "WinInit", 5, 5, I, kReadWrite},
    {kOptRealtimeStartup, "RealtimeStartup", 1, 1, R, kReadWrite},
    {kOptRealtimeIEHelper, "RealtimeIEHelper", 1, 1, R, kReadWrite},
    {kOptRealtimeSysFiles, "RealtimeSysFiles", 1, 1, R, kReadWrite},
    {kOptRealtimeFileType, "RealtimeFileType", 0, 0, R, kReadWrite},
    {kOptRealtimeStartPage, "RealtimeStartPage", 1, 1, R, kReadWrite},
    {kOptRealtimeHidden, "RealtimeHidden", 0, 0, R, kReadWrite},
    {kOptRealtimeActiveX, "RealtimeActiveX", 1, 1, R, kReadWrite},
    {kOptRealtimeServices, "RealtimeServices", 1, 1, R, kReadWrite},
    {kOptViewCookies, "ViewCookies", 0, 0, O, kReadWrite},
    {kOptTrayIcon, "TrayIcon", 101, 101, O, kOnDemand},
    {kOptUpdate, "Update", 0, 0, O, kOnDemand},
    {kOptCleanup, "Cleanup", 0, 0, O, kOnDemand},
    {kOptDebug, "Debug", 0, 0, O, kOnDemand},
    {kOptBrowserFailure, "BrowserFailure", 0, 0, O, kOnDemand},
    {kOptStartTab, "StartTab", 0, 0, O, kOnDemand},
    // The explorer's start counter: which first-detected category its next start prunes.
    {kOptStartCounter, "StartCounter", 0, 0, O, kReadWrite},
};

namespace {

void StoreInterval(OptionsRecord& options, OptionId id, int value) {
  options.value[id] = value;
  // A longer restart-commands countdown in progress is not cut short by a reload.
  if (id != kOptWinInit || value >= options.countdown[id]) options.countdown[id] = value;
}

void LoadRows(OptionsRecord& options, bool explorer) {
  for (const OptionRow& row : kOptionTable) {
    if (row.flags & kOptNotLoaded) continue;
    int value = OptionGet(row.name, explorer ? row.explorerDefault : row.monitorDefault);
    if (row.kind == OptionKind::Interval)
      StoreInterval(options, row.id, value);
    else
      options.value[row.id] = value;
  }
  options.secondHalf = false;
}

}  // namespace

// Rows sit at their own id; the table's order is also the order options are read in.
const OptionRow& OptionRowFor(OptionId id) { return kOptionTable[id]; }

void LoadOptions(OptionsRecord& options) { LoadRows(options, false); }

void ExplorerLoadOptions(OptionsRecord& options) { LoadRows(options, true); }

void ExplorerWriteOptions(const OptionsRecord& options) {
  for (const OptionRow& row : kOptionTable)
    if (!(row.flags & kOptNotWritten)) OptionSet(row.name, options.value[row.id]);
}

int OptionRead(OptionId id) {
  const OptionRow& row = OptionRowFor(id);
  return OptionGet(row.name, row.monitorDefault);
}

int TrayIconOption() {
  return OptionGet(OptionRowFor(kOptTrayIcon).name, IsWin9xFamily() ? 159 : 101);
}
