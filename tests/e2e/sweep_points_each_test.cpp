// Every autostart point beyond the catalogue's, one row each, with the real monitor and no
// tick from the test: the entry is written the way a program persisting there writes it, the
// change watch brings the check, the alert names it, No takes it out (the place is left as it
// was before), the history line says so and taking that line back puts the entry back.
// Hostile values per kind of place are listed verbatim or passed over, never asked twice.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "categories/scheduled_tasks_v2.h"
#include "history_text.h"
#include "monitor_driver.h"
#include "records/history_undo.h"
#include "sandbox.h"
#include "saved_place.h"
#include "task_service_probe.h"
#include "vault_text.h"

using namespace std::string_literals;

namespace {

constexpr char kIfeo[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
constexpr char kWow[] = "SOFTWARE\\Wow6432Node\\";
constexpr char kSilentExit[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SilentProcessExit";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kUserWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kActiveSetup[] = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components";
constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kLsa[] = "SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char kPrintMonitors[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
constexpr char kTsInstall[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Terminal Server\\Install\\Software\\"
    "Microsoft\\Windows\\CurrentVersion\\";
constexpr char kTsRdpwd[] = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\Wds\\rdpwd";
constexpr char kOfficeTest[] = "Software\\Microsoft\\Office test\\Special\\Perf";
constexpr char kRunOnceEx[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
constexpr char kUserPolicySystem[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kClasses[] = "Software\\Classes\\CLSID\\";
constexpr char kShadowClass[] = "{6D2E1F00-0000-4E00-9E00-00000000C1A5}";
constexpr char kActiveSetupId[] = "{6D2E1F00-0000-4E00-9E00-00000000A5E7}";
constexpr char kWow64Run[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

constexpr int kCommandField = 1026;
constexpr int kNameField = 100;
constexpr char kTaskFolder[] = "\\KvPointFolder";
constexpr char kTaskPath[] = "\\KvPointFolder\\KvPointTask";
constexpr DWORD kSeenWithinMs = 5000;
inline constexpr const char* kRealtimeSwitches[] = {
    "RealtimeStartup",   "RealtimeIEHelper", "RealtimeSysFiles", "RealtimeFileType",
    "RealtimeStartPage", "RealtimeHidden",   "RealtimeActiveX",  "RealtimeServices"};

// How the entry gets into its place.
enum class Seed {
  kValue,      // the value written whole
  kComma,      // the item appended to the comma list
  kMulti,      // the item appended to the multi-string
  kFile,       // a file dropped into the folder the key names
  kShadow,     // a per-user server for a class the machine has
};

struct PointRow {
  int code;
  const char* type;  // the history's name of the place
  Seed seed;
  HKEY root;
  std::string key;  // for kFile the folder, for kShadow the server key
  std::string value;
  std::string item;  // the command written
  std::string title;
  std::string itemKey;  // the line's last field, which the undo reads
  const char* sharedType = nullptr;  // the native place's name where the views share one key
};

std::string Expanded(const char* text) {
  char out[MAX_PATH] = "";
  ExpandEnvironmentStringsA(text, out, MAX_PATH);
  return out;
}

constexpr char kUserFolderRef[] = "%USERPROFILE%\\KvPointStartup";
constexpr char kCommonFolderRef[] = "%ALLUSERSPROFILE%\\KvPointCommon";

std::vector<PointRow> Rows() {
  const std::string wowIfeo = kWow + std::string(kIfeo).substr(9);
  const std::string wowSetup = kWow + std::string(kActiveSetup).substr(9);
  const std::string wowRunOnceEx = kWow + std::string(kRunOnceEx).substr(9);
  // One name in both folders: each must come back with its own content.
  const std::string userFile = Expanded(kUserFolderRef) + "\\kvpoint.bat";
  const std::string commonFile = Expanded(kCommonFolderRef) + "\\kvpoint.bat";
  const HKEY lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
  using S = Seed;
  return {
      {260, "REG_IFEODebugger", S::kValue, lm, kIfeo + "\\kvpoint260.exe"s, "Debugger",
       "C:\\KvPoint\\dbg260.exe", "kvpoint260.exe", "kvpoint260.exe"},
      {261, "WOW64_IFEODebugger", S::kValue, lm, wowIfeo + "\\kvpoint261.exe", "Debugger",
       "C:\\KvPoint\\dbg261.exe", "kvpoint261.exe", "kvpoint261.exe", "REG_IFEODebugger"},
      {262, "REG_SilentProcessExit", S::kValue, lm, kSilentExit + "\\kvpoint262.exe"s,
       "MonitorProcess", "C:\\KvPoint\\watch262.exe", "kvpoint262.exe", "kvpoint262.exe"},
      {263, "WINLOGON_UserShell", S::kValue, cu, kUserWinlogon, "Shell",
       "C:\\KvPoint\\shell263.exe", "Shell", ""},
      {264, "WINLOGON_Taskman", S::kValue, lm, kWinlogon, "Taskman", "C:\\KvPoint\\taskman264.exe",
       "Taskman", ""},
      {265, "WINLOGON_AppSetup", S::kComma, lm, kWinlogon, "AppSetup",
       "C:\\KvPoint\\appsetup265.exe", "appsetup265", ""},
      {266, "REG_ActiveSetup", S::kValue, lm, kActiveSetup + "\\"s + kActiveSetupId, "StubPath",
       "C:\\KvPoint\\stub266.exe /install", kActiveSetupId, kActiveSetupId},
      {267, "WOW64_ActiveSetup", S::kValue, lm, wowSetup + "\\" + kActiveSetupId, "StubPath",
       "C:\\KvPoint\\stub267.exe", kActiveSetupId, kActiveSetupId, "REG_ActiveSetup"},
      {268, "REG_BootExecute", S::kMulti, lm, kSessionManager, "BootExecute",
       "C:\\KvPoint\\native268.exe", "native268", ""},
      {269, "REG_AppCertDlls", S::kValue, lm, kSessionManager + "\\AppCertDlls"s, "KvPoint269",
       "C:\\KvPoint\\cert269.dll", "KvPoint269", "KvPoint269"},
      {270, "LSA_AuthenticationPackages", S::kMulti, lm, kLsa, "Authentication Packages",
       "kvauth270", "kvauth270", ""},
      {271, "LSA_NotificationPackages", S::kMulti, lm, kLsa, "Notification Packages",
       "kvnotify271", "kvnotify271", ""},
      {272, "LSA_SecurityPackages", S::kMulti, lm, kLsa, "Security Packages", "kvssp272",
       "kvssp272", ""},
      {273, "REG_PrintMonitor", S::kValue, lm, kPrintMonitors + "\\KvPoint Monitor"s, "Driver",
       "kvmon273.dll", "KvPoint Monitor", "KvPoint Monitor"},
      {274, "REG_NetshHelper", S::kValue, lm, "SOFTWARE\\Microsoft\\NetSh", "kvpoint274",
       "C:\\KvPoint\\netsh274.dll", "kvpoint274", "kvpoint274"},
      {275, "DESKTOP_ScreenSaver", S::kValue, cu, "Control Panel\\Desktop", "SCRNSAVE.EXE",
       "C:\\KvPoint\\saver275.scr", "SCRNSAVE.EXE", ""},
      {276, "TS_RUN", S::kValue, lm, kTsInstall + "Run"s, "KvPoint276",
       "C:\\KvPoint\\tsrun276.exe", "KvPoint276", "KvPoint276"},
      {277, "TS_RUNONCE", S::kValue, lm, kTsInstall + "RunOnce"s, "KvPoint277",
       "C:\\KvPoint\\tsonce277.exe", "KvPoint277", "KvPoint277"},
      {278, "TS_StartupPrograms", S::kComma, lm, kTsRdpwd, "StartupPrograms",
       "C:\\KvPoint\\tsprog278.exe", "tsprog278", ""},
      {279, "CURRENT_OfficeTest", S::kValue, cu, kOfficeTest, "", "C:\\KvPoint\\office279.dll",
       "office279", ""},
      {280, "MACHINE_OfficeTest", S::kValue, lm, kOfficeTest, "", "C:\\KvPoint\\office280.dll",
       "office280", ""},
      {281, "MACHINE_RUNONCEEX_SUB", S::kValue, lm, kRunOnceEx + "\\KvPoint281"s, "Step",
       "C:\\KvPoint\\roex281.exe", "Step", "KvPoint281\\Step"},
      {282, "CURRENT_RUNONCEEX_SUB", S::kValue, cu, kRunOnceEx + "\\KvPoint282"s, "Step",
       "C:\\KvPoint\\roex282.exe", "Step", "KvPoint282\\Step"},
      {283, "WOW64_RUNONCEEX_SUB", S::kValue, lm, wowRunOnceEx + "\\KvPoint283", "Step",
       "C:\\KvPoint\\roex283.exe", "Step", "KvPoint283\\Step", "MACHINE_RUNONCEEX_SUB"},
      {284, "GROUP_UserShellStartup", S::kFile, cu, Expanded(kUserFolderRef), "", userFile,
       "kvpoint", userFile},
      {285, "GROUP_CommonShellStartup", S::kFile, lm, Expanded(kCommonFolderRef), "", commonFile,
       "kvpoint", commonFile},
      {286, "COM_UserShadow", S::kShadow, cu,
       kClasses + std::string(kShadowClass) + "\\InprocServer32",
       "", "C:\\KvPoint\\shadow286.dll", "Kv Point Class", kShadowClass},
      {287, "WINLOGON_PolicyShell", S::kValue, cu, kUserPolicySystem, "Shell",
       "C:\\KvPoint\\policy287.exe", "Shell", ""},
  };
}

// Wine, like Windows, links some 32-bit keys to the native ones (Image File Execution
// Options): what is written there is the native place's entry.
bool SharedView(const PointRow& row) {
  if (!row.sharedType) return false;
  const std::string parent = row.key.substr(0, row.key.rfind('\\'));
  HKEY key = nullptr;
  if (RegOpenKeyExA(row.root, parent.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE;
  const bool link = RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr,
                                     nullptr) == ERROR_SUCCESS && type == REG_LINK;
  RegCloseKey(key);
  return link;
}

std::string StoredBytes(const PointRow& row) {
  return SavedPlace(row.root, row.key, row.value).bytes;
}

std::string WithoutTerminators(std::string bytes) {
  while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  return bytes;
}

// Where a removed startup file waits for its undo.
std::string VaultCopy(const std::string& path) {
  return ReadRegString(HKEY_CURRENT_USER,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       "AppData") +
         "\\Korvane\\vault\\" + VaultCopyName(path);
}

std::string FileContent(const PointRow& row) { return "@rem " + std::to_string(row.code) + "\r\n"; }

void SeedRow(const PointRow& row) {
  const std::string held = WithoutTerminators(StoredBytes(row));
  switch (row.seed) {
    case Seed::kValue:
    case Seed::kShadow:
      WriteRegValue(row.root, row.key, row.value.c_str(), REG_SZ, row.item + '\0');
      break;
    case Seed::kComma:
      WriteRegValue(row.root, row.key, row.value.c_str(), REG_SZ,
                    (held.empty() ? "" : held + ",") + row.item + '\0');
      break;
    case Seed::kMulti:
      WriteRegValue(row.root, row.key, row.value.c_str(), REG_MULTI_SZ,
                    (held.empty() ? "" : held + '\0') + row.item + '\0' + '\0');
      break;
    case Seed::kFile: ASSERT_TRUE(WriteTextFile(row.item, FileContent(row))); break;
  }
}

bool RowHolds(const PointRow& row) {
  if (row.seed == Seed::kFile) return FileText(row.item) == FileContent(row);
  return Contains(StoredBytes(row), row.item);
}

std::string RemovedLine(const PointRow& row) {
  return "\t*START_Remove\t"s + row.type + "\t" + row.title + "\t" + row.item + "\t" +
         row.itemKey + "\r\n";
}

// The history line of the row's removal, parsed as the history dialog parses it.
HistoryRecord RemovedRecord(const PointRow& row) {
  const std::string text = FileText(HistoryFilePath());
  const std::size_t at = text.find(RemovedLine(row));
  if (at == std::string::npos) return {};
  const std::size_t start = text.rfind('\n', at);
  const std::size_t begin = start == std::string::npos ? 0 : start + 1;
  return ParseHistoryLine(text.substr(begin, text.find('\n', at) - begin));
}

// A hostile value in one kind of place. listed: the alert's command, empty when the value is
// passed over; reject: answered No (and then gone), otherwise kept.
struct HostileRow {
  const char* what;
  HKEY root;
  std::string key, value;
  DWORD type;
  std::string bytes;
  std::string listed;
  bool reject = false;
};

constexpr char kHostileIfeo[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\"
    "kv\xE9hostile.exe";
constexpr char kHostileIfeoBare[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\kvhostile.exe";
constexpr char kHostileIfeoHuge[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\kvhuge.exe";
constexpr char kAppCert[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\AppCertDlls";
constexpr char kHostileRunOnceEx[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx\\KvHostile";
constexpr char kHostileShadow[] = "{6D2E1F00-0000-4E00-9E00-00000000BAD1}";
constexpr char kOrphanShadow[] = "{6D2E1F00-0000-4E00-9E00-00000000BAD2}";

std::string ShadowServer(const char* clsid) {
  return kClasses + std::string(clsid) + "\\InprocServer32";
}

constexpr char kIExplore[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

// The 8.3 form of an existing file, as an installer may write it.
std::string ShortForm(const char* path) {
  char out[MAX_PATH] = "";
  const DWORD length = GetShortPathNameA(path, out, MAX_PATH);
  return length > 0 && length < MAX_PATH ? out : path;
}

// The hostile values no check may list: wrong types, nothing but blanks, more than a value
// can sensibly hold, a RunOnceEx description, a shadow of a class the machine lacks.
std::vector<HostileRow> PassedOver() {
  const HKEY lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
  return {
      {"a number as the shell", cu, kUserWinlogon, "Shell", REG_DWORD, "\x01\0\0\0"s, ""},
      {"bytes as the task manager", lm, kWinlogon, "Taskman", REG_BINARY,
       "C:\\KvHostile\\bin.exe"s, ""},
      {"blanks as the screensaver", cu, "Control Panel\\Desktop", "SCRNSAVE.EXE", REG_SZ,
       "   \0"s, ""},
      {"commas and blanks only", lm, kWinlogon, "AppSetup", REG_SZ, " , ,, "s, ""},
      {"a boot list of the system's own", lm, kSessionManager, "BootExecute", REG_MULTI_SZ,
       "\0AUTOCHECK autochk /k:C *\0\0"s, ""},
      {"a package list as a number", lm, kLsa, "Authentication Packages", REG_DWORD,
       "\x02\0\0\0"s, ""},
      {"an empty debugger", lm, kHostileIfeoBare, "Debugger", REG_SZ, "\0"s, ""},
      {"a debugger of over a megabyte", lm, kHostileIfeoHuge, "Debugger", REG_SZ,
       "C:\\" + std::string((1u << 20) + 16, 'h'), ""},
      {"a certificate DLL as the default value", lm, kAppCert, "", REG_SZ,
       "C:\\KvHostile\\d.dll"s, ""},
      {"a RunOnceEx description", cu, kHostileRunOnceEx, "", REG_SZ, "Installing\0"s, ""},
      {"a RunOnceEx step as bytes", cu, kHostileRunOnceEx, "Raw", REG_BINARY, "\xFF\xFE\0\0"s, ""},
      {"a shadow server as a number", cu, ShadowServer(kHostileShadow), "", REG_DWORD,
       "\x03\0\0\0"s, ""},
      {"a shadow of no machine class", cu, ShadowServer(kOrphanShadow), "", REG_SZ,
       "C:\\KvHostile\\orphan.dll"s, ""},
  };
}

// Written one at a time, each listed verbatim (cut to the list's 259 characters).
std::vector<HostileRow> Listed() {
  const HKEY lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
  const std::string huge = "C:\\KvHostile\\" + std::string(64 * 1024, 'q') + ".exe";
  const std::string longName = "KvCert" + std::string(300, 'n');
  return {
      {"a shell with high bytes and no NUL", cu, kUserWinlogon, "Shell", REG_SZ,
       "C:\\KvHostile\\caf\xE9\xFF.exe"s, "C:\\KvHostile\\caf\xE9\xFF.exe"},
      {"a task manager of 64 KB, rejected", lm, kWinlogon, "Taskman", REG_SZ, huge + '\0',
       huge.substr(0, 259), true},
      {"a comma list with empty items", lm, kWinlogon, "AppSetup", REG_SZ,
       " , ,C:\\KvHostile\\comma\xE9.exe, "s, "C:\\KvHostile\\comma\xE9.exe"},
      {"a boot list with holes and no end", lm, kSessionManager, "BootExecute", REG_MULTI_SZ,
       "autocheck autochk *\0\0\0C:\\KvHostile\\m\xE9.exe"s, "C:\\KvHostile\\m\xE9.exe"},
      {"an expandable certificate DLL", lm, kAppCert, "Kv\xE9" "Cert", REG_EXPAND_SZ,
       "%SystemRoot%\\kv\xE9.dll\0"s, "%SystemRoot%\\kv\xE9.dll"},
      {"a certificate DLL named in 306 characters, rejected", lm, kAppCert, longName, REG_SZ,
       "C:\\KvHostile\\long.dll\0"s, "C:\\KvHostile\\long.dll", true},
      {"a debugger under a high-byte program", lm, kHostileIfeo, "Debugger", REG_SZ,
       "C:\\KvHostile\\dbg\xE9.exe"s, "C:\\KvHostile\\dbg\xE9.exe"},
      {"a RunOnceEx step with a high-byte name", cu, kHostileRunOnceEx, "Kv\xE9Step", REG_SZ,
       "C:\\KvHostile\\step.exe\0"s, "C:\\KvHostile\\step.exe"},
      {"a shadow server with quotes, rejected", cu, ShadowServer(kHostileShadow), "", REG_SZ,
       "\"C:\\KvHostile\\shadow.dll\"\0"s, "C:\\KvHostile\\shadow.dll", true},
      {"a program's short name, rejected", lm, kWinlogon, "Taskman", REG_SZ,
       ShortForm(kIExplore) + '\0', kIExplore, true},
  };
}

class SweepPointsEachTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    WriteOption("Start", "500");  // far beyond the test: only a change brings the check
    WriteOption("Debug", "1");
    for (const char* realtime : kRealtimeSwitches) WriteOption(realtime, "0");
    // A 64-bit system's 32-bit view, which the monitor looks for when it starts.
    Keep(HKEY_LOCAL_MACHINE, kWow64Run, "");
    WriteRegString(HKEY_LOCAL_MACHINE, kWow64Run, "", "");
    Keep(HKEY_CURRENT_USER, kUserShellFolders, "Startup");
    Keep(HKEY_LOCAL_MACHINE, kUserShellFolders, "Common Startup");
    Keep(HKEY_LOCAL_MACHINE, kClasses + std::string(kShadowClass), "");
    Keep(HKEY_CURRENT_USER, kClasses + std::string(kShadowClass), "");
    for (const PointRow& row : Rows())
      if (row.seed != Seed::kFile) Keep(row.root, row.key, row.value.c_str());
    for (const char* folder : {kUserFolderRef, kCommonFolderRef})
      CreateDirectoryA(Expanded(folder).c_str(), nullptr);
    WriteRegValue(HKEY_CURRENT_USER, kUserShellFolders, "Startup", REG_EXPAND_SZ,
                  kUserFolderRef + "\0"s);
    WriteRegValue(HKEY_LOCAL_MACHINE, kUserShellFolders, "Common Startup", REG_EXPAND_SZ,
                  kCommonFolderRef + "\0"s);
    WriteRegString(HKEY_LOCAL_MACHINE, kClasses + std::string(kShadowClass), "", "Kv Point Class");
    // The system's own items, which the lists keep.
    if (!RegValueExists(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute"))
      WriteRegValue(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ,
                    "autocheck autochk *\0\0"s);
    if (!RegValueExists(HKEY_LOCAL_MACHINE, kLsa, "Authentication Packages"))
      WriteRegValue(HKEY_LOCAL_MACHINE, kLsa, "Authentication Packages", REG_MULTI_SZ,
                    "msv1_0\0\0"s);
    if (!RegValueExists(HKEY_LOCAL_MACHINE, kLsa, "Notification Packages"))
      WriteRegValue(HKEY_LOCAL_MACHINE, kLsa, "Notification Packages", REG_MULTI_SZ,
                    "scecli\0\0"s);
    if (!RegValueExists(HKEY_LOCAL_MACHINE, kTsRdpwd, "StartupPrograms"))
      WriteRegString(HKEY_LOCAL_MACHINE, kTsRdpwd, "StartupPrograms", "rdpclip");
  }
  void TearDown() override {
    MonitorTest::TearDown();
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) it->Put();
    for (const PointRow& row : Rows())
      if (row.seed == Seed::kFile) {
        DeleteFileA(row.item.c_str());
        DeleteFileA(VaultCopy(row.item).c_str());
      }
    DeleteFileA((TasksV2Folder() + kTaskPath).c_str());
    RemoveDirectoryA((TasksV2Folder() + kTaskFolder).c_str());
    const std::string user = Expanded(kUserFolderRef);
    for (const char* name : {"\\desktop.ini", "\\kv\xE9\xFCpoint.bat"})
      DeleteFileA((user + name).c_str());
    RemoveDirectoryA((user + "\\kvsub.bat").c_str());
    for (const char* folder : {kUserFolderRef, kCommonFolderRef})
      RemoveDirectoryA(Expanded(folder).c_str());
  }
  void Keep(HKEY root, const std::string& key, const char* name) {
    saved_.emplace_back(root, key, name);
  }
  HWND LaunchWatching() {
    ProgramRun& monitor = Launch("");
    monitor_ = &monitor;
    const HWND window = WatchMonitor(monitor);
    EXPECT_TRUE(WaitMessagesHandled(window));
    Sleep(300);
    return window;
  }
  HWND Alert() const { return WaitDialog(monitor_->Id(), kAlertCaption, kSeenWithinMs); }
  // No alert is waiting or comes once every change so far has been handled.
  bool Quiet(HWND window) const {
    Sleep(1500);
    return WaitMessagesHandled(window) && FindDialog(monitor_->Id(), kAlertCaption) == nullptr;
  }

  std::vector<SavedPlace> saved_;
  ProgramRun* monitor_ = nullptr;
};

}  // namespace

TEST_F(SweepPointsEachTest, EveryPointIsAlertedRejectedLoggedAndUndone) {
  const HWND window = LaunchWatching();
  std::vector<PointRow> rejected;
  for (PointRow row : Rows()) {
    if (SharedView(row)) row.type = row.sharedType;
    SCOPED_TRACE(row.type);
    const SavedPlace before(row.root, row.key, row.value);
    SeedRow(row);
    const HWND alert = Alert();
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ(row.item, DialogItemText(alert, kCommandField));
    EXPECT_TRUE(WaitHistoryHas("\tSTART_Alert\t"s + row.type + "\t" + row.title + "\t"));
    PressBoxButton(alert, IDNO);
    EXPECT_TRUE(WaitUntil(
        [&] { return row.seed == Seed::kFile ? !PathExists(row.item) : !RowHolds(row); }));
    if (row.seed != Seed::kFile) {
      EXPECT_TRUE(before.Same(SavedPlace(row.root, row.key, row.value)));
    }
    EXPECT_TRUE(WaitHistoryHas(RemovedLine(row))) << FileText(HistoryFilePath());
    rejected.push_back(row);
  }
  EXPECT_TRUE(Quiet(window));
  EXPECT_TRUE(monitor_->Running());
  monitor_->Kill();
  // Taken back the way the history dialog takes a line back.
  for (const PointRow& row : rejected) {
    SCOPED_TRACE(row.type);
    const HistoryRecord record = RemovedRecord(row);
    ASSERT_NE(kHistoryTypeUnknown, record.typeCode) << "no line " << RemovedLine(row);
    EXPECT_EQ(1, HistoryUndo(record));
    EXPECT_TRUE(RowHolds(row));
  }
}

TEST_F(SweepPointsEachTest, HostileValuesAreListedVerbatimOrPassedOverAndNeverAskedTwice) {
  WriteRegString(HKEY_LOCAL_MACHINE, kClasses + std::string(kHostileShadow), "",
                 "Kv Hostile Class");
  Keep(HKEY_LOCAL_MACHINE, kClasses + std::string(kHostileShadow), "");
  for (const char* clsid : {kHostileShadow, kOrphanShadow})
    Keep(HKEY_CURRENT_USER, kClasses + std::string(clsid), "");
  Keep(HKEY_LOCAL_MACHINE, kAppCert, "KvSentinel");
  for (const auto& rows : {PassedOver(), Listed()})
    for (const HostileRow& row : rows) Keep(row.root, row.key, row.value.c_str());
  const HWND window = LaunchWatching();

  for (const HostileRow& row : PassedOver())
    WriteRegValue(row.root, row.key, row.value.c_str(), row.type, row.bytes);
  WriteRegString(HKEY_LOCAL_MACHINE, kAppCert, "KvSentinel", "C:\\KvHostile\\sentinel.dll");
  HWND alert = Alert();
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ("C:\\KvHostile\\sentinel.dll", DialogItemText(alert, kCommandField))
      << "a passed-over value was listed";
  PressBoxButton(alert, IDYES);

  for (const HostileRow& row : Listed()) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(WaitMessagesHandled(window));
    WriteRegValue(row.root, row.key, row.value.c_str(), row.type, row.bytes);
    alert = Alert();
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ(row.listed, DialogItemText(alert, kCommandField));
    PressBoxButton(alert, row.reject ? IDNO : IDYES);
    if (row.reject) {
      EXPECT_TRUE(WaitUntil(
          [&] { return !RegValueExists(row.root, row.key.c_str(), row.value.c_str()); }));
    }
  }
  // A startup file named in high bytes is listed; a sub-folder and the folder's settings are not.
  const std::string folder = Expanded(kUserFolderRef);
  ASSERT_TRUE(CreateDirectoryA((folder + "\\kvsub.bat").c_str(), nullptr));
  ASSERT_TRUE(WriteTextFile(folder + "\\desktop.ini", "[.ShellClassInfo]\r\n"));
  const std::string named = folder + "\\kv\xE9\xFCpoint.bat";
  ASSERT_TRUE(WriteTextFile(named, "@exit\r\n"));
  alert = Alert();
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(named, DialogItemText(alert, kCommandField));
  PressBoxButton(alert, IDYES);
  // One more change, one more check: nothing kept is asked again.
  WriteRegString(HKEY_CURRENT_USER, kHostileRunOnceEx, "", "Still installing");
  EXPECT_TRUE(Quiet(window));
  EXPECT_TRUE(monitor_->Running());
}

// The Task Scheduler 2.0 task, registered through the real service: seen by the folder watch.
TEST_F(SweepPointsEachTest, ANewSchedulerTaskIsAlertedWithoutATickAndRejectingKeepsItsFile) {
  const std::string file = TasksV2Folder() + kTaskPath;
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  WriteOption("Tasks", "500");
  LaunchWatching();
  ASSERT_EQ(S_OK, RegisterProbeTask(L"KvPointFolder", L"KvPointTask", L"C:\\KvPoint\\task801.exe",
                                    L"/persist"));
  const std::string xml = FileText(file);
  const HWND alert = Alert();
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(kTaskPath, DialogItemText(alert, kNameField));
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !PathExists(file); }));
  const std::string line = "\tTASK_Remove\tTASK_SCHEDULED2\t"s + kTaskPath + "\t";
  EXPECT_TRUE(WaitHistoryHas(line));
  // The line's last field names the copy kept of the task's file.
  const std::string history = FileText(HistoryFilePath());
  const std::size_t at = history.find(line);
  ASSERT_NE(std::string::npos, at);
  const std::string rest = history.substr(at, history.find("\r\n", at) - at);
  const std::string copy = rest.substr(rest.rfind('\t') + 1);
  EXPECT_EQ(xml, FileText(copy));
  DeleteFileA(copy.c_str());
  CoUninitialize();
}
