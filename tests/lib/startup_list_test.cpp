#include "startup/startup_list.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "categories/class_server.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/folder_walk.h"
#include "startup/item_list.h"
#include "startup/locations.h"

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

struct Row {
  std::string title, command, key, extra;
  int code, value;
};

std::vector<Row> Rows() {
  std::vector<Row> rows;
  for (int i = 0; i < ItemCount(); ++i) {
    char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize];
    char extra[kItemExtraSize];
    ItemTitle(i, title);
    ItemCommand(i, command);
    ItemKey(i, key);
    ItemExtra(i, extra, sizeof extra);
    rows.push_back({title, command, key, extra, ItemCode(i), ItemValue(i)});
  }
  return rows;
}

// Run-key values come back in the platform's order (Wine sorts them by name).
Row Find(const std::string& title) {
  for (const Row& row : Rows())
    if (row.title == title) return row;
  return {"(missing " + title + ")", "", "", "", 0, 0};
}

std::vector<std::string> Titles() {
  std::vector<std::string> titles;
  for (const Row& row : Rows()) titles.push_back(row.title);
  return titles;
}

void SetRaw(HKEY root, const char* subkey, const std::string& name, DWORD type,
            const std::string& bytes) {
  RegKey key;
  ASSERT_TRUE(key.Create(root, subkey, KEY_SET_VALUE));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), name.c_str(), 0, type,
                                          reinterpret_cast<const BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size())));
}

void MakeShortcut(const std::string& path, const std::string& target, const char* description) {
  ComPtr<IShellLinkA> link;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkA, link.PutVoid()));
  link->SetPath(target.c_str());
  link->SetDescription(description);
  ComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid()));
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  ASSERT_HRESULT_SUCCEEDED(file->Save(wide, TRUE));
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

class StartupListTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    CoInitialize(nullptr);
    ItemListClear();
  }
  void TearDown() override {
    ItemListClear();
    CoUninitialize();
    RegistrySandbox::TearDown();
  }
};

}  // namespace

TEST_F(StartupListTest, RunValuesListedByTheRules) {
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Updater", "rundll32.exe C:\\X\\upd.dll,Start");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "A", "C:\\Tools\\one.exe");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Short", "a.ex");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Plain", "\"C:\\Tools\\plain.exe\" -x");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRunOnce, "Once", "C:\\once.exe");
  EnumRunKeys();
  ASSERT_EQ(3, ItemCount());
  EXPECT_EQ("Once", Rows()[0].title);
  EXPECT_EQ(2, Rows()[0].code);
  const Row rundll = Find("Updater");
  EXPECT_EQ("C:\\X\\upd.dll,Start", rundll.command);
  EXPECT_EQ(1, rundll.value);
  EXPECT_EQ(11, rundll.code);
  EXPECT_EQ("", rundll.key);
  EXPECT_EQ("C:\\Tools\\plain.exe -x", Find("Plain").command);
  EXPECT_EQ(0, Find("Plain").value);
}

TEST_F(StartupListTest, RepeatedValueAcrossKeysListedOnce) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRun, "A_First", "C:\\first.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRun, "Dup", "C:\\dup.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRunOnce, "DUP", "c:\\DUP.EXE");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRunOnce, "Other", "C:\\other.exe");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Dup", "C:\\dup.exe");
  EnumRunKeys();
  EXPECT_EQ((std::vector<std::string>{"A_First", "Dup", "Other", "Dup"}), Titles());
}

TEST_F(StartupListTest, DisabledEntryThatCameBackIsListedOnceAsDisabled) {
  const std::string store = std::string(kDisabledIndexKey) + "\\Run";
  SettingsWriteString(HKEY_LOCAL_MACHINE, store.c_str(), "Back", "C:\\old.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Back", "11");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Back", "C:\\new.exe");
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Later", "C:\\later.exe");
  BuildStartupList(1);
  EXPECT_EQ((std::vector<std::string>{"Later", "Back"}), Titles());
  EXPECT_EQ("C:\\new.exe", Find("Back").command);
  EXPECT_EQ(11, Find("Back").code);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "Back"));
}

TEST_F(StartupListTest, HostileRunValuesArePassedOverOrCut) {
  const std::string huge = "C:\\" + std::string(65536, 'h');
  const std::string longName(600, 'N');
  SetRaw(HKEY_CURRENT_USER, kRun, "Dword", REG_DWORD, std::string(4, '\x01'));
  SetRaw(HKEY_CURRENT_USER, kRun, "Binary", REG_BINARY, "C:\\binary.exe");
  SetRaw(HKEY_CURRENT_USER, kRun, "NoEnd", REG_SZ, "C:\\noend.exe");
  SetRaw(HKEY_CURRENT_USER, kRun, "Huge", REG_SZ, huge + '\0');
  SetRaw(HKEY_CURRENT_USER, kRun, "Embedded", REG_SZ, std::string("C:\\emb.exe\0C:\\x.exe\0", 21));
  SetRaw(HKEY_CURRENT_USER, kRun, "\xC9lan", REG_SZ, std::string("C:\\elan.exe", 12));
  SetRaw(HKEY_CURRENT_USER, kRun, longName, REG_SZ, std::string("C:\\long.exe", 12));
  SetRaw(HKEY_CURRENT_USER, kRun, "Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\e.exe", 15));
  EnumRunKeys();
  EXPECT_EQ(5, ItemCount());
  EXPECT_EQ("C:\\noend.exe", Find("NoEnd").command);
  EXPECT_EQ(huge.substr(0, kItemCommandSize - 1), Find("Huge").command);
  EXPECT_EQ("C:\\emb.exe", Find("Embedded").command);
  EXPECT_EQ("C:\\long.exe", Find(longName.substr(0, kItemTitleSize - 1)).command);
  EXPECT_EQ("%WINDIR%\\e.exe", Find("Expand").command);
}

namespace {

void AddRunValues(int from, int to) {
  RegKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kRun, KEY_SET_VALUE));
  for (int i = from; i < to; ++i) {
    char name[32], data[64];
    std::snprintf(name, sizeof name, "Value%05d", i);
    std::snprintf(data, sizeof data, "C:\\Program Files\\Vendor\\app%05d.exe /start", i);
    RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   static_cast<DWORD>(std::strlen(data) + 1));
  }
}

double TimedBuild() {
  const auto start = std::chrono::steady_clock::now();
  BuildStartupList(0);
  return Milliseconds(start);
}

double TimedBareReading() {
  const auto start = std::chrono::steady_clock::now();
  RegKey key;
  key.Open(HKEY_CURRENT_USER, kRun, KEY_READ);
  for (DWORD i = 0; i < kItemListMax; ++i) {
    char name[513], data[513];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                  &dataSize);
  }
  return Milliseconds(start);
}

}  // namespace

TEST_F(StartupListTest, ManyRunValuesInBoundedTime) {
  AddRunValues(0, kItemListMax);
  TimedBuild();
  const double build = TimedBuild();
  const double bare = TimedBareReading();
  EXPECT_EQ(kItemListMax, ItemCount());
  AddRunValues(kItemListMax, 10000);
  const double many = TimedBuild();
  EXPECT_EQ(kItemListMax, ItemCount());
  std::printf(
      "[ timing ] 4096 Run values: BuildStartupList %.1f ms, bare reading %.1f ms; "
      "10000 values: %.1f ms\n",
      build, bare, many);
  EXPECT_LT(many, 5000.0);
}

TEST_F(StartupListTest, StartupFolderFilesByKind) {
  const std::string folder = ScratchFolder() + "\\Startup";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "\\sub.exe").c_str(), nullptr));
  const std::string tool = WriteScratchFile("tool.exe", "MZ");
  const std::string gone = WriteScratchFile("gone.exe", "MZ");
  WriteScratchFile("Startup\\desktop.ini", "[.ShellClassInfo]");
  WriteScratchFile("Startup\\notes.txt", "hello");
  MakeShortcut(folder + "\\app.lnk", tool, "");
  MakeShortcut(folder + "\\named.lnk", tool, "My App");
  MakeShortcut(folder + "\\gone.lnk", gone, "");
  ASSERT_TRUE(DeleteFileA(gone.c_str()));
  SettingsWriteString(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Startup", folder.c_str());
  EnumStartupFolders();
  std::vector<Row> rows = Rows();
  ASSERT_EQ(3u, rows.size());
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.title < b.title; });
  EXPECT_EQ("My App", rows[0].title);
  EXPECT_EQ("notes", rows[1].title);
  EXPECT_EQ(folder + "\\notes.txt", rows[1].command);
  EXPECT_EQ("", rows[1].key);
  EXPECT_EQ("tool", rows[2].title);
  EXPECT_EQ(tool, rows[2].command);
  EXPECT_EQ(folder + "\\app.lnk", rows[2].key);
  for (const Row& row : rows) EXPECT_EQ(kLocationStartupFolder, row.code);
}

TEST_F(StartupListTest, WinIniRunBeforeLoad) {
  char oldRun[512], oldLoad[512];
  const bool hadRun =
      GetProfileStringA("windows", "run", "\x01", oldRun, sizeof oldRun) && oldRun[0] != '\x01';
  const bool hadLoad =
      GetProfileStringA("windows", "load", "\x01", oldLoad, sizeof oldLoad) && oldLoad[0] != '\x01';
  WriteProfileStringA("windows", "run", "a.exe;;b.exe");
  WriteProfileStringA("windows", "load", "c.exe;");
  EnumWinIni();
  WriteProfileStringA("windows", "run", hadRun ? oldRun : nullptr);
  WriteProfileStringA("windows", "load", hadLoad ? oldLoad : nullptr);
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ("run", rows[0].title);
  EXPECT_EQ("a.exe", rows[0].command);
  EXPECT_EQ(kLocationWinRun, rows[0].code);
  EXPECT_EQ("b.exe", rows[1].command);
  EXPECT_EQ("load", rows[2].title);
  EXPECT_EQ(kLocationWinLoad, rows[2].code);
}

TEST_F(StartupListTest, DisabledEntriesCarryTheirIndexedCode) {
  const std::string store = std::string(kDisabledIndexKey) + "\\";
  SettingsWriteString(HKEY_LOCAL_MACHINE, (store + "Run").c_str(), "Old", "C:\\old.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, (store + "WinRun").c_str(), "w.exe", "w.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, (store + "Run").c_str(), "Stray", "C:\\stray.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, (store + "WinNotify").c_str(), "Pkg", "C:\\n.dll");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Old", "11");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "w.exe", "101");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Stray", "0");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Pkg", "256");
  EnumDisabledEntries();
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ("Old", rows[0].title);
  EXPECT_EQ(11, rows[0].code);
  EXPECT_EQ("w.exe", rows[1].command);
  EXPECT_EQ(kLocationWinRun, rows[1].code);
}

TEST_F(StartupListTest, ShellHooksAppInitAndNotify) {
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{5C4ED000-0000-0000-0000-000000000001}", "",
                      "Sched Class");
  SettingsWriteString(HKEY_CLASSES_ROOT,
                      "CLSID\\{5C4ED000-0000-0000-0000-000000000001}\\InprocServer32", "",
                      "C:\\sched.dll");
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{5C4ED000-0000-0000-0000-000000000002}", "",
                      "Hook Class");
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad",
                      "Loader", "5C4ED000-0000-0000-0000-000000000001");
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler",
                      "{5C4ED000-0000-0000-0000-000000000001}", "Sched");
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks",
                      "{5C4ED000-0000-0000-0000-000000000002}", "");
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "AppInit_Dlls",
                      "C:\\a\\long.dll, C:\\b.dll");
  const char notify[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\";
  SettingsWriteString(HKEY_LOCAL_MACHINE, (std::string(notify) + "Pkg").c_str(), "DllName",
                      "C:\\n.dll");
  SettingsWriteString(HKEY_LOCAL_MACHINE, (std::string(notify) + "Off").c_str(), "DllName", "");

  EXPECT_EQ(5, EnumShellHooks());
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(6u, rows.size());
  EXPECT_EQ("Loader", rows[0].title);
  EXPECT_EQ("C:\\sched.dll", rows[0].command);
  EXPECT_EQ("5C4ED000-0000-0000-0000-000000000001", rows[0].key);
  EXPECT_EQ(kLocationDelayLoad, rows[0].code);
  EXPECT_EQ("Sched", rows[1].title);
  EXPECT_EQ(kLocationTaskScheduler, rows[1].code);
  EXPECT_EQ("Hook Class", rows[2].title);
  EXPECT_EQ("", rows[2].command);
  EXPECT_EQ(kLocationShellHook, rows[2].code);
  EXPECT_EQ("C:\\a\\long.dll", rows[3].command);
  EXPECT_EQ("C:\\b.dll", rows[4].command);
  EXPECT_EQ(kLocationAppInit, rows[4].code);
  EXPECT_EQ("Pkg", rows[5].title);
  EXPECT_EQ("C:\\n.dll", rows[5].command);
  EXPECT_EQ(kLocationNotify, rows[5].code);
}

TEST_F(StartupListTest, BuildOrderAndQuickMode) {
  const char winlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  SettingsWriteString(HKEY_CURRENT_USER, kRun, "Tool", "C:\\tool.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, winlogon, "Userinit",
                      "C:\\W\\userinit.exe, C:\\evil.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE, winlogon, "Shell", "Explorer.exe");
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "AppInit_Dlls",
                      "C:\\b.dll");
  const std::vector<std::string> all = {"Tool", "Winlogon Userinit", "Winlogon Shell", "b"};
  EXPECT_EQ(4, BuildStartupList(0));
  EXPECT_EQ(all, Titles());
  EXPECT_EQ("C:\\evil.exe", Rows()[1].command);
  EXPECT_EQ(1, BuildStartupList(1));
  OptionSet("ShowAllStartup", 1);
  EXPECT_EQ(4, BuildStartupList(1));
  EXPECT_EQ(all, Titles());
}

TEST_F(StartupListTest, ClassServerWrapsBareClassIds) {
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{ABC}", "", std::string(700, 'c').c_str());
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{ABC}\\InprocServer32", "", "C:\\abc.dll");
  char name[512], server[260];
  LookUpClassServer("ABC", name, server);
  EXPECT_EQ(std::string(511, 'c'), name);
  EXPECT_STREQ("C:\\abc.dll", server);
  LookUpClassServer("{missing}", name, server);
  EXPECT_STREQ("", name);
  EXPECT_STREQ("", server);
}

TEST_F(StartupListTest, FolderWalkDepthDotFoldersAndStop) {
  const std::string root = ScratchFolder();
  for (const char* folder : {"\\.git", "\\sub", "\\sub\\deeper"})
    ASSERT_TRUE(CreateDirectoryA((root + folder).c_str(), nullptr));
  WriteScratchFile("a.txt", "");
  WriteScratchFile(".git\\hidden.txt", "");
  WriteScratchFile("sub\\b.txt", "");
  WriteScratchFile("sub\\deeper\\c.txt", "");
  struct Seen {
    std::vector<std::string> paths;
    int stopAfter;
  };
  auto collect = [](const char* path, DWORD, void* context) {
    Seen& seen = *static_cast<Seen*>(context);
    seen.paths.push_back(path);
    return static_cast<int>(seen.paths.size()) == seen.stopAfter ? 1 : 0;
  };
  Seen shallow{{}, 0}, deep{{}, 0}, stopped{{}, 1};
  EXPECT_EQ(0, FolderWalk(root.c_str(), 0, collect, &shallow));
  EXPECT_EQ(0, FolderWalk((root + "\\").c_str(), 1, collect, &deep));
  EXPECT_EQ(1, FolderWalk(root.c_str(), 1, collect, &stopped));
  std::sort(shallow.paths.begin(), shallow.paths.end());
  std::sort(deep.paths.begin(), deep.paths.end());
  EXPECT_EQ((std::vector<std::string>{root + "\\a.txt", root + "\\sub"}), shallow.paths);
  EXPECT_EQ((std::vector<std::string>{root + "\\a.txt", root + "\\sub", root + "\\sub\\b.txt",
                                      root + "\\sub\\deeper"}),
            deep.paths);
  EXPECT_EQ(1u, stopped.paths.size());
  EXPECT_EQ(0, FolderWalk((root + "\\missing").c_str(), 1, collect, &shallow));
}
