// The browser and file checks through the real monitor: the start page guard, the Mozilla
// cookie step, a new hidden file and a rejected ActiveX control.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kIEMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";
inline constexpr char kPagesStep[] = "IE Start/Search Page";

inline constexpr char kHiddenName[] = "kv_e2e_hidden.txt";
inline constexpr char kHiddenTitle[] = "kv_e2e_hidden";  // the file name less its ending

inline constexpr char kControlId[] = "{5E7A1C00-0000-4000-8000-0000000000E2}";
inline constexpr char kControlName[] = "Sentry Probe Control";
inline constexpr char kStatsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\";
inline constexpr char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\";
inline constexpr char kClassesKey[] = "Software\\Classes\\CLSID\\";

inline constexpr char kNutsKey[] = "Software\\Tamsel\\Korvane\\Nuts";
inline constexpr char kCookieHeader[] = "# Netscape HTTP Cookie File\r\n";
inline constexpr char kKeptCookie[] = ".a.org\tTRUE\t/\tFALSE\t2000000000\tn\t1\r\n";
inline constexpr char kDroppedCookie[] = "drop.org\tTRUE\t/\tFALSE\t2000000000\tsid\t2\r\n";

std::string TempPath(const char* name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

// The vault copy of the hidden file: its name followed by digits of its path.
std::string VaultPath() {
  const std::string appData = ReadRegString(
      HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "AppData");
  const std::string vault = appData + "\\Korvane\\vault\\";
  WIN32_FIND_DATAA found = {};
  const HANDLE search = FindFirstFileA((vault + kHiddenName + ".*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return vault + kHiddenName;
  FindClose(search);
  return vault + found.cFileName;
}

bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentPage() { return ReadRegString(HKEY_CURRENT_USER, kIEMainKey, kStartPageValue); }
std::string RememberedPage() { return ReadRegString(HKEY_CURRENT_USER, kBaseKey, "StartPage"); }

// Runs cycles until one more has checked the pages (in the first half).
void CheckPages(HWND window) {
  const int before = TraceCount(kPagesStep);
  EXPECT_TRUE(CyclesUntil(
      window, [&] { return WaitUntil([&] { return TraceCount(kPagesStep) > before; }, 2000); }));
}

class SweepBrowserTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    savedPage_ = CurrentPage();
  }
  void TearDown() override {
    MonitorTest::TearDown();
    WriteSetting(kIEMainKey, kStartPageValue, savedPage_.c_str());
    for (const std::string& path :
         {TempPath(kHiddenName), VaultPath(), TempPath("kv_e2e_cookies\\cookies.txt"),
          TempPath("kv_e2e_cookies\\cookiesnew.txt")}) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(TempPath("kv_e2e_cookies").c_str());
  }

 private:
  std::string savedPage_;
};

}  // namespace

// One run: a hijacked start page put back under policy 2 while a change of letter case or
// trailing slash is no change; a waiting filtered cookie file that must reach the browser with
// the Nuts interval off (its default); a new hidden file deleted through Esc on its alert.
TEST_F(SweepBrowserTest, PagePutBackCookieFileInPlaceAndHiddenFileDeletedByEscape) {
  WriteOption("StartPage", "1");
  WriteOption("Debug", "1");
  WriteOption("HideHomePage", "2");
  WriteSetting(kBaseKey, "StartPage", "http://home.example/");
  WriteSetting(kIEMainKey, kStartPageValue, "http://hijack.example/");
  const std::string cookies = TempPath("kv_e2e_cookies\\cookies.txt");
  CreateDirectoryA(TempPath("kv_e2e_cookies").c_str(), nullptr);
  ASSERT_TRUE(WriteTextFile(cookies, std::string(kCookieHeader) + kDroppedCookie + kKeptCookie));
  WriteSetting(kBaseKey, "CookieFolder", TempPath("kv_e2e_cookies").c_str());
  WriteSetting(kNutsKey, "drop.org - sid", "2");
  WriteSetting(kNutsKey, "always", "1");
  WriteOption("UpdateCookieFile", "1");
  WriteOption("Hidden", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);

  CheckPages(window);
  EXPECT_TRUE(WaitUntil([] { return CurrentPage() == "http://home.example/"; }));
  EXPECT_EQ("http://home.example/", RememberedPage());
  WriteSetting(kIEMainKey, kStartPageValue, "http://HOME.example");
  CheckPages(window);  // a cycle of the other half, with the cookie steps, ran in between
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ("http://HOME.example", CurrentPage()) << "the same page: nothing to put back";
  EXPECT_EQ("http://home.example/", RememberedPage());

  EXPECT_EQ(std::string(kCookieHeader) + kKeptCookie, FileText(cookies));
  EXPECT_FALSE(
      RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Options", "UpdateCookieFile"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "drop.org - sid"));
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "always"));

  const std::string hidden = TempPath(kHiddenName);
  ASSERT_TRUE(WriteTextFile(hidden, "", FILE_ATTRIBUTE_HIDDEN));
  const HWND alert = AlertNamed(monitor, window, kHiddenTitle);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ("OK", DialogItemText(alert, IDOK));
  EXPECT_EQ("&Delete", DialogItemText(alert, IDCANCEL));
  EXPECT_TRUE(WaitHistoryHas(std::string("\tHIDDEN_Alert\tTYPE_HIDDEN\t") + kHiddenTitle + "\t"));
  PostMessageA(alert, WM_COMMAND, IDCANCEL, 0);  // what Esc sends
  ASSERT_TRUE(WaitUntil([&] { return !FileThere(hidden); }));
  EXPECT_TRUE(WaitUntil([&] {
    return HistoryHas(std::string("\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\t") + kHiddenTitle + "\t" +
                      hidden + "\t");
  }));
  EXPECT_FALSE(
      RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Hidden", hidden.c_str()));
  EXPECT_TRUE(FileThere(VaultPath()));
}

namespace {

class ActiveXAlertTest : public MonitorTest {
 protected:
  void TearDown() override {
    MonitorTest::TearDown();
    RegDeleteTreeA(HKEY_CURRENT_USER, stats_.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, classKey_.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, compatibility_.c_str());
  }
  const std::string stats_ = std::string(kStatsKey) + kControlId;
  const std::string classKey_ = std::string(kClassesKey) + kControlId;
  const std::string compatibility_ = std::string(kCompatibilityKey) + kControlId;
};

}  // namespace

TEST_F(ActiveXAlertTest, RejectedControlGetsItsKillBitAndIsNotAskedAgain) {
  WriteOption("ActiveX", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  WriteRegString(HKEY_CURRENT_USER, (stats_ + "\\iexplore").c_str(), "Count", "1");
  WriteRegString(HKEY_LOCAL_MACHINE, classKey_.c_str(), "", kControlName);
  WriteRegString(HKEY_LOCAL_MACHINE, (classKey_ + "\\InprocServer32").c_str(), "",
               (BinFolder() + "\\Tarvex.dll").c_str());
  const HWND alert = AlertNamed(monitor, window, kControlName);
  ASSERT_NE(nullptr, alert);
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([&] {
    return ReadDword(HKEY_LOCAL_MACHINE, compatibility_.c_str(), "Compatibility Flags") == 0x400;
  }));
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, kAlertCaption));
}
