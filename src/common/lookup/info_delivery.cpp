#include "info_delivery.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "info.h"
#include "lookup_text.h"
#include "text.h"

namespace {

struct AolWindow {
  const char* windowClass;
  const char* title;
};
constexpr AolWindow kAolWindows[] = {
    {"AOL Frame25", "America  Online"}, {"AOL Frame25", "America Online"},
    {"AOL Frame25", "AOL"},             {"AOL Frame25", "AOL Canada"},
    {"AOL Frame", "America  Online"},
};

constexpr char kShortcutName[] = "\\temp.url";
// The shell may hand the shortcut to a helper process that reads it after we return.
constexpr DWORD kShortcutReadMs = 5000;

bool RunCommand(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return false;
  Handle process(started.hProcess), thread(started.hThread);
  return true;
}

long long ShellOpenAndWait(const char* file) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = file;
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&info);
  Handle process(info.hProcess);
  if (process) WaitForSingleObject(process.get(), kShortcutReadMs);
  return static_cast<long long>(reinterpret_cast<INT_PTR>(info.hInstApp));
}

}  // namespace

bool InfoAolRunning() {
  for (const AolWindow& window : kAolWindows)
    if (FindWindowA(window.windowClass, window.title)) return true;
  return false;
}

bool InfoAolOpen(const char* address, bool help) {
  char appPath[kPathSize] = "";
  GetProfileStringA("WAOL", "AppPath", "", appPath, kPathSize);
  return RunCommand(help ? AolHelpCommand(appPath, address) : AolInfoCommand(appPath, address));
}

long long InfoShellOpen(const char* target) {
  HINSTANCE result = ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<long long>(reinterpret_cast<INT_PTR>(result));
}

bool InfoRunInternetExplorer(const char* address) {
  char browser[kPathSize];
  IEPath(browser, kPathSize);
  return RunCommand(CommandWithArgument(browser, address));
}

long long InfoOpenThroughShortcut(const char* address) {
  char shortcut[kPathSize + sizeof kShortcutName] = "";
  if (ProgramFolder(shortcut, kPathSize) == 0) return InfoShellOpen(address);
  AppendBounded(shortcut, sizeof shortcut, kShortcutName);
  if (!InfoWriteShortcut(shortcut, address)) return InfoShellOpen(address);
  const long long result = ShellOpenAndWait(shortcut);
  DeleteFileA(shortcut);
  return result;
}

bool InfoWriteShortcut(const char* file, const char* address) {
  const std::string text = InternetShortcutText(address ? address : "");
  Handle out(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr));
  if (!out) return false;
  DWORD written = 0;
  return WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}
