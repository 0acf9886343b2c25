// The monitor's icon in the notification area.
#pragma once
#include <windows.h>

inline constexpr UINT kTrayIconId = 6036;

enum TrayOperation { kTrayAdd = 0, kTrayModify = 1, kTrayDelete = 2 };

// 1 when the notification area was asked, 0 when the icon is switched off (HideTobbit 1).
int TrayIconUpdate(TrayOperation operation, int icon, int tooltip);
// Shows what the sweep is doing: the icon resource and the tooltip string.
int SetTrayStatus(int icon, int tooltip);
// Adds the idle icon again, e.g. after the shell restarted.
int TrayIconReAdd();
// Command 6053: hide is the new HideTobbit value sent by the explorer.
void TrayVisibilityCommand(LPARAM hide);
// Handles the icon's mouse notifications (the menu lives in tray_menu.cpp).
void TrayNotify(WPARAM iconId, LPARAM mouseMessage);
void TrayMenuBusyClear();
