// The tray icon's popup menu: a choice by key, the exit item, and what opens no menu.
#include <string>

#include "monitor_driver.h"

namespace {

inline constexpr UINT kTrayMessage = 6035;
inline constexpr WPARAM kTrayIcon = 6036;
// Selectable items on the NT family: the restart-commands item is 9x only.
inline constexpr int kSelectableItems = 13;

HWND OpenMenu(const ProgramRun& monitor, HWND window) {
  PostMessageA(window, kTrayMessage, kTrayIcon, WM_RBUTTONUP);
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = FindPopupMenu(monitor.Id())) != nullptr; });
  return popup;
}

}  // namespace

TEST_F(MonitorTest, TrayMenuOpensOnRightClickAndItsItemsPostTheirCommands) {
  ProgramRun& monitor = Launch("");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  PostMessageA(window, kTrayMessage, kTrayIcon + 1, WM_RBUTTONUP);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(nullptr, FindPopupMenu(monitor.Id())) << "another icon's click opens nothing";

  HWND popup = OpenMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return FindPopupMenu(monitor.Id()) == nullptr; }));

  // A dismissed menu leaves nothing busy; "&Options..." reaches the explorer start, which
  // reports the explorer missing beside the test programs.
  const ExplorerAside aside;
  popup = OpenMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  PostMessageA(popup, WM_CHAR, 'o', 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindBox(monitor.Id())) != nullptr; }));
  EXPECT_NE(std::string::npos, BoxText(box).find("KorvaneEx.exe must exist")) << BoxText(box);
  PressBoxButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return FindBox(monitor.Id()) == nullptr; }));

  // The last of the selectable items is the exit.
  popup = OpenMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  for (int i = 0; i < kSelectableItems; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(monitor.WaitExit());
}
