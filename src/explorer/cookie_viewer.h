// Dialog 145: every cookie of the chosen browser, checked when kept; the user keeps some and
// removes the others, or removes the checked ones.
#pragma once
#include <windows.h>

void CookieViewerShow(HWND owner, bool mozilla);
