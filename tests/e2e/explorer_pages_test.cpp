// The category pages acting on seeded items through the real explorer: each page lists its
// seeded item, and each action's registry, file, process and history results are checked.
#include <string>
#include <vector>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kDelayKey[] = "Software\\Tamsel\\Korvane\\Delay";
inline constexpr char kDelayTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
inline constexpr char kDelayTitleKey[] = "Software\\Tamsel\\Korvane\\Delay\\Title";
inline constexpr char kDelayedProgram[] = "C:\\KVDELAY\\KVDELAYED.EXE";
inline constexpr char kDelayedTitle[] = "KvExDelayed";
inline constexpr char kBHOKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr char kStatsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";
inline constexpr char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
inline constexpr char kProbeClass[] = "{7D1B2C3E-4F50-4A61-8B72-9C83D4E5F601}";
inline constexpr char kProbeClassName[] = "KvExProbeControl";
inline constexpr char kHelperClass[] = "{7D1B2C3E-4F50-4A61-8B72-9C83D4E5F602}";
inline constexpr char kHelperServer[] = "C:\\KvHelper\\kvexhelper.dll";
inline constexpr char kHiddenName[] = "kvexhidden.txt";
inline constexpr char kClassKey[] = "Software\\Tamsel\\Korvane\\Class";
inline constexpr char kRemoveDelayed[] = "removed from the Delayed Start list";
inline constexpr int kColTitle = 0;

std::string ClassKey(const char* clsid) { return std::string("CLSID\\") + clsid; }

std::string WindowsPath(const char* name) {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// The vault copy of a file of that name (its name followed by digits of its path), or the
// vault folder itself for an empty name.
std::string VaultPath(const char* name) {
  const std::string appData = ReadRegString(
      HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "AppData");
  const std::string vault = appData + "\\Korvane\\vault\\";
  WIN32_FIND_DATAA found = {};
  const HANDLE search =
      name[0] ? FindFirstFileA((vault + name + ".*").c_str(), &found) : INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) return vault + name;
  FindClose(search);
  return vault + found.cFileName;
}

bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ForgetSeeds() {
  for (const char* key : {kDelayKey, kDelayTimeKey, kDelayTitleKey})
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key, kDelayedProgram);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kDelayedTitle);
  RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kStatsKey) + "\\" + kProbeClass).c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kCompatibilityKey) + "\\" + kProbeClass).c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + kHelperClass).c_str());
  for (const char* clsid : {kProbeClass, kHelperClass})
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ClassKey(clsid).c_str());
  const std::string hidden = WindowsPath(kHiddenName);
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(hidden.c_str());
  DeleteFileA(VaultPath(kHiddenName).c_str());
}

class ExplorerPagesTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    ForgetSeeds();
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    ForgetSeeds();
  }
  HWND OpenPage(const char* pageSwitch, const char* title, size_t rows) {
    const HWND sheet = OpenExplorer(pageSwitch, &run_);
    if (!sheet) return nullptr;
    list_ = PageControl(sheet, IDC_PAGE_LIST);
    EXPECT_NE(nullptr, list_);
    EXPECT_TRUE(list_ && WaitRowsTitled(list_, title, rows)) << rows << " rows titled " << title;
    return list_ ? sheet : nullptr;
  }
  int SelectTitled(const char* title, size_t which = 0) const {
    const RemoteList list(list_);
    const std::vector<int> rows = list.RowsTitled(title);
    if (rows.size() <= which || !list.Select({rows[which]})) return -1;
    return rows[which];
  }
  std::string CellOf(const char* title, int column) const {
    const RemoteList list(list_);
    const std::vector<int> rows = list.RowsTitled(title);
    return rows.empty() ? std::string() : list.Cell(rows[0], column);
  }
  std::string Answer(HWND sheet, int command, int button, const char* caption = kSheetCaption) {
    const HWND control = PageControl(sheet, command);
    EXPECT_TRUE(control ? PressPageButton(sheet, command) : SendMenuCommand(sheet, command))
        << command;
    const HWND box = WaitExplorerDialog(run_->Id(), caption);
    if (!box) {
      ADD_FAILURE() << "no box under \"" << caption << "\" after command " << command;
      return {};
    }
    const std::string text = MessageBoxText(box);
    EXPECT_TRUE(AnswerBox(box, button));
    return text;
  }
  void SeedDelayed() {
    WriteSetting(kDelayKey, kDelayedProgram, "11");
    WriteSetting(kDelayTimeKey, kDelayedProgram, "80");
    WriteSetting(kDelayTitleKey, kDelayedProgram, kDelayedTitle);
  }

  ProgramRun* run_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace

TEST_F(ExplorerPagesTest, DelayedRemoveCancelKeepsNoForgetsAndRestorePutsBack) {
  SeedDelayed();
  const HWND sheet = OpenPage("-DELAY", kDelayedTitle, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("1 Min. : 20 Sec.", CellOf(kDelayedTitle, 3));
  EXPECT_EQ("Local File not found.", CellOf(kDelayedTitle, 2));

  ASSERT_TRUE(RemoteList(list_).Select({}));
  EXPECT_TRUE(Contains(Answer(sheet, IDC_PAGE_REMOVE, IDOK, "Korvane Help"), "No selection"));

  ASSERT_GE(SelectTitled(kDelayedTitle), 0);
  EXPECT_TRUE(Contains(Answer(sheet, IDC_PAGE_REMOVE, IDCANCEL), kRemoveDelayed));
  ASSERT_TRUE(WaitRowsTitled(list_, kDelayedTitle, 1));
  EXPECT_EQ("11", ReadRegString(HKEY_CURRENT_USER, kDelayKey, kDelayedProgram));

  ASSERT_GE(SelectTitled(kDelayedTitle), 0);
  Answer(sheet, IDC_PAGE_REMOVE, IDNO);
  EXPECT_TRUE(WaitRowsTitled(list_, kDelayedTitle, 0));
  EXPECT_EQ("", ReadRegString(HKEY_CURRENT_USER, kDelayKey, kDelayedProgram));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, kDelayedTitle)) << "No does not put back";
  EXPECT_TRUE(CloseSheet(sheet, *run_));

  SeedDelayed();
  const HWND again = OpenPage("-DELAY", kDelayedTitle, 1);
  ASSERT_NE(nullptr, again);
  ASSERT_GE(SelectTitled(kDelayedTitle), 0);
  ASSERT_TRUE(SendMenuCommand(again, ID_MENU_RESTORE_DELAYED));
  EXPECT_TRUE(WaitRowsTitled(list_, kDelayedTitle, 0));
  EXPECT_TRUE(WaitUntil([] { return RegValueExists(HKEY_CURRENT_USER, kRunKey, kDelayedTitle); }));
  EXPECT_EQ("", ReadRegString(HKEY_CURRENT_USER, kDelayKey, kDelayedProgram));
  EXPECT_TRUE(CloseSheet(again, *run_));
}

TEST_F(ExplorerPagesTest, ActiveXDisableAsksAndSetsTheKillBitEnableClearsIt) {
  WriteSetting((std::string(kStatsKey) + "\\" + kProbeClass + "\\iexplore").c_str(), "Probe", "");
  WriteRegString(HKEY_CLASSES_ROOT, ClassKey(kProbeClass), "", kProbeClassName);
  WriteRegString(HKEY_CLASSES_ROOT, ClassKey(kProbeClass) + "\\InprocServer32", "",
                 BinFolder() + "\\kv_sleeper.exe");
  const HWND sheet = OpenPage("-ACTIVEX", kProbeClassName, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("Enabled", CellOf(kProbeClassName, 3));
  EXPECT_EQ(kProbeClass, CellOf(kProbeClassName, 5));
  ASSERT_GE(SelectTitled(kProbeClassName), 0);
  const std::string compat = std::string(kCompatibilityKey) + "\\" + kProbeClass;
  EXPECT_TRUE(Contains(Answer(sheet, IDC_PAGE_DISABLE, IDNO), "Disabling an ActiveX control"));
  EXPECT_EQ(0u, ReadRegDword(HKEY_LOCAL_MACHINE, compat.c_str(), "Compatibility Flags"));
  ASSERT_GE(SelectTitled(kProbeClassName), 0);
  Answer(sheet, IDC_PAGE_DISABLE, IDYES);
  EXPECT_TRUE(WaitUntil([&] {
    return ReadRegDword(HKEY_LOCAL_MACHINE, compat.c_str(), "Compatibility Flags") == 0x400;
  }));
  EXPECT_TRUE(WaitUntil([&] { return CellOf(kProbeClassName, 3) == "Disabled"; }));
  ASSERT_GE(SelectTitled(kProbeClassName), 0);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_ENABLE));
  EXPECT_TRUE(WaitUntil([&] {
    return ReadRegDword(HKEY_LOCAL_MACHINE, compat.c_str(), "Compatibility Flags") == 0;
  }));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerPagesTest, IEHelperRemoveDeletesTheHelperAndLogsIt) {
  WriteRegString(HKEY_LOCAL_MACHINE, std::string(kBHOKey) + "\\" + kHelperClass, "", "");
  WriteRegString(HKEY_CLASSES_ROOT, ClassKey(kHelperClass) + "\\InprocServer32", "", kHelperServer);
  const HWND sheet = OpenPage("-BHO", "kvexhelper.dll", 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("BHO", CellOf("kvexhelper.dll", 3));
  ASSERT_GE(SelectTitled("kvexhelper.dll"), 0);
  EXPECT_TRUE(Contains(Answer(sheet, IDC_PAGE_REMOVE, IDYES), "kvexhelper.dll"));
  EXPECT_TRUE(WaitRowsTitled(list_, "kvexhelper.dll", 0));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + kHelperClass).c_str()));
  EXPECT_TRUE(WaitHistoryHas("IEHELPER_Remove")) << FileText(HistoryFilePath());
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerPagesTest, HiddenFileDeleteKeepsAVaultCopyAndUnhideClearsEveryAttribute) {
  const std::string hidden = WindowsPath(kHiddenName);
  ASSERT_TRUE(WriteTextFile(hidden, "hidden\r\n",
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
  const HWND sheet = OpenPage("-HIDDEN", kHiddenName, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("SYSTEM", CellOf(kHiddenName, 4));
  ASSERT_GE(SelectTitled(kHiddenName), 0);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_KILL));
  // Wine reports every file as ready for archiving; nothing else may be left.
  constexpr DWORD kCleared = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  EXPECT_TRUE(WaitUntil([&] { return (GetFileAttributesA(hidden.c_str()) & kCleared) == 0; }));
  EXPECT_TRUE(WaitRowsTitled(list_, kHiddenName, 0));
  EXPECT_TRUE(CloseSheet(sheet, *run_));

  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const HWND again = OpenPage("-HIDDEN", kHiddenName, 1);
  ASSERT_NE(nullptr, again);
  ASSERT_GE(SelectTitled(kHiddenName), 0);
  Answer(again, ID_MENU_DELETE_FILE, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !FileThere(hidden); }));
  EXPECT_TRUE(FileThere(VaultPath(kHiddenName))) << "the history's undo needs the vault copy";
  EXPECT_TRUE(WaitHistoryHas("*HIDDEN_DeleteFile")) << FileText(HistoryFilePath());
  EXPECT_TRUE(WaitRowsTitled(list_, kHiddenName, 0));
  EXPECT_TRUE(CloseSheet(again, *run_));
}

TEST_F(ExplorerPagesTest, TwoCopiesOfOneProgramAreKilledOneByOne) {
  const std::string copy = BinFolder() + "\\kvcopy\\kv_sleeper.exe";
  CreateDirectoryA((BinFolder() + "\\kvcopy").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((BinFolder() + "\\kv_sleeper.exe").c_str(), copy.c_str(), FALSE));
  ProgramRun first, second;
  struct Stop {
    ProgramRun &a, &b;
    ~Stop() { a.Kill(), b.Kill(); }
  } stop{first, second};
  ASSERT_TRUE(first.Start("kv_sleeper.exe", ""));
  ASSERT_TRUE(second.Start("kvcopy\\kv_sleeper.exe", ""));
  const HWND sheet = OpenPage("-TASK", "KV_SLEEPER.EXE", 2);
  ASSERT_NE(nullptr, sheet);
  ASSERT_GE(SelectTitled("KV_SLEEPER.EXE", 0), 0);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_KILL));
  EXPECT_TRUE(WaitRowsTitled(list_, "KV_SLEEPER.EXE", 1));
  EXPECT_NE(first.Running(), second.Running()) << "exactly one copy was stopped";
  ASSERT_GE(SelectTitled("KV_SLEEPER.EXE", 0), 0);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_KILL));
  EXPECT_TRUE(WaitRowsTitled(list_, "KV_SLEEPER.EXE", 0));
  EXPECT_TRUE(WaitUntil([&] { return !first.Running() && !second.Running(); }));
  EXPECT_TRUE(WaitHistoryHas("TASK_Kill")) << FileText(HistoryFilePath());
  EXPECT_TRUE(CloseSheet(sheet, *run_));
  DeleteFileA(copy.c_str());
}

TEST_F(ExplorerPagesTest, FileTypeAddedThroughTheDialogIsWatchedAndRemovedAgain) {
  const HWND sheet = OpenExplorer("-FILETYPE", &run_);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_ADD));
  const HWND dialog = WaitExplorerDialog(run_->Id(), "Add File Type Extension");
  ASSERT_NE(nullptr, dialog);
  SetDlgItemTextA(dialog, IDC_ADD_TYPE_EXTENSION, "KVX");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([] {
    return Contains(ReadRegString(HKEY_CURRENT_USER, kClassKey, ""), ";KVX;");
  }));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerPagesTest, InfoShowsTheEntryStepsRoundTheListAndCreatesANoteInTheDataFolder) {
  const std::string sleeper = BinFolder() + "\\kv_sleeper.exe";
  const std::string note = VaultPath("") + "..\\note_kv_sleeper.exe.txt";
  DeleteFileA(note.c_str());
  WriteSetting(kDelayKey, sleeper.c_str(), "11");
  WriteSetting(kDelayTitleKey, sleeper.c_str(), "KvExInfoOne");
  SeedDelayed();
  const HWND sheet = OpenPage("-DELAY", "KvExInfoOne", 1);
  ASSERT_NE(nullptr, sheet);
  ASSERT_GE(SelectTitled("KvExInfoOne"), 0);
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_INFO));
  const HWND info = WaitExplorerDialog(run_->Id(), kSheetCaption);
  ASSERT_NE(nullptr, info);
  EXPECT_EQ("KvExInfoOne", DialogItemText(info, IDC_INFO_DESCRIPTION));
  EXPECT_EQ("Ready", DialogItemText(info, IDC_INFO_STATUS));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(info, IDC_INFO_RUN)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(info, IDC_INFO_KILL)));

  PostMessageA(info, WM_COMMAND, IDC_INFO_NEXT, 0);
  EXPECT_TRUE(WaitUntil([&] { return DialogItemText(info, IDC_INFO_DESCRIPTION) == kDelayedTitle; }));
  EXPECT_EQ("Local File not found.", DialogItemText(info, IDC_INFO_STATUS));
  PostMessageA(info, WM_COMMAND, IDC_INFO_NEXT, 0);
  EXPECT_TRUE(WaitUntil([&] { return DialogItemText(info, IDC_INFO_DESCRIPTION) == "KvExInfoOne"; }))
      << "next on the last entry shows the first";
  PostMessageA(info, WM_COMMAND, IDC_INFO_PREVIOUS, 0);
  EXPECT_TRUE(WaitUntil([&] { return DialogItemText(info, IDC_INFO_DESCRIPTION) == kDelayedTitle; }))
      << "previous on the first entry shows the last";
  PostMessageA(info, WM_COMMAND, IDC_INFO_PREVIOUS, 0);
  EXPECT_TRUE(WaitUntil([&] { return DialogItemText(info, IDC_INFO_DESCRIPTION) == "KvExInfoOne"; }));

  PostMessageA(info, WM_COMMAND, IDC_INFO_NOTE_BUTTON, 0);
  EXPECT_TRUE(WaitUntil([&] { return FileThere(note); })) << note;
  EXPECT_EQ("KvExInfoOne\r\n" + sleeper + "\r\n", FileText(note));
  EXPECT_EQ("&Save Note", DialogItemText(info, IDC_INFO_NOTE_BUTTON));
  PostMessageA(info, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(info); }));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
  for (const char* key : {kDelayKey, kDelayTitleKey})
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key, sleeper.c_str());
  DeleteFileA(note.c_str());
}
