// The Startup page acting on seeded Run entries through the real explorer: remove,
// disable and enable, delay, two entries of one title, and adding a program through the
// open-file dialog; each checked in the registry, the known-startup snapshot and the history.
#include <string>
#include <vector>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kProbeTitle[] = "KvExProbe";
inline constexpr char kProbeCommand[] = "C:\\Probe\\kvexprobe.exe /quiet";
inline constexpr char kProbeProgram[] = "C:\\PROBE\\KVEXPROBE.EXE";
inline constexpr char kProbeRemovedLine[] = "*START_Remove\tCURRENT_RUN\tKvExProbe";
inline constexpr char kMachineTitle[] = "KvExMachine";
inline constexpr char kMachineCommand[] = "C:\\Probe\\kvexmachine.exe";
inline constexpr char kMachineProgram[] = "C:\\PROBE\\KVEXMACHINE.EXE";
inline constexpr char kTwinTitle[] = "KvExTwin";
inline constexpr char kTwinUserCommand[] = "C:\\Twin\\user.exe";
inline constexpr char kTwinMachineCommand[] = "C:\\Twin\\machine.exe";
inline constexpr char kAddedName[] = "kv_sleeper";  // the sample has no version facts
inline constexpr char kLateTitle[] = "KvExLate";
inline constexpr char kLateCommand[] = "C:\\Late\\kvexlate.exe";
inline constexpr char kHostileTitle[] = "KvEx%s%n%x";
inline constexpr char kHostileCommand[] = "C:\\Hostile\\%s%n.exe /x=%d";
inline constexpr char kBinaryTitle[] = "KvExBinary";
inline constexpr char kLongTitle[] = "KvExLong";
inline constexpr char kHookTitle[] = "KvExHook";
inline constexpr char kHookClass[] = "{6B7E1D2A-4C3F-4E8B-9A51-2F0C7D3E8B14}";
inline constexpr char kHookServer[] = "C:\\Hook\\kvexhook.dll";
inline constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
inline constexpr char kWarningCaption[] = "Korvane Message";
inline constexpr char kDisabledKey[] = "Software\\Tamsel\\Korvane\\Disabled";
inline constexpr char kDisabledRunKey[] = "Software\\Tamsel\\Korvane\\Disabled\\Run";
inline constexpr char kDelayKey[] = "Software\\Tamsel\\Korvane\\Delay";
inline constexpr char kRemoveQuestion[] = "You have chosen to remove ";
inline constexpr char kNoSelection[] = "No selection has been made.";
inline constexpr char kHelpCaption[] = "Korvane Help";
inline constexpr char kEveryoneQuestion[] = "used by everyone who may logon to this machine";
inline constexpr char kDelayedMarker[] = "1103";
inline constexpr char kAddCaption[] = "Add AutoStart Program";
inline constexpr int kFileNameField = 0x47C;

// The edit of the open-file dialog's file name: a combo box nests it under the same id.
HWND FileNameEdit(HWND dialog) {
  HWND field = FindDescendant(dialog, kFileNameField);
  while (HWND inner = field ? FindDescendant(field, kFileNameField) : nullptr) field = inner;
  return field;
}

std::string AddedPath() { return BinFolder() + "\\kv_sleeper.exe"; }

// The names of the Run key's values whose data equals the text, ignoring case.
std::vector<std::string> RunValuesHolding(HKEY root, const std::string& data) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[256], value[1024];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, valueSize = sizeof value - 1, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(value),
                      &valueSize) != ERROR_SUCCESS)
      break;
    value[valueSize] = '\0';
    if (type == REG_SZ && lstrcmpiA(value, data.c_str()) == 0) names.emplace_back(name);
  }
  RegCloseKey(key);
  return names;
}

std::string HookClassKey() { return std::string("CLSID\\") + kHookClass; }

void ForgetSeeds() {
  for (const char* name : {kProbeTitle, kTwinTitle, kAddedName, kLateTitle, kHostileTitle,
                           kBinaryTitle, kLongTitle})
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, name);
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kDelayLoadKey, kHookTitle);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, HookClassKey().c_str());
  RegDeleteKeyA(HKEY_CLASSES_ROOT, HookClassKey().c_str());
  for (const std::string& name : RunValuesHolding(HKEY_CURRENT_USER, AddedPath()))
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, name.c_str());
  for (const char* name : {kMachineTitle, kTwinTitle})
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, name);
}

class ExplorerStartupTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    ForgetSeeds();
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    ForgetSeeds();
  }

  // Opens the explorer on the Startup page and waits for the seeded rows.
  HWND OpenStartupPage(const char* title, size_t rows) {
    const HWND sheet = OpenExplorer("", &run_);
    if (!sheet) return nullptr;
    EXPECT_EQ(kStartupTabText, SelectedTabText(sheet));
    list_ = StartupList(sheet);
    EXPECT_NE(nullptr, list_) << "the Startup page has its list";
    EXPECT_TRUE(list_ && WaitRowsTitled(list_, title, rows)) << rows << " rows titled " << title;
    return list_ ? sheet : nullptr;
  }
  // The rows with that title; the first of them (or the one at `which`) selected.
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
  // The box the command brings up, its text, and the answer given to it.
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
  bool ButtonShown(HWND sheet, int control) const {
    const HWND button = PageControl(sheet, control);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
  }

  ProgramRun* run_ = nullptr;
  HWND list_ = nullptr;
};

std::string SnapshotOf(const char* name) {
  return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, name);
}

bool InRun(HKEY root, const char* title) { return RegValueExists(root, kRunKey, title); }

}  // namespace

TEST_F(ExplorerStartupTest, RemoveAsksByCommandThenDeletesTheEntryItsSnapshotAndLogsIt) {
  WriteSetting(kRunKey, kProbeTitle, kProbeCommand);
  WriteSetting(kKnownStartupKey, kProbeCommand, "11");
  WriteSetting(kKnownStartupKey, kProbeTitle, "11");
  const HWND sheet = OpenStartupPage(kProbeTitle, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("kvexprobe.exe /quiet", CellOf(kProbeTitle, kColCommand));
  EXPECT_FALSE(Contains(CellOf(kProbeTitle, kColType), "Disabled"));

  ASSERT_TRUE(RemoteList(list_).Select({}));
  EXPECT_TRUE(Contains(Answer(sheet, IDC_STARTUP_REMOVE, IDOK, kHelpCaption), kNoSelection));

  ASSERT_GE(SelectTitled(kProbeTitle), 0);
  const std::string question = Answer(sheet, IDC_STARTUP_REMOVE, IDNO);
  EXPECT_TRUE(Contains(question, std::string(kRemoveQuestion) + kProbeCommand)) << question;
  EXPECT_FALSE(Contains(question, "%s")) << question;
  ASSERT_TRUE(WaitRowsTitled(list_, kProbeTitle, 1));
  EXPECT_TRUE(InRun(HKEY_CURRENT_USER, kProbeTitle)) << "No keeps the entry";

  ASSERT_GE(SelectTitled(kProbeTitle), 0);
  Answer(sheet, IDC_STARTUP_REMOVE, IDYES);
  EXPECT_TRUE(WaitUntil([] { return !InRun(HKEY_CURRENT_USER, kProbeTitle); }));
  EXPECT_TRUE(WaitRowsTitled(list_, kProbeTitle, 0)) << "the list is filled again";
  EXPECT_EQ("", SnapshotOf(kProbeCommand));
  EXPECT_EQ("", SnapshotOf(kProbeTitle));
  EXPECT_TRUE(WaitHistoryHas(kProbeRemovedLine)) << FileText(HistoryFilePath());
  EXPECT_EQ("", ReadRegString(HKEY_LOCAL_MACHINE, kDisabledKey, kProbeTitle));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerStartupTest, DisableMovesTheEntryIntoTheDisabledStoreAndEnableBringsItBack) {
  WriteSetting(kRunKey, kProbeTitle, kProbeCommand);
  const HWND sheet = OpenStartupPage(kProbeTitle, 1);
  ASSERT_NE(nullptr, sheet);
  ASSERT_GE(SelectTitled(kProbeTitle), 0);
  EXPECT_TRUE(WaitUntil([&] { return ButtonShown(sheet, IDC_STARTUP_DISABLE); }));
  EXPECT_FALSE(ButtonShown(sheet, IDC_STARTUP_ENABLE));

  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_DISABLE));
  ASSERT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_LOCAL_MACHINE, kDisabledKey, kProbeTitle) == "11";
  }));
  EXPECT_FALSE(InRun(HKEY_CURRENT_USER, kProbeTitle));
  EXPECT_EQ(kProbeCommand, ReadRegString(HKEY_LOCAL_MACHINE, kDisabledRunKey, kProbeTitle));
  EXPECT_TRUE(WaitUntil([&] { return Contains(CellOf(kProbeTitle, kColType), "Disabled"); }))
      << "the disabled entry stays listed as such: " << CellOf(kProbeTitle, kColType);
  ASSERT_GE(SelectTitled(kProbeTitle), 0);
  EXPECT_TRUE(WaitUntil([&] { return ButtonShown(sheet, IDC_STARTUP_ENABLE); }));
  EXPECT_FALSE(ButtonShown(sheet, IDC_STARTUP_DISABLE));

  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_ENABLE));
  ASSERT_TRUE(WaitUntil([] { return InRun(HKEY_CURRENT_USER, kProbeTitle); }));
  EXPECT_EQ(kProbeCommand, ReadRegString(HKEY_CURRENT_USER, kRunKey, kProbeTitle));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledKey, kProbeTitle));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledRunKey, kProbeTitle));
  EXPECT_TRUE(WaitUntil([&] { return !Contains(CellOf(kProbeTitle, kColType), "Disabled"); }));
  EXPECT_FALSE(HistoryHas("*START_Remove")) << "disabling removes nothing for good";
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

// A per-user entry moves without a question; a machine-wide one asks first, and Cancel keeps it.
TEST_F(ExplorerStartupTest, DelayMovesEntriesToTheDelayedListMarkedForTheMonitor) {
  WriteSetting(kRunKey, kProbeTitle, kProbeCommand);
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kMachineTitle, kMachineCommand);
  const HWND sheet = OpenStartupPage(kProbeTitle, 1);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitRowsTitled(list_, kMachineTitle, 1));

  ASSERT_GE(SelectTitled(kProbeTitle), 0);
  ASSERT_TRUE(SendMenuCommand(sheet, ID_MENU_DELAY));
  ASSERT_TRUE(WaitUntil([] { return !InRun(HKEY_CURRENT_USER, kProbeTitle); }));
  const auto delayed = [](const char* sub) {
    return ReadRegString(HKEY_CURRENT_USER, (std::string(kDelayKey) + sub).c_str(),
                         kProbeProgram);
  };
  EXPECT_EQ("11", delayed(""));
  EXPECT_EQ(kProbeTitle, delayed("\\Title"));
  EXPECT_EQ("30", delayed("\\Time"));
  EXPECT_EQ(" /quiet", delayed("\\Parameters"));
  EXPECT_EQ(kDelayedMarker, SnapshotOf(kProbeCommand));
  EXPECT_TRUE(WaitHistoryHas(kProbeRemovedLine));
  EXPECT_TRUE(WaitRowsTitled(list_, kProbeTitle, 0));
  EXPECT_EQ(nullptr, FindExplorerDialog(run_->Id())) << "a per-user entry is moved unasked";

  ASSERT_GE(SelectTitled(kMachineTitle), 0);
  EXPECT_TRUE(Contains(Answer(sheet, ID_MENU_DELAY, IDCANCEL), kEveryoneQuestion));
  ASSERT_TRUE(WaitRowsTitled(list_, kMachineTitle, 1));
  EXPECT_TRUE(InRun(HKEY_LOCAL_MACHINE, kMachineTitle)) << "Cancel keeps it in startup";
  ASSERT_GE(SelectTitled(kMachineTitle), 0);
  EXPECT_TRUE(Contains(Answer(sheet, ID_MENU_DELAY, IDOK), kEveryoneQuestion));
  EXPECT_TRUE(WaitUntil([] { return !InRun(HKEY_LOCAL_MACHINE, kMachineTitle); }));
  EXPECT_EQ("1", ReadRegString(HKEY_LOCAL_MACHINE, kDelayKey, kMachineProgram));
  EXPECT_EQ(kDelayedMarker, SnapshotOf(kMachineCommand));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerStartupTest, TwoEntriesOfOneTitleAreEachRemovedOnTheirOwn) {
  WriteSetting(kRunKey, kTwinTitle, kTwinUserCommand);
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kTwinTitle, kTwinMachineCommand);
  const HWND sheet = OpenStartupPage(kTwinTitle, 2);
  ASSERT_NE(nullptr, sheet);
  const int second = SelectTitled(kTwinTitle, 1);
  ASSERT_GE(second, 0);
  const std::string shown = RemoteList(list_).Cell(second, kColCommand);
  const bool secondIsUsers = Contains(kTwinUserCommand, shown);
  ASSERT_TRUE(secondIsUsers || Contains(kTwinMachineCommand, shown)) << shown;
  const HKEY removedRoot = secondIsUsers ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const HKEY keptRoot = secondIsUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::string removedCommand = secondIsUsers ? kTwinUserCommand : kTwinMachineCommand;

  const std::string question = Answer(sheet, IDC_STARTUP_REMOVE, IDYES);
  EXPECT_TRUE(Contains(question, kRemoveQuestion + removedCommand)) << question;
  EXPECT_TRUE(WaitUntil([&] { return !InRun(removedRoot, kTwinTitle); }));
  ASSERT_TRUE(WaitRowsTitled(list_, kTwinTitle, 1));
  EXPECT_TRUE(InRun(keptRoot, kTwinTitle)) << "the other entry of that title stays";
  EXPECT_NE(shown, CellOf(kTwinTitle, kColCommand));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

// The chosen program is added under a name of its own, never over a value of the same name,
// and marked known so that the monitor does not report it.
TEST_F(ExplorerStartupTest, AddThroughTheOpenFileDialogWritesANewRunValueMarkedKnown) {
  const std::string taken = "C:\\Other\\kv_sleeper.exe";
  WriteSetting(kRunKey, kAddedName, taken.c_str());
  const HWND sheet = OpenStartupPage(kAddedName, 1);
  ASSERT_NE(nullptr, sheet);

  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_ADD));
  const HWND dialog = WaitExplorerDialog(run_->Id(), kAddCaption);
  ASSERT_NE(nullptr, dialog);
  const HWND edit = FileNameEdit(dialog);
  ASSERT_NE(nullptr, edit) << "the file name field of the open-file dialog";
  ASSERT_TRUE(SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AddedPath().c_str())));
  ASSERT_TRUE(AnswerBox(dialog, IDOK));

  std::vector<std::string> added;
  ASSERT_TRUE(WaitUntil([&] {
    added = RunValuesHolding(HKEY_CURRENT_USER, AddedPath());
    return added.size() == 1;
  })) << "one new Run value holds the chosen path";
  EXPECT_NE(kAddedName, added[0]);
  EXPECT_TRUE(Contains(added[0], kAddedName)) << added[0];
  EXPECT_EQ(taken, ReadRegString(HKEY_CURRENT_USER, kRunKey, kAddedName));
  EXPECT_EQ("1", SnapshotOf(AddedPath().c_str()));
  ASSERT_TRUE(WaitRowsTitled(list_, added[0], 1)) << "the list is filled again";
  EXPECT_NE("", CellOf(added[0].c_str(), kColFirstDetected));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerStartupTest, KeysRefreshTheListAndRemoveTheSelectedEntry) {
  WriteSetting(kRunKey, kProbeTitle, kProbeCommand);
  const HWND sheet = OpenStartupPage(kProbeTitle, 1);
  ASSERT_NE(nullptr, sheet);
  WriteSetting(kRunKey, kLateTitle, kLateCommand);
  PostMessageA(list_, WM_KEYDOWN, VK_F5, 0);
  ASSERT_TRUE(WaitRowsTitled(list_, kLateTitle, 1)) << "F5 fills the list again";

  ASSERT_GE(SelectTitled(kLateTitle), 0);
  PostMessageA(list_, WM_KEYDOWN, VK_DELETE, 0);
  const HWND box = WaitExplorerDialog(run_->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box) << "Delete asks as Remove does";
  EXPECT_TRUE(Contains(MessageBoxText(box), std::string(kRemoveQuestion) + kLateCommand))
      << MessageBoxText(box);
  ASSERT_TRUE(AnswerBox(box, IDYES));
  EXPECT_TRUE(WaitUntil([] { return !InRun(HKEY_CURRENT_USER, kLateTitle); }));
  EXPECT_TRUE(WaitRowsTitled(list_, kLateTitle, 0));
  EXPECT_TRUE(InRun(HKEY_CURRENT_USER, kProbeTitle));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

// Titles and commands are data, never formats; values of other types and overlong commands
// are listed or skipped without harm.
TEST_F(ExplorerStartupTest, HostileEntriesAreListedAndNamedVerbatim) {
  WriteSetting(kRunKey, kHostileTitle, kHostileCommand);
  WriteRegValue(HKEY_CURRENT_USER, kRunKey, kBinaryTitle, REG_BINARY, std::string(40, '\xff'));
  const std::string longCommand = "C:\\" + std::string(900, 'a') + ".exe";
  WriteSetting(kRunKey, kLongTitle, longCommand.c_str());
  const HWND sheet = OpenStartupPage(kHostileTitle, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("%s%n.exe /x=%d", CellOf(kHostileTitle, kColCommand));
  EXPECT_TRUE(WaitRowsTitled(list_, kLongTitle, 1));

  ASSERT_GE(SelectTitled(kHostileTitle), 0);
  const std::string question = Answer(sheet, IDC_STARTUP_REMOVE, IDYES);
  EXPECT_TRUE(Contains(question, std::string(kRemoveQuestion) + kHostileCommand)) << question;
  EXPECT_TRUE(WaitUntil([] { return !InRun(HKEY_CURRENT_USER, kHostileTitle); }));
  EXPECT_TRUE(WaitHistoryHas(std::string("*START_Remove\tCURRENT_RUN\t") + kHostileTitle));
  EXPECT_TRUE(InRun(HKEY_CURRENT_USER, kBinaryTitle)) << "only the chosen entry goes";
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

// An entry Windows itself may need goes only after the warning's box is ticked.
TEST_F(ExplorerStartupTest, SystemEntryIsRemovedOnlyThroughTheTickedWarning) {
  WriteOption("ShowAllStartup", "1");
  WriteRegString(HKEY_CLASSES_ROOT, HookClassKey() + "\\InprocServer32", "", kHookServer);
  WriteRegString(HKEY_LOCAL_MACHINE, kDelayLoadKey, kHookTitle, kHookClass);
  const HWND sheet = OpenStartupPage(kHookTitle, 1);
  ASSERT_NE(nullptr, sheet);
  ASSERT_GE(SelectTitled(kHookTitle), 0);
  EXPECT_TRUE(WaitUntil([&] { return ButtonShown(sheet, IDC_STARTUP_REMOVE); }));
  EXPECT_FALSE(ButtonShown(sheet, IDC_STARTUP_DISABLE)) << "a system entry is not disabled";
  EXPECT_FALSE(ButtonShown(sheet, IDC_STARTUP_ENABLE));

  for (const bool ticked : {false, true}) {
    SCOPED_TRACE(ticked ? "ticked" : "not ticked");
    ASSERT_GE(SelectTitled(kHookTitle), 0);
    ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_REMOVE));
    const HWND warning = WaitExplorerDialog(run_->Id(), kWarningCaption);
    ASSERT_NE(nullptr, warning);
    EXPECT_EQ(kHookTitle, DialogItemText(warning, IDC_WARNING_TITLE));
    if (ticked)
      SendMessageA(GetDlgItem(warning, IDC_WARNING_CONFIRM), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(AnswerBox(warning, IDOK));
    EXPECT_EQ(ticked, WaitUntil([] { return !RegValueExists(HKEY_LOCAL_MACHINE, kDelayLoadKey,
                                                              kHookTitle); },
                                 ticked ? kWaitMs : 1500));
  }
  EXPECT_TRUE(WaitRowsTitled(list_, kHookTitle, 0));
  EXPECT_TRUE(WaitHistoryHas("REMOVE_DELAYLOAD")) << FileText(HistoryFilePath());
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

// A choice stored while the window is open outlives its close: the explorer's write-back of
// its options at the end must not put back the values it loaded at the start.
TEST_F(ExplorerStartupTest, ShowAllChoiceOutlivesTheClose) {
  WriteOption("ShowAllStartup", "0");
  const HWND sheet = OpenExplorer("-START", &run_);
  ASSERT_NE(nullptr, sheet);
  const HWND box = GetDlgItem(ActivePage(sheet), IDC_STARTUP_SHOW_ALL);
  ASSERT_NE(nullptr, box);
  SendMessageTimeoutA(box, BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_SHOW_ALL));
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "ShowAllStartup") == "1"; }));
  ASSERT_TRUE(CloseSheet(sheet, *run_));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "ShowAllStartup"));
}
