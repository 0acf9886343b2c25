// The codes that say where an item comes from: a startup location or a category. The item
// list, the startup snapshot, the disabled index and the history log all use these numbers,
// so each is named once here. Platform-free.
#pragma once

// Startup locations. The Run family: per-machine 1-7, per-user 11-17, the 32-bit view 21-27;
// the position within each root picks the key (Run, RunOnce, RunOnceEx, ...).
inline constexpr int kLocationMachineRun = 1;
inline constexpr int kLocationFirstPerUser = 11;
inline constexpr int kRunFamilySize = 7;
// The Run-family codes whose key runs its entries once only.
inline constexpr int kRunOnceCodes[] = {2, 3, 5, 6, 12, 13, 15, 16, 22, 23, 25, 26};
inline constexpr int kLocationWinLoad = 100;
inline constexpr int kLocationWinRun = 101;
inline constexpr int kLocationStartupFolder = 200;
inline constexpr int kLocationUserinit = 250;
inline constexpr int kLocationShell = 251;
inline constexpr int kLocationDelayLoad = 252;
inline constexpr int kLocationTaskScheduler = 253;
inline constexpr int kLocationShellHook = 254;
inline constexpr int kLocationAppInit = 255;
inline constexpr int kLocationNotify = 256;
// The autostart points found beyond the catalogue's places (debuggers, boot and security
// packages, helpers, per-user shadows of machine-wide classes ...): one code each in this range.
inline constexpr int kFirstPointCode = 260;
inline constexpr int kLastPointCode = 289;

// Categories: every code from here up names one.
inline constexpr int kFirstCategoryCode = 300;
inline constexpr int kTypeHidden = 370;
inline constexpr int kFileTypeCode = 400;
// An Internet Explorer cookie file; a Mozilla cookie.
inline constexpr int kItemCookieCode = 500;
inline constexpr int kCookieMozillaCode = 504;
// A running program.
inline constexpr int kTaskCode = 600;
inline constexpr int kServiceExeCode = 700;
inline constexpr int kServiceSvchostCode = 701;
inline constexpr int kTaskScheduledCode = 800;
// A task of the Task Scheduler 2.0, kept as an XML file rather than a work item.
inline constexpr int kTaskScheduled2Code = 801;
inline constexpr int kTypeBHO = 900;
inline constexpr int kTypeToolbar = 901;
inline constexpr int kTypeExtension = 902;
inline constexpr int kTypeActiveX = 1200;
// What the history log records for a code it has no name for.
inline constexpr int kHistoryTypeUnknown = 3000;
