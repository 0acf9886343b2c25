#include <windows.h>

#include <string>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"

namespace {

constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kDefaultShell[] = "Explorer.exe";
constexpr char kUserinitProgram[] = "\\Userinit.exe";

}  // namespace

void ResetWinlogonShell() {
  if (!SettingsWriteString(HKEY_LOCAL_MACHINE, kWinlogonKey, "Shell", kDefaultShell)) return;
  // Known under the command the enumeration lists for it, in the snapshot it looks in.
  SnapshotMarkKnown(kDefaultShell, kLocationShell);
}

void ResetWinlogonUserinit() {
  char folder[kPathSize];
  const UINT length = GetSystemDirectoryA(folder, kPathSize);
  // Without the System folder the value would name no program and logon would fail.
  if (length == 0 || length >= kPathSize) return;
  const std::string program = std::string(folder) + kUserinitProgram;
  if (!SettingsWriteString(HKEY_LOCAL_MACHINE, kWinlogonKey, "Userinit", (program + ",").c_str()))
    return;
  char listed[kPathSize];
  LongPath(program.c_str(), listed, sizeof listed);
  SnapshotMarkKnown(listed, kLocationUserinit);
}
