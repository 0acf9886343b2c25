#include "platform.h"

#include <windows.h>

namespace {

using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
using GetVersionExProc = BOOL(WINAPI*)(OSVERSIONINFOA*);

// RtlGetVersion escapes the compatibility shims that make GetVersionEx report an older
// system; the 9x family lacks it, so GetVersionEx stays as the fallback.
bool TrueVersion(WindowsVersion& out) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto proc = ntdll ? reinterpret_cast<RtlGetVersionProc>(GetProcAddress(ntdll, "RtlGetVersion"))
                    : nullptr;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!proc || proc(&info) != 0) return false;
  out = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
  return true;
}

bool ReportedVersion(WindowsVersion& out) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto proc = kernel ? reinterpret_cast<GetVersionExProc>(GetProcAddress(kernel, "GetVersionExA"))
                     : nullptr;
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!proc || !proc(&info)) return false;
  out = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
  return true;
}

WindowsVersion ProbeVersion() {
  WindowsVersion version = {};
  if (!TrueVersion(version)) ReportedVersion(version);
  return version;
}

}  // namespace

const WindowsVersion& RunningWindowsVersion() {
  static const WindowsVersion version = ProbeVersion();
  return version;
}

bool IsVistaOrLater() { return RunningWindowsVersion().major >= 6; }

bool IsWin9xFamily() { return RunningWindowsVersion().platformId == VER_PLATFORM_WIN32_WINDOWS; }

void RepaintTaskbar() {
  if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
    RedrawWindow(taskbar, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
