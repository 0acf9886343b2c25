#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "foundation/user_hooks.h"
#include "system_files.h"
#include "system_files_facts.h"
#include "text.h"

namespace {

constexpr int kSystemTextSize = 512;

void ShowOpenError(DWORD code) {
  char systemText[kSystemTextSize] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 systemText, kSystemTextSize, nullptr);
  char text[kSystemTextSize + 32];
  std::snprintf(text, sizeof text, "%d  %s", static_cast<int>(code), systemText);
  UserInform(text);
}

}  // namespace

int OpenInNotepad(const char* path) {
  if (!SystemFileIsThere(path)) {
    ShowOpenError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  char parameters[kPathSize + 2] = "\"";
  AppendBounded(parameters, sizeof parameters, path);
  AppendBounded(parameters, sizeof parameters, "\"");
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", "notepad.exe", parameters, nullptr, SW_SHOWNORMAL));
  if (result > 32) return 1;
  const DWORD error = GetLastError();
  ShowOpenError(error ? error : static_cast<DWORD>(result));
  return 0;
}
