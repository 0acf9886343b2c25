// The browser start page guard: a changed page is put back or accepted by the policy.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kIEMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";

class SweepPagesTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    saved_ = ReadRegString(HKEY_CURRENT_USER, kIEMainKey, kStartPageValue);
    WriteOption("StartPage", "1");
    WriteOption("Debug", "1");
  }
  void TearDown() override {
    MonitorTest::TearDown();
    WriteSetting(kIEMainKey, kStartPageValue, saved_.c_str());
  }

  static std::string Current() {
    return ReadRegString(HKEY_CURRENT_USER, kIEMainKey, kStartPageValue);
  }
  static std::string Remembered() { return ReadRegString(HKEY_CURRENT_USER, kBaseKey, "StartPage"); }

  // Starts the monitor and runs cycles until one has checked the pages (in the first half).
  ProgramRun& LaunchAndCheckPages() {
    ProgramRun& monitor = Launch("");
    const HWND window = MonitorWindowOf(monitor.Id());
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
    EXPECT_TRUE(WaitUntil([&] {
      WaitCycleGap();
      SendTicks(window, 17);
      return WaitUntil(
          [] { return ReadTextFile(TraceFilePath()).find("IE Start/Search Page") != std::string::npos; },
          2000);
    }));
    return monitor;
  }

 private:
  std::string saved_;
};

}  // namespace

TEST_F(SweepPagesTest, PolicyTwoPutsTheRememberedPageBack) {
  WriteOption("HideHomePage", "2");
  WriteSetting(kBaseKey, "StartPage", "http://home.example/");
  WriteSetting(kIEMainKey, kStartPageValue, "http://hijack.example/");
  ProgramRun& monitor = LaunchAndCheckPages();
  EXPECT_TRUE(WaitUntil([] { return Current() == "http://home.example/"; }));
  EXPECT_EQ("http://home.example/", Remembered());
  EXPECT_EQ(nullptr, FindBox(monitor.Id()));
}

TEST_F(SweepPagesTest, PolicyOneAcceptsTheNewPage) {
  WriteOption("HideHomePage", "1");
  WriteSetting(kBaseKey, "StartPage", "http://home.example/");
  WriteSetting(kIEMainKey, kStartPageValue, "http://new.example/");
  LaunchAndCheckPages();
  EXPECT_TRUE(WaitUntil([] { return Remembered() == "http://new.example/"; }));
  EXPECT_EQ("http://new.example/", Current());
}

TEST_F(SweepPagesTest, TrailingSlashAndLetterCaseAreNoChange) {
  WriteSetting(kBaseKey, "StartPage", "http://Home.example/");
  WriteSetting(kIEMainKey, kStartPageValue, "http://home.EXAMPLE");
  ProgramRun& monitor = LaunchAndCheckPages();
  ASSERT_TRUE(WaitMessagesHandled(MonitorWindowOf(monitor.Id())));
  EXPECT_EQ(nullptr, FindBox(monitor.Id())) << "no question for the same page";
  EXPECT_EQ("http://home.EXAMPLE", Current());
  EXPECT_EQ("http://Home.example/", Remembered());
}
