#include "explorer_prefetch.h"

#include <windows.h>

#include "foundation/paths.h"
#include "paths_text.h"
#include "startup/folder_walk.h"
#include "text.h"

namespace {

inline constexpr char kPrefetchFolder[] = "\\Prefetch";
inline constexpr char kPortableMonitor[] = "Korvaneusb.exe";

int PrefetchVisit(const char* path, DWORD attributes, void* context) {
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return 0;
  const char* name = path + FileNameOffset(path);
  if (!ContainsNoCase(name, kPortableMonitor)) return 0;
  // Read-only, hidden and system files refuse to be deleted until those marks are off.
  if (SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL) && DeleteFileA(path))
    ++*static_cast<int*>(context);
  return 0;
}

}  // namespace

int PrefetchCleanup() {
  char folder[kPathSize] = "";
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return 0;
  AppendBounded(folder, sizeof folder, kPrefetchFolder);
  int deleted = 0;
  FolderWalk(folder, 0, PrefetchVisit, &deleted);
  return deleted;
}
