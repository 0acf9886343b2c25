// The companion, loaded the way the monitor binds it (ordinals 2 and 3), watching for programs.
#include <string>

#include "monitor_driver.h"

namespace {

inline constexpr UINT kNewProcessMessage = 9024;
using StartFn = int(WINAPI*)(HWND);
using StopFn = int(WINAPI*)();

int g_notifications = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNewProcessMessage) ++g_notifications;
  return DefWindowProcA(window, message, wParam, lParam);
}

void PumpFor(DWORD ms, bool untilNotified) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end && !(untilNotified && g_notifications > 0)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

class TarvexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryA((BinFolder() + "\\Tarvex.dll").c_str());
    ASSERT_NE(nullptr, library_);
    start_ = reinterpret_cast<StartFn>(GetProcAddress(library_, MAKEINTRESOURCEA(2)));
    stop_ = reinterpret_cast<StopFn>(GetProcAddress(library_, MAKEINTRESOURCEA(3)));
    ASSERT_NE(nullptr, start_);
    ASSERT_NE(nullptr, stop_);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.lpszClassName = "KorvaneTarvexProbe";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window_);
    g_notifications = 0;
  }
  void TearDown() override {
    if (stop_) stop_();
    child_.Kill();
    if (window_) DestroyWindow(window_);
    if (library_) FreeLibrary(library_);
  }
  // A program that stays in the process list until killed.
  void StartChild() { ASSERT_TRUE(child_.Start("Korvane.exe", "-Q", CREATE_SUSPENDED)); }

  HMODULE library_ = nullptr;
  StartFn start_ = nullptr;
  StopFn stop_ = nullptr;
  HWND window_ = nullptr;
  ProgramRun child_;
};

}  // namespace

TEST_F(TarvexTest, ExportsByOrdinalOnlyAndNotifiesANewProgram) {
  EXPECT_EQ(nullptr, GetProcAddress(library_, "TarvexStart"));
  EXPECT_EQ(nullptr, GetProcAddress(library_, "TarvexStop"));
  ASSERT_EQ(1, start_(window_));
  EXPECT_EQ(0, start_(window_)) << "a second start must not make a second watcher";
  PumpFor(1500, false);
  EXPECT_EQ(0, g_notifications) << "nothing started, nothing to tell";
  StartChild();
  PumpFor(5000, true);
  EXPECT_EQ(1, g_notifications);
}

TEST_F(TarvexTest, StopEndsTheWatchQuickly) {
  ASSERT_EQ(1, start_(window_));
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(1, stop_());
  EXPECT_LT(GetTickCount64() - before, 1000u);
  StartChild();
  PumpFor(2500, false);
  EXPECT_EQ(0, g_notifications);
  EXPECT_EQ(1, start_(window_)) << "a stopped watch can start again";
}
