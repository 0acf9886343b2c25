#include "startup/startup_list.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "categories/class_server.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "shortcut_sandbox.h"
#include "startup/item_list.h"
#include "startup/locations.h"

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Run-key values come back in the platform's order (Wine sorts them by name).
ItemRow Find(const std::string& title) {
  for (const ItemRow& row : ReadItems())
    if (row.title == title) return row;
  return {"(missing " + title + ")"};
}

std::vector<std::string> Titles() {
  std::vector<std::string> titles;
  for (const ItemRow& row : ReadItems()) titles.push_back(row.title);
  return titles;
}

std::vector<int> Codes() {
  std::vector<int> codes;
  for (const ItemRow& row : ReadItems()) codes.push_back(row.code);
  return codes;
}

void SetRaw(const std::string& name, DWORD type, const std::string& bytes) {
  WriteRegValue(HKEY_CURRENT_USER, kRun, name.c_str(), type, bytes);
}


using StartupListTest = ShortcutSandbox;

}  // namespace

TEST_F(StartupListTest, RunValuesSplitRundllAndSkipRepeatedValues) {
  // Written in name order, the order Wine lists them in.
  WriteRegString(HKEY_LOCAL_MACHINE, kRun, "Dup", "C:\\dup.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, kRunOnce, "DUP", "c:\\DUP.EXE");
  WriteRegString(HKEY_LOCAL_MACHINE, kRunOnce, "Once", "C:\\once.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "A", "C:\\Tools\\one.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Dup", "C:\\dup.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Plain", "\"C:\\Tools\\plain.exe\" -x");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Short", "a.ex");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Updater", "rundll32.exe C:\\X\\upd.dll,Start");
  EnumRunKeys();
  // Machine keys first; a value repeating the one before it is passed over.
  EXPECT_EQ((std::vector<std::string>{"Dup", "Once", "A", "Dup", "Plain", "Short", "Updater"}),
            Titles());
  EXPECT_EQ(2, Find("Once").code);
  const ItemRow rundll = Find("Updater");
  EXPECT_EQ("C:\\X\\upd.dll,Start", rundll.command);
  EXPECT_EQ(1, rundll.value);
  EXPECT_EQ(11, rundll.code);
  EXPECT_EQ("C:\\Tools\\plain.exe -x", Find("Plain").command);
  EXPECT_EQ(0, Find("Plain").value);
}

TEST_F(StartupListTest, DisabledEntriesCarryTheirCodeAndOneThatCameBackIsListedOnce) {
  const std::string store = std::string(kDisabledIndexKey) + "\\";
  WriteRegString(HKEY_LOCAL_MACHINE, store + "WinRun", "w.exe", "w.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, store + "Run", "Stray", "C:\\stray.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, store + "Run", "Back", "C:\\old.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, store + "WinNotify", "Pkg", "C:\\n.dll");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Pkg", "256");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "w.exe", "101");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Stray", "0");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Back", "11");
  EnumDisabledEntries();
  ASSERT_EQ(2u, ReadItems().size());
  EXPECT_EQ(kLocationWinRun, Find("w.exe").code);
  EXPECT_EQ(11, Find("Back").code);

  // The program wrote itself back: held as disabled with its new data, listed once.
  ItemListClear();
  WriteRegString(HKEY_CURRENT_USER, kRun, "Back", "C:\\new.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Later", "C:\\later.exe");
  BuildStartupList(1);
  EXPECT_EQ((std::vector<std::string>{"Later", "Back", "w.exe"}), Titles());
  EXPECT_EQ("C:\\new.exe", Find("Back").command);
  EXPECT_EQ(11, Find("Back").code);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "Back"));
}

TEST_F(StartupListTest, HostileRunValuesArePassedOverOrCutButNeverLeftOut) {
  const std::string huge = "C:\\" + std::string(65536, 'h');
  const std::string longName(600, 'N');
  SetRaw("Dword", REG_DWORD, std::string(4, '\x01'));
  SetRaw("Binary", REG_BINARY, "C:\\binary.exe");
  SetRaw("NoEnd", REG_SZ, "C:\\noend.exe");
  SetRaw("Huge", REG_SZ, huge + '\0');
  SetRaw("Embedded", REG_SZ, std::string("C:\\emb.exe\0C:\\x.exe\0", 21));
  SetRaw("\xC9lan", REG_SZ, std::string("C:\\elan.exe", 12));
  SetRaw(longName, REG_SZ, std::string("C:\\long.exe", 12));
  SetRaw("Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\e.exe", 15));
  EnumRunKeys();
  EXPECT_EQ(6, ItemCount());
  EXPECT_EQ("C:\\noend.exe", Find("NoEnd").command);
  EXPECT_EQ("C:\\elan.exe", Find("\xC9lan").command);
  EXPECT_EQ(longName.substr(0, kItemKeySize - 1),
            Find(longName.substr(0, kItemTitleSize - 1)).key);
  EXPECT_EQ(huge.substr(0, kItemCommandSize - 1), Find("Huge").command);
  EXPECT_EQ("C:\\emb.exe", Find("Embedded").command);
  EXPECT_EQ("C:\\long.exe", Find(longName.substr(0, kItemTitleSize - 1)).command);
  EXPECT_EQ("%WINDIR%\\e.exe", Find("Expand").command);
}

TEST_F(StartupListTest, StartupFolderFilesByKind) {
  const std::string folder = ScratchFolder() + "\\Startup";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "\\sub.exe").c_str(), nullptr));
  const std::string tool = WriteScratchFile("tool.exe", "MZ");
  const std::string gone = WriteScratchFile("gone.exe", "MZ");
  WriteScratchFile("Startup\\desktop.ini", "[.ShellClassInfo]");
  WriteScratchFile("Startup\\notes.txt", "hello");
  MakeShortcut(folder + "\\app.lnk", tool, "", "");
  MakeShortcut(folder + "\\named.lnk", tool, "", "My App");
  MakeShortcut(folder + "\\gone.lnk", gone, "", "");
  ASSERT_TRUE(DeleteFileA(gone.c_str()));
  SetShellFolder("Startup", folder);
  EnumStartupFolders();
  ASSERT_EQ(3, ItemCount());
  EXPECT_EQ(tool, Find("My App").command);
  EXPECT_EQ(folder + "\\notes.txt", Find("notes").command);
  EXPECT_EQ("", Find("notes").key);
  EXPECT_EQ(tool, Find("tool").command);
  EXPECT_EQ(folder + "\\app.lnk", Find("tool").key);
  EXPECT_EQ(std::vector<int>(3, kLocationStartupFolder), Codes());
}

TEST_F(StartupListTest, WinIniRunBeforeLoad) {
  char old[2][512];
  const char* names[2] = {"run", "load"};
  for (int i = 0; i < 2; ++i) GetProfileStringA("windows", names[i], "\x01", old[i], 512);
  WriteProfileStringA("windows", "run", "a.exe;;b.exe");
  WriteProfileStringA("windows", "load", "c.exe;");
  EnumWinIni();
  for (int i = 0; i < 2; ++i)
    WriteProfileStringA("windows", names[i], old[i][0] == '\x01' ? nullptr : old[i]);
  EXPECT_EQ((std::vector<std::string>{"run", "run", "load"}), Titles());
  EXPECT_EQ((std::vector<int>{kLocationWinRun, kLocationWinRun, kLocationWinLoad}), Codes());
  EXPECT_EQ("a.exe", ReadItems()[0].command);
  EXPECT_EQ("b.exe", ReadItems()[1].command);
}

TEST_F(StartupListTest, ShellHooksAppInitAndNotifyWithBoundedClassNames) {
  const char clsid[] = "CLSID\\{5C4ED000-0000-0000-0000-000000000001}";
  WriteRegString(HKEY_CLASSES_ROOT, clsid, "", "Sched Class");
  WriteRegString(HKEY_CLASSES_ROOT, std::string(clsid) + "\\InprocServer32", "", "C:\\sched.dll");
  WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{5C4ED000-0000-0000-0000-000000000002}", "",
                 "Hook Class");
  WriteRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad",
                 "Loader", "5C4ED000-0000-0000-0000-000000000001");
  WriteRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler",
                 "{5C4ED000-0000-0000-0000-000000000001}", "Sched");
  WriteRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks",
                 "{5C4ED000-0000-0000-0000-000000000002}", "");
  WriteRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                 "AppInit_Dlls", "C:\\a\\long.dll, C:\\b.dll");
  const std::string notify = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\";
  WriteRegString(HKEY_LOCAL_MACHINE, notify + "Pkg", "DllName", "C:\\n.dll");
  WriteRegString(HKEY_LOCAL_MACHINE, notify + "Off", "DllName", "");

  EXPECT_EQ(5, EnumShellHooks());
  EXPECT_EQ((std::vector<std::string>{"Loader", "Sched", "Hook Class", "long", "b", "Pkg"}),
            Titles());
  EXPECT_EQ((std::vector<int>{kLocationDelayLoad, kLocationTaskScheduler, kLocationShellHook,
                              kLocationAppInit, kLocationAppInit, kLocationNotify}),
            Codes());
  const std::vector<ItemRow> rows = ReadItems();
  EXPECT_EQ("C:\\sched.dll", rows[0].command);
  EXPECT_EQ("5C4ED000-0000-0000-0000-000000000001", rows[0].key);
  EXPECT_EQ("C:\\a\\long.dll", rows[3].command);
  EXPECT_EQ("C:\\b.dll", rows[4].command);
  EXPECT_EQ("C:\\n.dll", rows[5].command);

  WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{ABC}", "", std::string(700, 'c'));
  char name[512], server[260];
  LookUpClassServer("ABC", name, server);
  EXPECT_EQ(std::string(511, 'c'), name);
  LookUpClassServer("{missing}", name, server);
  EXPECT_STREQ("", server);
}

TEST_F(StartupListTest, BuildOrderAndQuickMode) {
  const char winlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  WriteRegString(HKEY_CURRENT_USER, kRun, "Tool", "C:\\tool.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, winlogon, "Userinit", "C:\\W\\userinit.exe, C:\\evil.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, winlogon, "Shell", "Explorer.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                 "AppInit_Dlls", "C:\\b.dll");
  const std::vector<std::string> all = {"Tool", "Winlogon Userinit", "Winlogon Shell", "b"};
  EXPECT_EQ(4, BuildStartupList(0));
  EXPECT_EQ(all, Titles());
  EXPECT_EQ("C:\\evil.exe", ReadItems()[1].command);
  EXPECT_EQ(1, BuildStartupList(1));
  OptionSet("ShowAllStartup", 1);
  EXPECT_EQ(4, BuildStartupList(1));
}
