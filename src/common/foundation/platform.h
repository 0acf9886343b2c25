// The true Windows version (not the compatibility-shimmed one) and the platform id.
#pragma once

struct WindowsVersion {
  unsigned major, minor, build, platformId;
};

const WindowsVersion& RunningWindowsVersion();
// Windows 6 and later: the monitor runs without administrator rights.
bool IsVistaOrLater();
// The 9x family (platform id 1).
bool IsWin9xFamily();
// Asks the taskbar to repaint completely: after a program it showed was stopped.
void RepaintTaskbar();
