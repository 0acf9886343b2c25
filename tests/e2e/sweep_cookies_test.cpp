// The Mozilla-family cookie step through the real monitor: a waiting filtered file.
#include <windows.h>

#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kNutsKey[] = "Software\\Tamsel\\Korvane\\Nuts";
inline constexpr char kHeader[] = "# Netscape HTTP Cookie File\r\n";
inline constexpr char kKeep[] = ".a.org\tTRUE\t/\tFALSE\t2000000000\tn\t1\r\n";
inline constexpr char kDrop[] = "drop.org\tTRUE\t/\tFALSE\t2000000000\tsid\t2\r\n";

class SweepCookiesTest : public MonitorTest {
 protected:
  void TearDown() override {
    MonitorTest::TearDown();
    DeleteFileA(Cookies().c_str());
    DeleteFileA((Folder() + "\\cookiesnew.txt").c_str());
    RemoveDirectoryA(Folder().c_str());
  }
  static std::string Folder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "kv_e2e_cookies";
  }
  static std::string Cookies() { return Folder() + "\\cookies.txt"; }
};

}  // namespace

// With the Nuts interval off (its default) the filtered file must still reach the browser.
TEST_F(SweepCookiesTest, WaitingMozillaFileGoesInPlaceWithTheFilterOff) {
  CreateDirectoryA(Folder().c_str(), nullptr);
  const std::string original = std::string(kHeader) + kDrop + kKeep;
  HANDLE file =
      CreateFileA(Cookies().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, original.data(), static_cast<DWORD>(original.size()), &written, nullptr);
  CloseHandle(file);
  WriteSetting(kBaseKey, "CookieFolder", Folder().c_str());
  WriteSetting(kNutsKey, "drop.org - sid", "2");
  WriteSetting(kNutsKey, "always", "1");
  WriteOption("UpdateCookieFile", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  // Cycles alternate halves: two reach the cookie steps.
  for (int cycle = 0; cycle < 2; ++cycle) {
    WaitCycleGap();
    SendTicks(window, 17);
  }
  EXPECT_TRUE(WaitUntil([] { return ReadTextFile(Cookies()) == std::string(kHeader) + kKeep; }))
      << ReadTextFile(Cookies());
  EXPECT_TRUE(WaitUntil([] {
    return !RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Options",
                           "UpdateCookieFile") &&
           !RegValueExists(HKEY_CURRENT_USER, kNutsKey, "drop.org - sid");
  }));
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "always"));
}
