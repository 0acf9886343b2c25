// What the category pages read only for the rows shown, or once for the whole fill, reaches
// every row through the real explorer: the company of rows far below the visible part and
// under a stored sort on that column, each row's first-detected date, a hidden file's last
// write, and a delayed program's running state and delay.
#include <cstdio>
#include <string>
#include <vector>

#include "explorer_driver.h"
#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "item_codes.h"
#include "monitor_driver.h"
#include "records/first_detected.h"
#include "sandbox.h"
#include "text.h"

namespace {

inline constexpr char kBHOKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr char kDelayKey[] = "Software\\Tamsel\\Korvane\\Delay";
inline constexpr char kDelayTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
inline constexpr char kDelayTitleKey[] = "Software\\Tamsel\\Korvane\\Delay\\Title";
inline constexpr char kFactsFolder[] = "kvfacts";
inline constexpr char kVendorTitle[] = "Versioned Sample";  // the sample's product name
inline constexpr char kVendorCompany[] = "Korvane Tests";
inline constexpr char kPlainTitle[] = "kvfactsplain.dll";
inline constexpr char kHiddenName[] = "kvfactshidden.txt";
inline constexpr int kHelpers = 40;  // more rows than the list shows at once
inline constexpr int kCompanyColumn = 2;
inline constexpr int kHelperDetectedColumn = 4;
inline constexpr int kHiddenDetectedColumn = 2;
inline constexpr int kHiddenWrittenColumn = 3;
inline constexpr int kDelayedStatusColumn = 2;
inline constexpr int kDelayedTimeColumn = 3;

std::string HelperClass(int index) {
  char clsid[64];
  std::snprintf(clsid, sizeof clsid, "{7D1B2C3E-4F50-4A61-8B72-9C83D4E5F7%02X}", index);
  return clsid;
}

std::string FactsPath(const char* name) {
  return BinFolder() + "\\" + kFactsFolder + "\\" + name;
}

std::string WindowsPath(const char* name) {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

std::string Detected(const std::string& path, int code) {
  char normalised[kPathSize], text[24] = "";
  NormaliseCommand(path.c_str(), normalised, sizeof normalised);
  FirstDetectedText(normalised, code, text);
  return text;
}

void ForgetSeeds() {
  for (int i = 0; i < kHelpers; ++i) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + HelperClass(i)).c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + HelperClass(i)).c_str());
  }
  const std::string hidden = WindowsPath(kHiddenName);
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(hidden.c_str());
  for (const char* name : {"vendor.dll", kPlainTitle}) DeleteFileA(FactsPath(name).c_str());
  RemoveDirectoryA((BinFolder() + "\\" + kFactsFolder).c_str());
}

class ExplorerPageFactsTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    ForgetSeeds();
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    ForgetSeeds();
  }
  // Half the helpers run a program with a company, half one without version facts.
  static void SeedHelpers() {
    CreateDirectoryA((BinFolder() + "\\" + kFactsFolder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\kv_versioned_sample.exe").c_str(),
                          FactsPath("vendor.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\kv_sleeper.exe").c_str(),
                          FactsPath(kPlainTitle).c_str(), FALSE));
    for (int i = 0; i < kHelpers; ++i) {
      WriteRegString(HKEY_LOCAL_MACHINE, std::string(kBHOKey) + "\\" + HelperClass(i), "", "");
      WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\" + HelperClass(i) + "\\InprocServer32", "",
                     FactsPath(i % 2 ? "vendor.dll" : kPlainTitle));
    }
  }
  HWND OpenPage(const char* pageSwitch, const char* title, size_t rows) {
    const HWND sheet = OpenExplorer(pageSwitch, &run_);
    if (!sheet) return nullptr;
    list_ = PageControl(sheet, IDC_PAGE_LIST);
    EXPECT_TRUE(list_ && WaitRowsTitled(list_, title, rows)) << rows << " rows titled " << title;
    return list_ ? sheet : nullptr;
  }
  std::string CellOf(const char* title, int column) const {
    const RemoteList list(list_);
    const std::vector<int> rows = list.RowsTitled(title);
    return rows.empty() ? std::string() : list.Cell(rows[0], column);
  }
  // Each helper row's company and first-detected date, as its program file has them.
  void ExpectHelperFacts() const {
    const RemoteList list(list_);
    const std::string vendorDate = Detected(FactsPath("vendor.dll"), kTypeBHO);
    const std::string plainDate = Detected(FactsPath(kPlainTitle), kTypeBHO);
    EXPECT_NE("", vendorDate);
    EXPECT_NE("", plainDate);
    for (int row : list.RowsTitled(kVendorTitle)) {
      EXPECT_EQ(kVendorCompany, list.Cell(row, kCompanyColumn)) << row;
      EXPECT_EQ(vendorDate, list.Cell(row, kHelperDetectedColumn)) << row;
    }
    for (int row : list.RowsTitled(kPlainTitle)) {
      EXPECT_EQ("", list.Cell(row, kCompanyColumn)) << row;
      EXPECT_EQ(plainDate, list.Cell(row, kHelperDetectedColumn)) << row;
    }
  }

  ProgramRun* run_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace

TEST_F(ExplorerPageFactsTest, CompanyAndFirstDetectedReachRowsNeverShownAndTheStoredSort) {
  SeedHelpers();
  HWND sheet = OpenPage("-BHO", kPlainTitle, kHelpers / 2);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitRowsTitled(list_, kVendorTitle, kHelpers / 2));
  const int shown = static_cast<int>(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LT(shown, RemoteList(list_).Rows()) << "some rows must lie below the visible part";
  ExpectHelperFacts();
  EXPECT_TRUE(CloseSheet(sheet, *run_));

  // Sorted on the company column at the fill: every row's company is read before the sort.
  WriteOption("SortIEHelper", "3");
  sheet = OpenPage("-BHO", kPlainTitle, kHelpers / 2);
  ASSERT_NE(nullptr, sheet);
  const std::vector<std::string> companies = RemoteList(list_).Column(kCompanyColumn);
  for (size_t row = 1; row < companies.size(); ++row)
    EXPECT_LE(UpperText(companies[row - 1]), UpperText(companies[row])) << row;
  ExpectHelperFacts();
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerPageFactsTest, HiddenFileShowsItsLastWriteAndFirstDetectedDate) {
  const std::string hidden = WindowsPath(kHiddenName);
  ASSERT_TRUE(WriteTextFile(hidden, "hidden\r\n", FILE_ATTRIBUTE_HIDDEN));
  {
    Handle file(CreateFileA(hidden.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 0, 0};
    FILETIME written = {};
    ASSERT_TRUE(SystemTimeToFileTime(&when, &written));
    ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &written));
  }
  char expected[kFactSlotSize] = "", size[kFactSlotSize] = "";
  ASSERT_GT(ReadSizeAndWritten(hidden.c_str(), expected, size), 0);
  const HWND sheet = OpenPage("-HIDDEN", kHiddenName, 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(expected, CellOf(kHiddenName, kHiddenWrittenColumn));
  const std::string date = Detected(hidden, kTypeHidden);
  EXPECT_NE("", date);
  EXPECT_EQ(date, CellOf(kHiddenName, kHiddenDetectedColumn));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerPageFactsTest, DelayedProgramsShowWhetherTheyRunAndTheirDelay) {
  ProgramRun sleeper;
  struct Stop {
    ProgramRun& run;
    ~Stop() { run.Kill(); }
  } stop{sleeper};
  ASSERT_TRUE(sleeper.Start("kv_sleeper.exe", ""));
  const struct {
    std::string program;
    const char* title;
    const char* seconds;
  } records[] = {{UpperText(BinFolder() + "\\kv_sleeper.exe"), "KvFactsRunning", "40"},
                 {UpperText(BinFolder() + "\\kv_versioned_sample.exe"), "KvFactsIdle", "130"}};
  for (const auto& record : records) {
    WriteSetting(kDelayKey, record.program.c_str(), "11");
    WriteSetting(kDelayTimeKey, record.program.c_str(), record.seconds);
    WriteSetting(kDelayTitleKey, record.program.c_str(), record.title);
  }
  const HWND sheet = OpenPage("-DELAY", "KvFactsRunning", 1);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("Running", CellOf("KvFactsRunning", kDelayedStatusColumn));
  EXPECT_EQ("40 Sec.", CellOf("KvFactsRunning", kDelayedTimeColumn));
  EXPECT_EQ("", CellOf("KvFactsIdle", kDelayedStatusColumn));
  EXPECT_EQ("2 Min. : 10 Sec.", CellOf("KvFactsIdle", kDelayedTimeColumn));
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}
