#include "startup/folder_walk.h"

#include <string>

namespace {

constexpr std::size_t kPathLimit = MAX_PATH - 1;

struct FindHandle {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~FindHandle() {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A junction or symbolic link may lead back up the tree; it is handed over, never entered.
bool MayDescend(DWORD attributes) {
  return IsFolder(attributes) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

int VisitEntry(const std::string& folder, const WIN32_FIND_DATAA& entry, int depth,
               FolderWalkHandler handler, void* context) {
  const DWORD attributes = entry.dwFileAttributes;
  if (IsFolder(attributes) && entry.cFileName[0] == '.') return 0;
  const std::string path = folder + "\\" + entry.cFileName;
  // A cut path would name another file; such an entry is passed over.
  if (path.size() > kPathLimit) return 0;
  if (handler(path.c_str(), attributes, context)) return 1;
  if (depth > 0 && MayDescend(attributes))
    return FolderWalk(path.c_str(), depth - 1, handler, context);
  return 0;
}

}  // namespace

int FolderWalk(const char* folder, int depth, FolderWalkHandler handler, void* context) {
  if (folder == nullptr || folder[0] == '\0' || handler == nullptr) return 0;
  std::string base = folder;
  if (base.back() == '\\') base.pop_back();
  const std::string pattern = base + "\\*.*";
  if (pattern.size() > kPathLimit) return 0;
  WIN32_FIND_DATAA entry = {};
  FindHandle find;
  find.h = FindFirstFileA(pattern.c_str(), &entry);
  if (find.h == INVALID_HANDLE_VALUE) return 0;
  do {
    entry.cFileName[MAX_PATH - 1] = '\0';
    if (VisitEntry(base, entry, depth, handler, context)) return 1;
  } while (FindNextFileA(find.h, &entry));
  return 0;
}
