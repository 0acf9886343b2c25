#include "startup/startup_points.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "history_text.h"
#include "records/history_undo.h"
#include "sandbox.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_list.h"
#include "startup/value_places.h"

using namespace std::string_literals;

namespace {

constexpr char kIfeo[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kLsa[] = "SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// One point: what is written where, and the entry it must give.
struct PointCase {
  int code;
  HKEY root;
  std::string path;
  const char* value;
  DWORD type;
  std::string data;
  const char* title;
  const char* command;
  const char* key;
  const char* historyType;
};

std::vector<PointCase> PointCases() {
  return {
      {260, HKEY_LOCAL_MACHINE, std::string(kIfeo) + "\\notepad.exe", "Debugger", REG_SZ,
       "C:\\Bad\\dbg.exe -x", "notepad.exe", "C:\\Bad\\dbg.exe -x", "notepad.exe",
       "REG_IFEODebugger"},
      {262, HKEY_LOCAL_MACHINE,
       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SilentProcessExit\\calc.exe",
       "MonitorProcess", REG_SZ, "C:\\Bad\\watch.exe", "calc.exe", "C:\\Bad\\watch.exe",
       "calc.exe", "REG_SilentProcessExit"},
      {263, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
       "Shell", REG_SZ, "C:\\Bad\\shell.exe", "Shell", "C:\\Bad\\shell.exe", "",
       "WINLOGON_UserShell"},
      {264, HKEY_LOCAL_MACHINE, kWinlogon, "Taskman", REG_SZ, "C:\\Bad\\tm.exe", "Taskman",
       "C:\\Bad\\tm.exe", "", "WINLOGON_Taskman"},
      {265, HKEY_LOCAL_MACHINE, kWinlogon, "AppSetup", REG_SZ, "C:\\Bad\\b.exe",
       "b", "C:\\Bad\\b.exe", "", "WINLOGON_AppSetup"},
      {266, HKEY_LOCAL_MACHINE,
       "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{11111111-2222}", "StubPath",
       REG_EXPAND_SZ, "\"C:\\Bad\\stub.exe\" /install", "{11111111-2222}",
       "C:\\Bad\\stub.exe /install", "{11111111-2222}", "REG_ActiveSetup"},
      {268, HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ,
       "autocheck autochk *\0C:\\Bad\\native.exe\0\0"s, "native", "C:\\Bad\\native.exe", "",
       "REG_BootExecute"},
      {269, HKEY_LOCAL_MACHINE, std::string(kSessionManager) + "\\AppCertDlls", "Hook", REG_SZ,
       "C:\\Bad\\cert.dll", "Hook", "C:\\Bad\\cert.dll", "Hook", "REG_AppCertDlls"},
      {270, HKEY_LOCAL_MACHINE, kLsa, "Authentication Packages", REG_MULTI_SZ,
       "msv1_0\0evilauth\0\0"s, "evilauth", "evilauth", "", "LSA_AuthenticationPackages"},
      {271, HKEY_LOCAL_MACHINE, kLsa, "Notification Packages", REG_MULTI_SZ,
       "scecli\0pwdspy\0\0"s, "pwdspy", "pwdspy", "", "LSA_NotificationPackages"},
      {272, HKEY_LOCAL_MACHINE, kLsa, "Security Packages", REG_MULTI_SZ,
       "kerberos\0msv1_0\0mimi\0\0"s, "mimi", "mimi", "", "LSA_SecurityPackages"},
      {273, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Evil",
       "Driver", REG_SZ, "C:\\Bad\\mon.dll", "Evil", "C:\\Bad\\mon.dll", "Evil",
       "REG_PrintMonitor"},
      {274, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\NetSh", "evilnet", REG_SZ,
       "C:\\Bad\\net.dll", "evilnet", "C:\\Bad\\net.dll", "evilnet", "REG_NetshHelper"},
      {275, HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE", REG_SZ,
       "C:\\Bad\\saver.scr", "SCRNSAVE.EXE", "C:\\Bad\\saver.scr", "", "DESKTOP_ScreenSaver"},
      {276, HKEY_LOCAL_MACHINE,
       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Terminal Server\\Install\\Software\\"
       "Microsoft\\Windows\\CurrentVersion\\Run",
       "TsTool", REG_SZ, "C:\\Bad\\ts.exe", "TsTool", "C:\\Bad\\ts.exe", "TsTool", "TS_RUN"},
      {278, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\Wds\\rdpwd",
       "StartupPrograms", REG_SZ, "rdpclip,C:\\Bad\\rdp.exe", "rdp", "C:\\Bad\\rdp.exe", "",
       "TS_StartupPrograms"},
      {279, HKEY_CURRENT_USER, "Software\\Microsoft\\Office test\\Special\\Perf", "", REG_SZ,
       "C:\\Bad\\office.dll", "office", "C:\\Bad\\office.dll", "", "CURRENT_OfficeTest"},
      {287, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
       "Shell", REG_EXPAND_SZ, "%SystemRoot%\\pshell.exe", "Shell", "%SystemRoot%\\pshell.exe",
       "", "WINLOGON_PolicyShell"},
      {281, HKEY_LOCAL_MACHINE,
       "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx\\0001", "Step", REG_SZ,
       "C:\\Bad\\once.dll|Go", "Step", "C:\\Bad\\once.dll|Go", "0001\\Step",
       "MACHINE_RUNONCEEX_SUB"},
  };
}

void WriteCase(const PointCase& c, const std::string& data) {
  WriteRegValue(c.root, c.path, c.value, c.type, data);
}

std::vector<ItemRow> RowsOf(int code) {
  BuildStartupList(0);
  std::vector<ItemRow> rows;
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemCode(i) == code) rows.push_back(ReadItem(i));
  ItemListClear();
  return rows;
}

std::vector<std::string> Items(HKEY root, const std::string& path, const char* value) {
  DWORD type = REG_NONE, size = 0;
  if (RegGetValueA(root, path.c_str(), value, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size))
    return {};
  std::string bytes(size, '\0');
  RegGetValueA(root, path.c_str(), value, RRF_RT_ANY | RRF_NOEXPAND, &type, bytes.data(), &size);
  return PointItems(bytes.substr(0, size),
                    type == REG_MULTI_SZ ? PointListKind::kMultiString : PointListKind::kCommaList);
}

bool Holds(const PointCase& c, const char* command) {
  for (const std::string& item : Items(c.root, c.path, c.value))
    if (PointSameItem(item, command)) return true;
  return false;
}

class StartupPointsTest : public RegistrySandbox {};

}  // namespace

TEST_F(StartupPointsTest, EachPointIsListedAlertedRemovedWithHistoryAndRestored) {
  for (const PointCase& c : PointCases()) {
    SCOPED_TRACE(c.code);
    WriteCase(c, c.data);
    const std::vector<std::string> before = Items(c.root, c.path, c.value);
    const std::vector<ItemRow> rows = RowsOf(c.code);
    ASSERT_EQ(1u, rows.size()) << "the system's own items stay out";
    EXPECT_EQ(c.title, rows[0].title);
    EXPECT_EQ(c.command, rows[0].command);
    EXPECT_EQ(c.key, rows[0].key);
    EXPECT_STRNE("", ShortLocationName(c.code));
    char label[512];
    EXPECT_GT(LocationLabelOf(false, c.code, label, sizeof label), 0);

    // New until known, then quiet: the monitor's startup check.
    EXPECT_EQ(1, StartupChanged());
    ItemListClear();
    RebuildKnownEntries();
    EXPECT_EQ(0, StartupChanged());
    ItemListClear();

    const ItemRow& row = rows[0];
    ASSERT_EQ(1, RemoveStartupEntry(row.title.c_str(), row.command.c_str(), row.key.c_str(),
                                    c.code));
    EXPECT_FALSE(Holds(c, c.command));
    EXPECT_TRUE(RowsOf(c.code).empty());
    EXPECT_NE(std::string::npos,
              HistoryText().find("*START_Remove\t"s + c.historyType + "\t" + c.title + "\t"));
    // Removing again finds nothing and writes nothing.
    EXPECT_EQ(0, RemoveStartupEntry(row.title.c_str(), row.command.c_str(), row.key.c_str(),
                                    c.code));

    // Undone from the history line, as the history dialog does: the type name leads back.
    const std::vector<HistoryRecord> records = ParseHistoryText(HistoryText());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(c.code, records.back().typeCode);
    ASSERT_EQ(1, HistoryUndo(records.back()));
    // The list is whole again: the system's own items kept, the entry's item back (without
    // the quotes the item list drops).
    const std::vector<std::string> after = Items(c.root, c.path, c.value);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(PointSameItem(before[i], after[i]));
    const std::vector<ItemRow> back = RowsOf(c.code);
    ASSERT_EQ(1u, back.size());
    EXPECT_EQ(c.command, back[0].command);
    EXPECT_EQ(c.code, SnapshotLookup(back[0].title.c_str(), back[0].command.c_str()));
  }
}

TEST_F(StartupPointsTest, ListsKeepTheSystemsOwnItemsAndTheirTypeWhenOneGoes) {
  const std::string boot = "autocheck autochk *\0C:\\A\\one.exe\0C:\\A\\two.exe\0\0"s;
  WriteRegValue(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ, boot);
  ASSERT_EQ(2u, RowsOf(268).size());
  EXPECT_EQ(1, RemoveStartupEntry("one", "c:\\a\\ONE.exe", "", 268));
  DWORD type = REG_NONE;
  RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", RRF_RT_ANY, &type, nullptr,
               nullptr);
  EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
  EXPECT_EQ((std::vector<std::string>{"autocheck autochk *", "C:\\A\\two.exe"}),
            Items(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute"));
  // The last extra item leaves the system's own behind, not an empty value.
  EXPECT_EQ(1, RemoveStartupEntry("two", "C:\\A\\two.exe", "", 268));
  EXPECT_EQ((std::vector<std::string>{"autocheck autochk *"}),
            Items(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute"));
  // A value that changed since it was listed is not deleted for the old item.
  WriteRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Taskman", "C:\\New\\tm.exe");
  EXPECT_EQ(0, RemoveStartupEntry("tm", "C:\\Old\\tm.exe", "", 264));
  EXPECT_EQ("C:\\New\\tm.exe", ReadRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Taskman"));
  // A key naming another sub-key or value than the place's cannot reach outside it.
  EXPECT_EQ(0, RemoveStartupEntry("x", "C:\\New\\tm.exe", "", 260));
  EXPECT_EQ(0, RestoreStartupEntry("x", "C:\\x.exe", "", 269));
}

TEST_F(StartupPointsTest, HostileValuesAreBoundedOrPassedOver) {
  const std::string debuggerKey = std::string(kIfeo) + "\\hostile.exe";
  const std::string huge(2u << 20, 'A');
  const struct {
    DWORD type;
    std::string data;
    std::size_t rows;
  } cases[] = {
      {REG_SZ, "C:\\NoNul\\x.exe", 1},          // written without a terminator
      {REG_SZ, "", 0},                          // empty
      {REG_SZ, "   ", 0},                       // blanks only
      {REG_DWORD, "\x01\x02\x03\x04", 0},       // wrong type
      {REG_BINARY, "C:\\bin.exe\0"s, 0},        // text in a binary value
      {REG_SZ, huge, 0},                        // larger than any value Windows keeps
      {REG_SZ, std::string(5000, 'B'), 1},      // long, cut by the list, still an entry
      {REG_MULTI_SZ, "\0\0\0C:\\m.exe"s, 0},    // a list where one text is expected
      {REG_MULTI_SZ, "C:\\m.exe\0\0"s, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.size());
    WriteRegValue(HKEY_LOCAL_MACHINE, debuggerKey, "Debugger", c.type, c.data);
    const std::vector<ItemRow> rows = RowsOf(260);
    ASSERT_EQ(c.rows, rows.size());
    if (rows.empty()) continue;
    EXPECT_LT(rows[0].command.size(), 260u);
    EXPECT_EQ(1, RemoveStartupEntry(rows[0].title.c_str(), rows[0].command.c_str(),
                                    rows[0].key.c_str(), 260))
        << "a cut command still names its value";
  }
  // A value name that is huge and a sub-key flood do not stop the walk.
  for (int i = 0; i < 300; ++i)
    WriteRegString(HKEY_LOCAL_MACHINE, std::string(kIfeo) + "\\p" + std::to_string(i) + ".exe",
                   "GlobalFlag", "0");
  WriteRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\NetSh", std::string(2000, 'n').c_str(),
                 "C:\\n.dll");
  EXPECT_EQ(1u, RowsOf(274).size());
  EXPECT_TRUE(RowsOf(260).empty());
}

TEST_F(StartupPointsTest, PerUserClassShadowingAMachineClassIsListedAndRemovedWhole) {
  const char clsid[] = "{AAAAAAAA-0000-0000-0000-000000000001}";
  const std::string machine = "Software\\Classes\\CLSID\\"s + clsid;
  const std::string user = machine + "\\InprocServer32";
  WriteRegString(HKEY_LOCAL_MACHINE, machine, "", "Shell Thing");
  WriteRegString(HKEY_CURRENT_USER, user, "", "C:\\Bad\\shadow.dll");
  WriteRegString(HKEY_CURRENT_USER, user, "ThreadingModel", "Both");
  // A per-user class of its own shadows nothing.
  WriteRegString(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{B}\\InprocServer32", "",
                 "C:\\Own\\own.dll");
  const std::vector<ItemRow> rows = RowsOf(kPointComShadow);
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ("Shell Thing", rows[0].title);
  EXPECT_EQ("C:\\Bad\\shadow.dll", rows[0].command);
  EXPECT_EQ(clsid, rows[0].key);
  EXPECT_EQ(0, RemoveStartupEntry("x", "C:\\Other.dll", clsid, kPointComShadow));
  EXPECT_EQ(0, RemoveStartupEntry("x", "C:\\Bad\\shadow.dll", "..\\..\\x", kPointComShadow));
  EXPECT_EQ(1, RemoveStartupEntry("Shell Thing", "C:\\Bad\\shadow.dll", clsid, kPointComShadow));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, user.c_str()));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, machine.c_str()));
  EXPECT_EQ(1, RestoreStartupEntry("Shell Thing", "C:\\Bad\\shadow.dll", clsid, kPointComShadow));
  EXPECT_EQ("C:\\Bad\\shadow.dll", ReadRegString(HKEY_CURRENT_USER, user.c_str(), ""));
  // The class comes back as it loaded before, threading model included, and nothing stays kept.
  EXPECT_EQ("Both", ReadRegString(HKEY_CURRENT_USER, user.c_str(), "ThreadingModel"));
  const std::string kept = kComShadowKeptKey + "\\"s + clsid;
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kept.c_str()));
  // With the kept key gone, the history's line still puts the server's path back.
  EXPECT_EQ(1, RemoveStartupEntry("Shell Thing", "C:\\Bad\\shadow.dll", clsid, kPointComShadow));
  ASSERT_EQ(0, RegDeleteTreeA(HKEY_CURRENT_USER, kept.c_str()));
  EXPECT_EQ(1, RestoreStartupEntry("Shell Thing", "C:\\Bad\\shadow.dll", clsid, kPointComShadow));
  EXPECT_EQ("C:\\Bad\\shadow.dll", ReadRegString(HKEY_CURRENT_USER, user.c_str(), ""));
}

TEST_F(StartupPointsTest, TheCurrentStartupFolderIsListedOnlyWhereItDiffersFromTheLegacyOne) {
  const std::string legacy = ScratchFolder() + "\\Legacy";
  const std::string current = ScratchFolder() + "\\Current";
  CreateDirectoryA(legacy.c_str(), nullptr);
  CreateDirectoryA(current.c_str(), nullptr);
  SetShellFolder("Startup", legacy);
  SetEnvironmentVariableA("KV_POINT_ROOT", ScratchFolder().c_str());
  WriteRegValue(HKEY_CURRENT_USER, kUserShellFolders, "Startup", REG_EXPAND_SZ,
                "%KV_POINT_ROOT%\\Current"s + '\0');
  const std::string file = WriteScratchFile("Current\\agent.exe", "MZ");
  std::vector<ItemRow> rows = RowsOf(kPointUserStartupFolder);
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ(file, rows[0].key);
  EXPECT_EQ(1, RemoveStartupEntry(rows[0].title.c_str(), rows[0].command.c_str(),
                                  rows[0].key.c_str(), kPointUserStartupFolder));
  EXPECT_FALSE(PathExists(file));
  EXPECT_EQ(1, RestoreStartupEntry(rows[0].title.c_str(), rows[0].command.c_str(),
                                   rows[0].key.c_str(), kPointUserStartupFolder));
  EXPECT_TRUE(PathExists(file));
  // A file outside the folder is never moved, whatever a history line says.
  const std::string other = WriteScratchFile("elsewhere.exe", "MZ");
  EXPECT_EQ(0, RemoveStartupEntry("x", other.c_str(), other.c_str(), kPointUserStartupFolder));
  EXPECT_TRUE(PathExists(other));
  // The same folder under both names is the catalogue's, listed once.
  SetShellFolder("Startup", current + "\\");
  EXPECT_TRUE(RowsOf(kPointUserStartupFolder).empty());
}

TEST_F(StartupPointsTest, ChangeWatchKnowsEveryPointsKey) {
  std::vector<StartupPlace> places;
  StartupPointPlaces(places);
  const auto lists = [&](HKEY root, const std::string& path, bool subtree) {
    return std::any_of(places.begin(), places.end(), [&](const StartupPlace& p) {
      return p.root == root && p.path == path && p.subtree == subtree;
    });
  };
  EXPECT_TRUE(lists(HKEY_LOCAL_MACHINE, kIfeo, true));
  EXPECT_TRUE(lists(HKEY_LOCAL_MACHINE, kLsa, false));
  EXPECT_TRUE(lists(HKEY_CURRENT_USER, "Software\\Classes\\CLSID", true));
  EXPECT_TRUE(lists(HKEY_CURRENT_USER, kUserShellFolders, false));
  const std::vector<StartupPlace> all = StartupPlaces();
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const StartupPlace& p) {
    return p.path == kSessionManager;
  })) << "the startup check's watch includes them";
}
