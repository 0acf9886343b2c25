#include "history_read.h"

#include <windows.h>

#include <algorithm>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/trace.h"
#include "records/history.h"

namespace {

bool HistoryMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Where reading starts: the whole file, or the newest kHistoryReadMax bytes of it.
LONGLONG HistoryReadStart(LONGLONG size) {
  return size > static_cast<LONGLONG>(kHistoryReadMax) ? size - static_cast<LONGLONG>(kHistoryReadMax)
                                                        : 0;
}

bool HistoryReadFrom(HANDLE file, LONGLONG start, std::string& text) {
  LARGE_INTEGER offset;
  offset.QuadPart = start;
  if (!SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) return false;
  std::size_t filled = 0;
  while (filled < text.size()) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(text.size() - filled, 1u << 24));
    if (!ReadFile(file, text.data() + filled, wanted, &read, nullptr)) return false;
    if (read == 0) break;  // the file shrank meanwhile
    filled += read;
  }
  text.resize(filled);
  return true;
}

}  // namespace

bool HistoryReadText(std::string& text) {
  text.clear();
  char path[kPathSize] = "";
  if (HistoryFilePath(path, sizeof path) == 0) return false;
  // Shared for writing too: a program appending meanwhile must not lose its line.
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return HistoryMissing(GetLastError());
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size)) return false;
  const LONGLONG start = HistoryReadStart(size.QuadPart);
  text.resize(static_cast<std::size_t>(size.QuadPart - start));
  if (!HistoryReadFrom(file.get(), start, text)) {
    text.clear();
    return false;
  }
  if (start > 0) text.erase(0, std::min(text.size(), text.find('\n') + 1));
  return true;
}

bool HistoryReadRecords(std::vector<HistoryRecord>& records) {
  std::string text;
  const bool read = HistoryReadText(text);
  records = ParseHistoryText(text);
  return read;
}

bool HistoryClear() {
  char path[kPathSize] = "";
  if (HistoryFilePath(path, sizeof path) == 0) return false;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(path)) return true;
  if (HistoryMissing(GetLastError())) return true;
  TraceNote("history", "history.txt could not be deleted");
  return false;
}
