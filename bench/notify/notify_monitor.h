// The real monitor as the notification bench drives it: started from the bench's folder with
// clean settings, its windows found, its CPU time read, and everything it wrote put back.
#pragma once
#include <windows.h>

#include <string>

struct NotifyMonitor {
  HANDLE process = nullptr;
  DWORD id = 0;
  HWND window = nullptr;
};

inline constexpr char kNotifyRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kNotifyKnownKey[] = "Software\\Tamsel\\Korvane\\Run";

// Forgets the settings, starts Korvane.exe and waits until its tray icon is up; false when it
// did not come up.
bool NotifyMonitorStart(NotifyMonitor& monitor);
// Asks the monitor to exit (ending it when it does not) and forgets what it wrote.
void NotifyMonitorStop(NotifyMonitor& monitor);
// The monitor's visible dialog of that caption, or null.
HWND NotifyMonitorDialog(const NotifyMonitor& monitor, const char* caption);
// Kernel plus user time of the monitor so far, in milliseconds; negative when unreadable.
double NotifyMonitorCpuMs(const NotifyMonitor& monitor);
// The string stored in HKCU\subkey, or empty.
std::string NotifyReadString(const char* subkey, const char* name);
