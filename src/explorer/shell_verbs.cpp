#include "shell_verbs.h"

#include <shellapi.h>

#include "foundation/paths.h"
#include "foundation/trace.h"
#include "text.h"

void ShellVerbRun(HWND owner, const char* verb, const char* file, const char* parameters) {
  if (file == nullptr || file[0] == '\0') return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, verb, file, parameters, nullptr, SW_SHOWNORMAL));
  if (result <= 32) TraceNote("shell", "the shell could not open the file");
}

void ShellShowProperties(HWND owner, const char* file) {
  char path[kPathSize] = "";
  CopyBounded(path, sizeof path, file ? file : "");
  if (path[0] == '\0' || !FileExists(path)) return;
  SHELLEXECUTEINFOA request = {};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_INVOKEIDLIST;
  request.hwnd = owner;
  request.lpVerb = "properties";
  request.lpFile = path;
  request.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&request)) TraceNote("shell", "no properties dialog for the file");
}
