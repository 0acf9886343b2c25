#include "records/undo_file.h"

#include <windows.h>

#include "foundation/handles.h"
#include "undo_text.h"

namespace {

constexpr unsigned long long kUndoFileMax = 8ull << 20;

bool UndoFileRead(const char* path, std::string& bytes) {
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) ||
      static_cast<unsigned long long>(size.QuadPart) > kUndoFileMax)
    return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  return bytes.empty() ||
         (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
          read == bytes.size());
}

bool UndoFileWrite(const std::string& path, const std::string& bytes) {
  // A read-only system file (HOSTS often is) is written back all the same.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool wrote =
      file && (bytes.empty() || (WriteFile(file.get(), bytes.data(),
                                           static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                 written == bytes.size()));
  file.Reset();
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path.c_str(), attributes);
  return wrote;
}

}  // namespace

std::string UndoFileCapture(const char* path) {
  if (path == nullptr || path[0] == '\0') return std::string();
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return UndoFieldsText({path, "0", ""});
    return std::string();
  }
  std::string bytes;
  if (!UndoFileRead(path, bytes)) return std::string();
  return UndoFieldsText({path, "1", bytes});
}

bool UndoFilePutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3 || (*fields)[0].empty()) return false;
  const std::vector<std::string>& f = *fields;
  if (f[1] == "1") return UndoFileWrite(f[0], f[2]);
  if (DeleteFileA(f[0].c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string UndoFileRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3) return std::string();
  return UndoFileCapture((*fields)[0].c_str());
}
