// Dialog 213: for each kind of alert, whether it is shown, or hidden with the change always
// allowed or always denied. The choices go into the explorer's loaded options.
#pragma once
#include <windows.h>

void HideAlertsDialog(HWND owner);
