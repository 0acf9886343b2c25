// The companion, loaded the way the monitor binds it (ordinals 2 and 3), watching for programs.
#include "monitor_driver.h"

namespace {

inline constexpr UINT kNewProcessMessage = 9024;

// Notifications posted to the window within that time; with untilFirst, stops at one.
int Notifications(HWND window, DWORD ms, bool untilFirst) {
  int count = 0;
  MSG message;
  for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end; Sleep(50)) {
    while (PeekMessageA(&message, window, kNewProcessMessage, kNewProcessMessage, PM_REMOVE))
      ++count;
    if (untilFirst && count > 0) break;
  }
  return count;
}

}  // namespace

// No check ends the test early once the watch may run, so it is always stopped at the end.
TEST(TarvexTest, ExportsByOrdinalOnlyNotifiesANewProgramAndStopsQuickly) {
  const HMODULE library = LoadLibraryA((BinFolder() + "\\Tarvex.dll").c_str());
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(nullptr, GetProcAddress(library, "TarvexStart"));
  EXPECT_EQ(nullptr, GetProcAddress(library, "TarvexStop"));
  const auto start =
      reinterpret_cast<int(WINAPI*)(HWND)>(GetProcAddress(library, MAKEINTRESOURCEA(2)));
  const auto stop = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(library, MAKEINTRESOURCEA(3)));
  ASSERT_TRUE(start && stop);
  const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
  EXPECT_NE(nullptr, window);
  EXPECT_EQ(1, start(window));
  EXPECT_EQ(0, start(window)) << "a second start must not make a second watcher";
  EXPECT_EQ(0, Notifications(window, 1500, false)) << "nothing started, nothing to tell";
  ProgramRun child;  // a program that stays in the process list until killed
  EXPECT_TRUE(child.Start("Korvane.exe", "-Q", CREATE_SUSPENDED));
  EXPECT_EQ(1, Notifications(window, 5000, true));
  child.Kill();

  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(1, stop());
  EXPECT_LT(GetTickCount64() - before, 1000u);
  Notifications(window, 100, false);  // whatever was posted before the stop
  EXPECT_TRUE(child.Start("Korvane.exe", "-Q", CREATE_SUSPENDED));
  EXPECT_EQ(0, Notifications(window, 2500, false)) << "a stopped watch tells nothing";
  child.Kill();
  EXPECT_EQ(1, start(window)) << "a stopped watch can start again";
  stop();
  DestroyWindow(window);
  FreeLibrary(library);
}
