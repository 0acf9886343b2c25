#include "startup/startup_actions.h"

#include <string>
#include <vector>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "sandbox.h"
#include "startup/locations.h"
#include "startup/snapshot.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kDisabledRun[] = "Software\\Tamsel\\Korvane\\Disabled\\Run";
constexpr char kNotifyKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\KvPkg";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
constexpr const char* kWinIniNames[2] = {"load", "run"};

// Type and bytes of a value, so that a round trip can be checked to keep it exactly.
std::pair<DWORD, std::string> Raw(HKEY root, const char* subkey, const char* name) {
  DWORD type = REG_NONE, size = 4096;
  std::string bytes(size, '\0');
  if (RegGetValueA(root, subkey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, bytes.data(), &size))
    return {REG_NONE, ""};
  return {type, bytes.substr(0, size)};
}

std::string Index(const char* title) {
  return ReadRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, title);
}
bool Indexed(const char* title) {
  return RegValueExists(HKEY_LOCAL_MACHINE, kDisabledIndexKey, title);
}

std::string WinIni(const char* name, const char* fallback = "") {
  std::vector<char> text(8192);
  GetProfileStringA("windows", name, fallback, text.data(), static_cast<DWORD>(text.size()));
  return text.data();
}

class StartupActionsTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    startup_ = ScratchFolder() + "\\Startup";
    CreateDirectoryA(startup_.c_str(), nullptr);
    SetShellFolder("Startup", startup_);
    for (int i = 0; i < 2; ++i) winIni_[i] = WinIni(kWinIniNames[i], "\x01");
  }
  void TearDown() override {
    // The win.ini lines are a real file under Wine.
    for (int i = 0; i < 2; ++i)
      WriteProfileStringA("windows", kWinIniNames[i],
                          winIni_[i] == "\x01" ? nullptr : winIni_[i].c_str());
    DeleteFileA((disabled_ + "\\" + ownName_).c_str());
    RemoveDirectoryA(disabled_.c_str());
    UserHooksInstall({});
    RegistrySandbox::TearDown();
  }
  const std::string disabled_ = ProgramFile("Disabled");
  std::string startup_, winIni_[2];
  // A name of this run, so that nothing of another run is touched in the program folder.
  std::string ownName_ = "KvApp" + std::to_string(GetCurrentProcessId()) + ".lnk";
};

}  // namespace

TEST_F(StartupActionsTest, RunEntryRoundTripKeepsTheValueExactly) {
  // The listed command has lost the quotes; the disabled copy must not.
  const char data[] = "\"C:\\T x\\tool.exe\" -min=%TEMP%";
  RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Tool", REG_EXPAND_SZ, data, sizeof data);
  const auto original = Raw(HKEY_CURRENT_USER, kRunKey, "Tool");
  ASSERT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), original.first);

  EXPECT_EQ(1, ToggleStartupEntry("Tool", "C:\\T x\\tool.exe -min=x", "", 11));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_EQ(original, Raw(HKEY_LOCAL_MACHINE, kDisabledRun, "Tool"));
  EXPECT_EQ("11", Index("Tool"));
  // Another entry of the same title elsewhere neither enables nor overwrites the held one.
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kRunKey, "Tool", "C:\\M\\tool.exe"));
  EXPECT_EQ(0, ToggleStartupEntry("Tool", "C:\\M\\tool.exe", "", 1));
  EXPECT_EQ(1, RemoveStartupEntry("Tool", "C:\\M\\tool.exe", "", 1));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Tool"));
  EXPECT_EQ(original, Raw(HKEY_LOCAL_MACHINE, kDisabledRun, "Tool"));
  EXPECT_EQ("11", Index("Tool"));

  EXPECT_EQ(1, ToggleStartupEntry("Tool", "C:\\T x\\tool.exe -min=x", "", 11));
  EXPECT_EQ(original, Raw(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledRun, "Tool"));
  EXPECT_FALSE(Indexed("Tool"));
}

TEST_F(StartupActionsTest, WinIniRoundTripAndEditsOfALongLineKeepTheOtherItems) {
  WriteProfileStringA("windows", "load", "a.exe;\"C:\\x y\\b.exe\";c.exe");
  EXPECT_EQ(1, ToggleStartupEntry("load", "C:\\x y\\b.exe", "", 100));
  EXPECT_EQ("a.exe;c.exe;", WinIni("load"));
  EXPECT_EQ("100", Index("load"));
  // A live item sharing the fallback title is another entry: the held one stays held.
  EXPECT_EQ(0, ToggleStartupEntry("load", "a.exe", "", 100));
  EXPECT_EQ("a.exe;c.exe;", WinIni("load"));

  ToggleStartupEntry("load", "C:\\x y\\b.exe", "", 100);
  EXPECT_EQ("a.exe;c.exe;\"C:\\x y\\b.exe\"", WinIni("load"));
  EXPECT_FALSE(Indexed("load"));

  // Longer than the line width the rules once read: nothing past it may be lost.
  std::string line;
  for (int i = 0; i < 80; ++i) line += "C:\\p\\item" + std::to_string(i) + ".exe;";
  WriteProfileStringA("windows", "run", line.c_str());
  EXPECT_EQ(1, WinIniRemove("run", "C:\\P\\ITEM3.EXE"));
  const std::string after = WinIni("run");
  EXPECT_EQ(line.size() - std::string("C:\\p\\item3.exe;").size(), after.size());
  EXPECT_NE(std::string::npos, after.find("C:\\p\\item79.exe;"));
  EXPECT_EQ(1, WinIniAppend("run", "c.exe"));
  EXPECT_EQ(after + "c.exe", WinIni("run"));
}

TEST_F(StartupActionsTest, StartupFolderEntryRoundTripAndRemovalNeverTouchTheTarget) {
  const std::string shortcut = startup_ + "\\" + ownName_, moved = disabled_ + "\\" + ownName_;
  WriteScratchFile(("Startup\\" + ownName_).c_str(), "link bytes");
  const std::string target = WriteScratchFile("app.exe", "program");
  EXPECT_EQ(1, ToggleStartupEntry("App", target.c_str(), shortcut.c_str(), 200));
  EXPECT_FALSE(PathExists(shortcut));
  EXPECT_TRUE(PathExists(moved));
  EXPECT_EQ("200", Index("App"));
  EXPECT_EQ(1, ToggleStartupEntry("App", target.c_str(), moved.c_str(), 200));
  EXPECT_TRUE(PathExists(shortcut));
  EXPECT_FALSE(PathExists(moved));
  EXPECT_FALSE(Indexed("App"));
  // The target program is never taken for the entry.
  EXPECT_EQ(0, ToggleStartupEntry("Target", target.c_str(), "", 200));
  // A disabled copy that lost its index value is taken as disabled, and can come back.
  ASSERT_TRUE(MoveFileA(shortcut.c_str(), moved.c_str()));
  EXPECT_EQ(1, ToggleStartupEntry("App", target.c_str(), moved.c_str(), 200));
  EXPECT_EQ("200", Index("App"));
  EXPECT_EQ(1, ToggleStartupEntry("App", target.c_str(), moved.c_str(), 200));
  EXPECT_TRUE(PathExists(shortcut));

  // Removal takes the shortcut or file in the folder, never the program it names.
  const std::string note = WriteScratchFile("Startup\\notes.txt", "text");
  EXPECT_EQ(1, RemoveStartupEntry("Keep", target.c_str(), "", 200));
  EXPECT_EQ(1, RemoveStartupEntry("App", target.c_str(), shortcut.c_str(), 200));
  EXPECT_EQ(1, RemoveStartupEntry("notes", note.c_str(), "", 200));
  EXPECT_FALSE(PathExists(shortcut));
  EXPECT_FALSE(PathExists(note));
  EXPECT_TRUE(PathExists(target));
  EXPECT_NE(std::string::npos, HistoryText().find("*START_Remove\tGROUP_STARTUP\tApp\t"));
  // Restoring makes the shortcut again but never writes over a file that is there.
  EXPECT_EQ(1, RestoreStartupEntry("App", target.c_str(), shortcut.c_str(), 200));
  EXPECT_TRUE(PathExists(shortcut));
  EXPECT_EQ(0, RestoreStartupEntry("App", target.c_str(), shortcut.c_str(), 200));
  EXPECT_EQ(0, RestoreStartupEntry("Keep", target.c_str(), target.c_str(), 200));
}

TEST_F(StartupActionsTest, NotifyPackageRoundTripKeepsItsDll) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kNotifyKey, "DllName", REG_EXPAND_SZ, "kvpkg.dll", 10);
  const auto original = Raw(HKEY_LOCAL_MACHINE, kNotifyKey, "DllName");
  EXPECT_EQ(1, ToggleStartupEntry("KvPkg", "C:\\W\\kvpkg.dll", "", 256));
  EXPECT_EQ("", ReadRegString(HKEY_LOCAL_MACHINE, kNotifyKey, "DllName"));
  EXPECT_EQ("kvpkg.dll", ReadRegString(HKEY_LOCAL_MACHINE, kNotifyKey, "OldName"));
  EXPECT_EQ("256", Index("KvPkg"));
  EXPECT_EQ(256, SnapshotLookup("KvPkg", "C:\\W\\kvpkg.dll"));
  // Disabling what is disabled already must not lose the name set aside.
  EXPECT_EQ(0, NotifyDisable("KvPkg"));
  EXPECT_EQ("kvpkg.dll", ReadRegString(HKEY_LOCAL_MACHINE, kNotifyKey, "OldName"));

  ToggleStartupEntry("KvPkg", "C:\\W\\kvpkg.dll", "", 256);
  EXPECT_EQ(original, Raw(HKEY_LOCAL_MACHINE, kNotifyKey, "DllName"));
  EXPECT_FALSE(Indexed("KvPkg"));
  EXPECT_EQ(0, NotifyEnable("KvPkgx"));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kNotifyKey) + "x").c_str()));
}

TEST_F(StartupActionsTest, AppInitEditsKeepTheOtherDlls) {
  EXPECT_EQ(0, AppInitRemove("C:\\b.dll"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls"));
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls",
                                  "C:\\a.dll,C:\\b.dll C:\\c.dll"));
  EXPECT_EQ(1, AppInitRemove("c:\\B.DLL"));
  EXPECT_EQ("C:\\a.dll,C:\\c.dll", ReadRegString(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls"));

  std::string many;
  for (int i = 0; i < 40; ++i) many += "C:\\dlls\\lib" + std::to_string(i) + ".dll,";
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls",
                                  (many + "C:\\last.dll").c_str()));
  EXPECT_EQ(1, AppInitRemove("C:\\last.dll"));
  many.pop_back();
  EXPECT_EQ(many, ReadRegString(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls"));
  EXPECT_EQ(1, AppInitAppend("C:\\d.dll"));
  EXPECT_EQ(many + ",C:\\d.dll", ReadRegString(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_Dlls"));
}

TEST_F(StartupActionsTest, ProtectedEntriesGoOnlyWhenConfirmed) {
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kDelayLoadKey, "Hook", "{0000-1}"));
  ASSERT_TRUE(SnapshotMarkKnown("C:\\h\\hook.dll", 252));
  EXPECT_EQ(1, RemoveStartupEntry("Hook", "C:\\h\\hook.dll", "{0000-1}", 252));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kDelayLoadKey, "Hook"));
  EXPECT_EQ(252, SnapshotLookup("Hook", "C:\\h\\hook.dll"));

  UserHooks hooks;
  hooks.confirmProtectedRemoval = [](HWND, const char*, const char*) { return false; };
  UserHooksInstall(hooks);
  EXPECT_EQ(1, RemoveStartupEntry("Hook", "C:\\h\\hook.dll", "{0000-1}", 252));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kDelayLoadKey, "Hook"));

  // The monitor answering silently (HideStartup not 0) asks nothing.
  hooks.confirmProtectedRemoval = ProtectedRemovalAskUnlessHidden;
  UserHooksInstall(hooks);
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "HideStartup", "2"));
  EXPECT_EQ(1, RemoveStartupEntry("Hook", "C:\\h\\hook.dll", "{0000-1}", 252));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDelayLoadKey, "Hook"));
  EXPECT_EQ(kSnapshotMissing, SnapshotLookup("Hook", "C:\\h\\hook.dll"));
  EXPECT_NE(std::string::npos, HistoryText().find("REMOVE_DELAYLOAD\tREG_Delayload\tHook\t"));

  EXPECT_EQ(1, RestoreStartupEntry("Hook", "C:\\h\\hook.dll", "{0000-1}", 252));
  EXPECT_EQ("{0000-1}", ReadRegString(HKEY_LOCAL_MACHINE, kDelayLoadKey, "Hook"));
  EXPECT_EQ(252, SnapshotLookup("Hook", "C:\\h\\hook.dll"));
}

TEST_F(StartupActionsTest, OwnEntryRemovedWithoutHistoryRestoresAndWinlogonResetIsKnown) {
  const std::string own = ProgramFile("korvane.exe");
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane", own.c_str()));
  ASSERT_TRUE(SnapshotMarkKnown(own.c_str(), 1));
  EXPECT_EQ(1, RemoveStartupEntry("Korvane", own.c_str(), "", 1));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Korvane"));
  EXPECT_EQ(kSnapshotMissing, SnapshotLookup("Korvane", own.c_str()));
  EXPECT_EQ("", HistoryText());

  EXPECT_EQ(1, RestoreStartupEntry("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_EQ("C:\\T\\tool.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_EQ(11, SnapshotLookup("Tool", "C:\\T\\tool.exe"));
  EXPECT_EQ(0, RestoreStartupEntry("Userinit", "C:\\x.exe", "", 250));

  // A reset value is known at once, under the path the list will show.
  ResetWinlogonUserinit();
  char system[MAX_PATH], listed[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string program = std::string(system) + "\\Userinit.exe";
  EXPECT_EQ(program + ",", ReadRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit"));
  LongPath(program.c_str(), listed, sizeof listed);
  EXPECT_EQ(kLocationUserinit, SnapshotLookup("Winlogon Userinit", listed));
}

TEST_F(StartupActionsTest, DisableThatCannotTakeTheLiveValueLeavesItLiveAndUnknown) {
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kRunKey, "Tool", "C:\\T\\tool.exe"));
  ASSERT_TRUE(DenyKeyWrites(HKEY_CURRENT_USER, kRunKey, true));
  EXPECT_EQ(0, ToggleStartupEntry("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_FALSE(Indexed("Tool"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledRun, "Tool"));
  EXPECT_EQ(0, DisableStartupEntryKnown("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_EQ(kSnapshotMissing, SnapshotLookup("Tool", "C:\\T\\tool.exe"));
  ASSERT_TRUE(DenyKeyWrites(HKEY_CURRENT_USER, kRunKey, false));
  EXPECT_EQ("C:\\T\\tool.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Tool"));

  EXPECT_EQ(1, DisableStartupEntryKnown("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_EQ(11, SnapshotLookup("Tool", "C:\\T\\tool.exe"));
  // Held already: the toggle would bring it back, so it is neither touched nor marked again.
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kRunKey, "Tool", "C:\\T\\tool.exe"));
  EXPECT_EQ(0, DisableStartupEntryKnown("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_EQ("11", Index("Tool"));
}
