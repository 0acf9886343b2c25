// The Options page through the real explorer: each check box stores its option and asks the
// monitor to reload (Update = "1"); hiding the tray icon reaches a running monitor at once;
// the Hide Alerts dialog sets every alert policy; the history dialog lists the log.
#include <string>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

struct OptionCheckBox {
  int control;
  const char* option;
};

constexpr OptionCheckBox kPlainChecks[] = {
    {IDC_OPT_SOUND, "Sound"},
    {IDC_OPT_HISTORY, "History"},
    {IDC_OPT_LOCK_TYPES, "LockFileTypes"},
    {IDC_OPT_CONFIRM_EXIT, "ConfirmExit"},
};

std::string OptionText(const char* name) { return ReadRegString(HKEY_CURRENT_USER, kOptionsKey, name); }

class ExplorerOptionsTest : public ExplorerTest {
 protected:
  HWND OpenOptions() {
    const HWND sheet = OpenExplorer("-OPTION", &run_);
    if (sheet == nullptr) return nullptr;
    EXPECT_TRUE(WaitUntil([&] { return PageControl(sheet, IDC_OPT_SOUND) != nullptr; }));
    return sheet;
  }
  // A click as the mouse gives it: the box changes its state and tells the page.
  bool Click(HWND sheet, int control) {
    const HWND box = PageControl(sheet, control);
    return box && PostMessageA(box, BM_CLICK, 0, 0);
  }
  bool Checked(HWND sheet, int control) {
    return SendMessageA(PageControl(sheet, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // Answers the explorer's next box or message dialog with OK.
  void AnswerNext() {
    const HWND box = WaitExplorerDialog(run_->Id());
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(AnswerBox(box, IDOK));
  }
  bool StoredAs(const char* option, const char* value) {
    return WaitUntil([&] { return OptionText(option) == value && OptionText("Update") == "1"; });
  }

  ProgramRun* run_ = nullptr;
};

}  // namespace

TEST_F(ExplorerOptionsTest, EachCheckBoxStoresItsOptionAndAsksTheMonitorToReload) {
  WriteOption("Sound", "1");
  WriteOption("History", "1");
  WriteOption("LockFileTypes", "0");
  WriteOption("ConfirmExit", "0");
  WriteOption("VeltFormat", "0");
  const HWND sheet = OpenOptions();
  ASSERT_NE(nullptr, sheet);
  for (const OptionCheckBox& check : kPlainChecks) {
    const bool was = Checked(sheet, check.control);
    EXPECT_EQ(was ? "1" : "0", OptionText(check.option)) << check.option;
    WriteOption("Update", "0");
    ASSERT_TRUE(Click(sheet, check.control));
    EXPECT_TRUE(StoredAs(check.option, was ? "0" : "1")) << check.option;
    WriteOption("Update", "0");
    ASSERT_TRUE(Click(sheet, check.control));
    EXPECT_TRUE(StoredAs(check.option, was ? "1" : "0")) << check.option << " back";
  }
  // Checking VELT data collection first says what is sent.
  WriteOption("Update", "0");
  ASSERT_TRUE(Click(sheet, IDC_OPT_VELT_FORMAT));
  AnswerNext();
  EXPECT_TRUE(StoredAs("VeltFormat", "1"));
  ASSERT_TRUE(Click(sheet, IDC_OPT_VELT_FORMAT));
  EXPECT_TRUE(StoredAs("VeltFormat", "0"));
  // The report buttons carry their texts (what they write is tested with the reports).
  const struct {
    int control;
    const char* text;
  } kReportButtons[] = {{IDC_OPT_REPORT, "Korvane &Log"}, {IDC_OPT_SCAN_LOG, "&Hijack Log"},
                        {IDC_OPT_SPREADSHEET, "&Spreadsheet Report"},
                        {IDC_OPT_EXPORT_SETTINGS, "E&xport Settings"}};
  for (const auto& button : kReportButtons)
    EXPECT_EQ(button.text, DialogItemText(ActivePage(sheet), button.control)) << button.control;
}

TEST_F(ExplorerOptionsTest, HidingTheTrayIconReachesTheRunningMonitorAtOnce) {
  WriteOption("HideTobbit", "0");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(TrayIconShown(window));
  const HWND sheet = OpenOptions();
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(Click(sheet, IDC_OPT_HIDE_TRAY));
  AnswerNext();  // how to come back without the icon
  EXPECT_TRUE(StoredAs("HideTobbit", "1"));
  EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(window); }));
  ASSERT_TRUE(Click(sheet, IDC_OPT_HIDE_TRAY));
  EXPECT_TRUE(StoredAs("HideTobbit", "0"));
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
}

TEST_F(ExplorerOptionsTest, HideAlertsSetsEveryPolicyAndAClickedRowGoesBack) {
  static const char* const kPolicies[] = {"HideStartup", "HideIEHelper", "HideTasks",
                                          "HideServices", "HideActiveX", "HideHidden",
                                          "HideFileType", "HideSystemFiles", "HideHomePage"};
  static constexpr int kAllow[] = {1214, 1216, 1218, 1220, 1222, 1224, 1231, 1226, 1228};
  static constexpr int kDeny[] = {1215, 1217, 1219, 1221, 1223, 1225, 1232, 1227, 1229};
  for (const char* policy : kPolicies) WriteOption(policy, "0");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane", "kvserver",
                 "http://www.tamsel.com/cgi-bin/history.pl?");
  const HWND sheet = OpenOptions();
  ASSERT_NE(nullptr, sheet);
  EXPECT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_OPT_HIDE_ALERTS)));
  ASSERT_TRUE(PressPageButton(sheet, IDC_OPT_HIDE_ALERTS));
  const HWND dialog = WaitExplorerDialog(run_->Id(), "Hide Alert Messages");
  ASSERT_NE(nullptr, dialog);
  for (int row = 0; row < 9; ++row) {
    const int control = row % 2 ? kDeny[row] : kAllow[row];
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0);
  }
  // The first row's check box: set goes back to shown, twice clicked it is allowed again.
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), 0);
  EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(dialog, 1234, BM_GETCHECK, 0, 0));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), 0);
  EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dialog, 1234, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dialog, 1214, BM_GETCHECK, 0, 0));
  EXPECT_TRUE(AnswerBox(dialog, IDCANCEL));
  for (int row = 0; row < 9; ++row)
    EXPECT_TRUE(StoredAs(kPolicies[row], row % 2 ? "2" : "1")) << kPolicies[row];
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane", "kvserver");
}

TEST_F(ExplorerOptionsTest, HistoryListsTheLogAndRestoresOnlyWhatCanBeTakenBack) {
  const std::string log =
      "12/06/2026  2:05 PM\tTASK_Kill\tINFO_TASK\tKvExKilled\tC:\\K\\killed.exe\t\r\n"
      "12/06/2026  2:06 PM\t*START_Remove\tCURRENT_RUN\tKvExBack\tC:\\B\\back.exe\t\r\n";
  ASSERT_TRUE(WriteTextFile(HistoryFilePath(), log));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "KvExBack");
  const HWND sheet = OpenOptions();
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(PressPageButton(sheet, IDC_OPT_VIEW_HISTORY));
  const HWND dialog = WaitExplorerDialog(run_->Id(), "Korvane History");
  ASSERT_NE(nullptr, dialog);
  RemoteList rows(GetDlgItem(dialog, IDC_PAGE_LIST));
  ASSERT_TRUE(WaitUntil([&] { return rows.Rows() == 2; }));
  EXPECT_EQ("KvExKilled", rows.Cell(0, 0));
  EXPECT_EQ("*START_Remove", rows.Cell(1, 1));
  // A row that cannot be taken back leaves Restore off and does nothing when double-clicked.
  ASSERT_TRUE(rows.Select({0}));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(dialog, IDC_HISTORY_RESTORE)); }));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_RESTORE, BN_CLICKED), 0);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "KvExKilled"));
  ASSERT_TRUE(rows.Select({1}));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDC_HISTORY_RESTORE)); }));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_RESTORE, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([&] { return ReadRegString(HKEY_CURRENT_USER, kRunKey, "KvExBack") == "C:\\B\\back.exe"; }));
  // Clear File asks first; No keeps the file.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_CLEAR, BN_CLICKED), 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = FindExplorerDialog(run_->Id(), kSheetCaption);
    return box != nullptr && box != dialog;
  }));
  EXPECT_TRUE(AnswerBox(box, IDNO));
  EXPECT_TRUE(WaitHistoryHas("KvExKilled"));
  EXPECT_TRUE(AnswerBox(dialog, IDOK));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "KvExBack");
}

TEST_F(ExplorerOptionsTest, ANewCookieFilterRemovesTheMatchingCookieAndAPathIsRefused) {
  const std::string folder = BinFolder() + "\\kvcookies";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteTextFile(folder + "\\index.dat", "x"));
  const std::string wanted = folder + "\\user@shop.example[1].txt";
  const std::string unwanted = folder + "\\user@ads.kvnutclick[1].txt";
  ASSERT_TRUE(WriteTextFile(wanted, "id\n1\nshop.example/\n"));
  ASSERT_TRUE(WriteTextFile(unwanted, "id\n2\nads.kvnutclick/\n"));
  WriteSetting("Software\\Tamsel\\Korvane", "IECookieFolder", (folder + "\\").c_str());
  WriteOption("Browser", "1");
  WriteOption("ViewCookies", "0");
  const HWND sheet = OpenExplorer("-NUT", &run_);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitUntil([&] { return PageControl(sheet, IDC_COOKIES_FILTER) != nullptr; }));
  const HWND box = PageControl(sheet, IDC_COOKIES_FILTER);
  // The folder's own path would match every cookie: refused, and typing closed nothing.
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((folder + "\\").c_str()));
  ASSERT_TRUE(PressPageButton(sheet, IDC_COOKIES_ADD));
  AnswerNext();
  EXPECT_TRUE(PathExists(wanted));
  EXPECT_TRUE(PathExists(unwanted));
  EXPECT_TRUE(IsWindow(sheet));
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kvnutclick"));
  ASSERT_TRUE(PressPageButton(sheet, IDC_COOKIES_ADD));
  EXPECT_TRUE(WaitUntil([&] { return !PathExists(unwanted); }));
  EXPECT_TRUE(PathExists(wanted));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Nuts", "kvnutclick"));
  RemoteList filters(PageControl(sheet, IDC_PAGE_LIST));
  EXPECT_TRUE(WaitUntil([&] { return filters.Rows() == 1 && filters.Cell(0, 0) == "kvnutclick"; }));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Nuts", "kvnutclick");
  for (const std::string& file : {wanted, folder + "\\index.dat"}) DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}
