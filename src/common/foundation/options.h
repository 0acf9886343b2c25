// The option table: every numeric option of the monitor, in the order it is read.
#pragma once

enum class OptionKind { Policy, Interval, Realtime, Other };

enum OptionId {
  kOptSendHistory, kOptHideTobbit, kOptHideStartup, kOptHideIEHelper, kOptHideServices,
  kOptHideActiveX, kOptHideTasks, kOptHideFileType, kOptHideHidden, kOptHideSystemFiles,
  kOptHideHomePage, kOptFormat, kOptConfirmExit, kOptSound, kOptHistory,
  kOptHideMicrosoftServices, kOptHideMicrosoftActiveX, kOptIncludeKillBit, kOptActiveXListAll,
  kOptLockFileTypes, kOptShowAllStartup, kOptNoMicrosoftStartup, kOptVeltFormat, kOptMaxCookie,
  kOptStart, kOptCookies, kOptNuts, kOptTasks, kOptIEHelpers, kOptFileType, kOptStartPage,
  kOptHostFile, kOptServices, kOptHidden, kOptActiveX, kOptWinInit,
  kOptRealtimeStartup, kOptRealtimeIEHelper, kOptRealtimeSysFiles, kOptRealtimeFileType,
  kOptRealtimeStartPage, kOptRealtimeHidden, kOptRealtimeActiveX, kOptRealtimeServices,
  kOptViewCookies, kOptTrayIcon, kOptUpdate, kOptCleanup, kOptDebug, kOptBrowserFailure,
  kOptStartTab, kOptStartCounter,
  kOptionCount
};

// Which of the three walkers leave a row out.
enum OptionFlags : unsigned {
  kOptNotLoaded = 1u,   // neither loader reads it (read on demand)
  kOptNotWritten = 2u,  // the explorer's writer leaves it alone
};

struct OptionRow {
  OptionId id;
  const char* name;
  int monitorDefault;
  int explorerDefault;
  OptionKind kind;
  unsigned flags;
};

extern const OptionRow kOptionTable[kOptionCount];
const OptionRow& OptionRowFor(OptionId id);

// The loaded options; intervals also carry their running countdowns.
struct OptionsRecord {
  int value[kOptionCount];
  int countdown[kOptionCount];
  bool secondHalf;  // sweep phase; loading resets it so the next cycle is a first half
};

void LoadOptions(OptionsRecord& options);           // the monitor's loader
void ExplorerLoadOptions(OptionsRecord& options);   // same rows; MaxCookie's explorer default
void ExplorerWriteOptions(const OptionsRecord& options);
int TrayIconOption();  // read on demand; 159 on the 9x family
// The option as stored now, or the table's monitor default when none is stored (only
// MaxCookie's explorer default differs; ExplorerLoadOptions reads that one).
int OptionRead(OptionId id);
