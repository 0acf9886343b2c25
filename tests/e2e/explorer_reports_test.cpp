// The system report from the real explorer: the Options page's "Korvane Log" button and a
// page's context-menu command write it into the data folder, in the form the Format option
// picks, and hand it to the viewer its type opens in; a report no program can open is said
// to be so. Started under a name holding "hijack", the explorer writes the scan log first.
#include <string>
#include <utility>
#include <vector>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kTextColumns[] =
    "Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSignature\r\n";
// The association of .txt, which a fresh Wine prefix leaves to no program.
constexpr char kTextType[] = ".txt";
constexpr char kLogType[] = ".log";
constexpr char kNotOpened[] = "The report was written, but no program could open it";

// Where the explorer puts its reports: Korvane in the user's application data.
std::string DataFolderPath() {
  const std::string appData = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "AppData");
  return appData.empty() ? BinFolder() : appData + "\\Korvane";
}

std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// Notepad's window over the file, found by its title.
HWND NotepadOn(const char* fileName) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); w;
       w = FindWindowExA(nullptr, w, "Notepad", nullptr))
    if (Contains(TitleOf(w), fileName)) return w;
  return nullptr;
}

void CloseNotepads(const char* fileName) {
  for (HWND w = NotepadOn(fileName); w != nullptr; w = NotepadOn(fileName)) {
    PostMessageA(w, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(w); })) break;
  }
}

class ExplorerReportsTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    path_ = DataFolderPath() + "\\KorvaneLog.txt";
    DeleteFileA(path_.c_str());
    WriteOption("Format", "1");
    for (const char* type : {kTextType, kLogType})
      if (RegKeyExists(HKEY_CLASSES_ROOT, type))
        kept_.emplace_back(type, ReadRegString(HKEY_CLASSES_ROOT, type, nullptr));
  }
  // Opens files of the type with the class's program for the test.
  static void Associate(const char* type, const char* typeClass) {
    WriteRegString(HKEY_CLASSES_ROOT, type, nullptr, typeClass);
  }
  void TearDown() override {
    CloseNotepads("KorvaneLog");
    WriteOption("Format", "0");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kTextType);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kLogType);
    for (const auto& [type, typeClass] : kept_) WriteRegString(HKEY_CLASSES_ROOT, type, nullptr, typeClass);
    DeleteFileA(path_.c_str());
    ExplorerTest::TearDown();
  }
  // The report is written whole and opened in Notepad, which is then closed again.
  void ExpectWrittenAndShown(const char* how) {
    EXPECT_TRUE(WaitUntil([&] { return FileText(path_).rfind(kTextColumns, 0) == 0; })) << how;
    EXPECT_TRUE(Contains(FileText(path_), "\r\nStartup Programs\r\n")) << how;
    EXPECT_TRUE(WaitUntil([] { return NotepadOn("KorvaneLog") != nullptr; })) << how;
    CloseNotepads("KorvaneLog");
    DeleteFileA(path_.c_str());
  }
  std::string path_;
  std::vector<std::pair<std::string, std::string>> kept_;  // the types' own classes
};

}  // namespace

TEST_F(ExplorerReportsTest, TheLogButtonAndTheMenuCommandWriteTheChosenFormAndOpenIt) {
  Associate(kTextType, "txtfile");
  ProgramRun* run = nullptr;
  const HWND sheet = OpenExplorer("-OPTION", &run);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitUntil([&] { return PageControl(sheet, IDC_OPT_REPORT) != nullptr; }));
  EXPECT_EQ("Korvane &Log", TitleOf(PageControl(sheet, IDC_OPT_REPORT)));
  ASSERT_TRUE(PressPageButton(sheet, IDC_OPT_REPORT));
  ExpectWrittenAndShown("Options page button");

  ASSERT_TRUE(SelectTab(sheet, 0));
  ASSERT_TRUE(WaitUntil([&] { return StartupList(sheet) != nullptr; }));
  ASSERT_TRUE(SendMenuCommand(sheet, ID_MENU_LOG));
  ExpectWrittenAndShown("Startup page menu command");
  // Nothing failed on the way: the explorer shows no box.
  EXPECT_EQ(nullptr, FindExplorerDialog(run->Id()));
  EXPECT_TRUE(CloseSheet(sheet, *run));
}

TEST_F(ExplorerReportsTest, AReportNoProgramCanOpenIsWrittenAndSaidSo) {
  // A type whose class names no program to open it with.
  Associate(kTextType, "KvNoViewerFile");
  ProgramRun* run = nullptr;
  const HWND sheet = OpenExplorer("-OPTION", &run);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitUntil([&] { return PageControl(sheet, IDC_OPT_REPORT) != nullptr; }));
  ASSERT_TRUE(PressPageButton(sheet, IDC_OPT_REPORT));
  const HWND box = WaitExplorerDialog(run->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(MessageBoxText(box), kNotOpened)) << MessageBoxText(box);
  EXPECT_TRUE(Contains(MessageBoxText(box), path_)) << MessageBoxText(box);
  EXPECT_TRUE(AnswerBox(box, IDOK));
  EXPECT_EQ(0u, FileText(path_).rfind(kTextColumns, 0));
  EXPECT_TRUE(CloseSheet(sheet, *run));
}

TEST_F(ExplorerReportsTest, StartedUnderAHijackNameItWritesTheScanLogBeforeItsWindow) {
  const std::string copy = BinFolder() + "\\KvHijackEx.exe";
  ASSERT_TRUE(CopyFileA((BinFolder() + "\\KorvaneEx.exe").c_str(), copy.c_str(), FALSE));
  const std::string log = DataFolderPath() + "\\HijackKorvane.log";
  DeleteFileA(log.c_str());
  Associate(kLogType, "txtfile");
  {
    ProgramRun run;
    ASSERT_TRUE(run.Start("KvHijackEx.exe", "-OPTION"));
    const HWND sheet = WaitSheet(run.Id());
    ASSERT_NE(nullptr, sheet);
    // Written whole before the window showed, and handed to the viewer of its type.
    EXPECT_EQ(0u, FileText(log).rfind("Log created by ", 0));
    EXPECT_TRUE(WaitUntil([] { return NotepadOn("HijackKorvane") != nullptr; }));
    CloseNotepads("HijackKorvane");
    EXPECT_TRUE(CloseSheet(sheet, run));
  }
  DeleteFileA(log.c_str());
  EXPECT_TRUE(DeleteFileA(copy.c_str()));
}
