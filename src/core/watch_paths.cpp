#include "watch_paths.h"

namespace {

constexpr std::size_t kDriveRootLength = 3;  // "C:\"

bool IsDriveRootSlash(std::string_view path, std::size_t slash) {
  return slash == kDriveRootLength - 1 && path.size() >= kDriveRootLength && path[1] == ':';
}

}  // namespace

bool WatchParentKey(std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash == 0) return false;
  path.resize(slash);
  return true;
}

bool WatchParentFolder(std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > kDriveRootLength && trimmed.back() == '\\') trimmed.pop_back();
  const std::size_t slash = trimmed.find_last_of('\\');
  if (slash == std::string::npos || trimmed.size() <= kDriveRootLength) return false;
  trimmed.resize(IsDriveRootSlash(trimmed, slash) ? slash + 1 : slash);
  if (trimmed.empty()) return false;
  path = trimmed;
  return true;
}

std::string WatchFolderOfFile(std::string_view file) {
  const std::size_t slash = file.find_last_of('\\');
  if (slash == std::string_view::npos || slash == 0 || slash + 1 == file.size()) return "";
  return std::string(file.substr(0, IsDriveRootSlash(file, slash) ? slash + 1 : slash));
}
