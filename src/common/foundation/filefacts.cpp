#include "filefacts.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <string_view>

#include "datetime.h"
#include "handles.h"
#include "numbers_text.h"
#include "paths.h"
#include "resource.h"
#include "strings.h"
#include "text.h"

namespace {

constexpr DWORD kVersionBlockMax = 8191;
constexpr const char* kVersionNames[kVersionFieldCount] = {
    "ProductName", "ProductVersion", "CompanyName", "FileDescription", "LegalCopyright"};

struct Translation {
  WORD language;
  WORD codePage;
};

// A value found in the block, or an empty view when absent; found tells the two apart.
std::string_view QueryString(char* block, DWORD blockSize, const Translation& t,
                             const char* name, bool* found) {
  char query[96];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", t.language, t.codePage,
                name);
  void* value = nullptr;
  UINT length = 0;
  *found = VerQueryValueA(block, query, &value, &length) && value != nullptr;
  if (!*found) return {};
  const char* text = static_cast<const char*>(value);
  size_t limit = kVersionTextMax + 1;
  if (text >= block && text < block + blockSize)
    limit = std::min(limit, static_cast<size_t>(block + blockSize - text));
  size_t size = strnlen(text, limit);
  if (size > static_cast<size_t>(kVersionTextMax)) return {};
  return std::string_view(text, size);
}

void ReadTranslation(char* block, DWORD blockSize, const Translation& t, VersionStrings* out) {
  for (int field = 0; field < kVersionFieldCount; ++field) {
    bool found = false;
    std::string_view value = QueryString(block, blockSize, t, kVersionNames[field], &found);
    if (!found && field == kProductName) return;
    CopyBounded(out->text[field], kVersionSlotSize, value);
  }
}

void ClearSlots(char (*slots)[kVersionSlotSize]) {
  for (int field = 0; field < kVersionFieldCount; ++field) slots[field][0] = '\0';
}

bool ReadTimesAndSize(const char* path, FILETIME times[3], LARGE_INTEGER* size, bool* sized) {
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  if (!GetFileTime(file.get(), &times[0], &times[1], &times[2])) return false;
  *sized = GetFileSizeEx(file.get(), size) != 0;
  return true;
}

// One read into the whole buffer: asking for the size first opens the file twice. The block
// needs twice its own length (and four bytes) to leave room for the text conversions, the
// size the platform would have asked for; larger blocks are refused as before.
DWORD VersionBlockRead(const char* path, char* block) {
  if (!GetFileVersionInfoA(path, 0, kVersionBlockMax, block)) return 0;
  WORD length = 0;
  std::memcpy(&length, block, sizeof length);
  const DWORD size = 2u * length + 4u;
  return length != 0 && size <= kVersionBlockMax ? size : 0;
}

// What one file's version strings were when it was last read, by its upper-case path.
struct CachedStrings {
  FileStamp stamp;
  bool found;
  VersionStrings strings;
};
constexpr std::size_t kCachedFilesMax = 2048;
std::mutex g_cacheLock;
std::unordered_map<std::string, CachedStrings> g_cache;

bool ReadVersionStringsUncached(const char* path, VersionStrings* out) {
  ClearSlots(out->text);
  alignas(8) char block[kVersionBlockMax + 1] = {};
  const DWORD size = VersionBlockRead(path, block);
  if (size == 0) return false;
  void* table = nullptr;
  UINT tableSize = 0;
  if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &table, &tableSize) || !table)
    return false;
  const Translation* translations = static_cast<const Translation*>(table);
  for (UINT i = 0; i < tableSize / sizeof(Translation); ++i)
    ReadTranslation(block, size, translations[i], out);
  char* product = out->text[kProductName];
  if (ContainsNoCase(product, "Operating System"))
    CopyBounded(product, kVersionSlotSize, out->text[kFileDescription]);
  return product[0] != '\0';
}

}  // namespace

FileStamp FileStampOf(const char* path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path == nullptr || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return stamp;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = data.ftLastWriteTime;
  stamp.valid = true;
  return stamp;
}

bool FileStampSame(const FileStamp& a, const FileStamp& b) {
  return a.valid && b.valid && a.size == b.size && CompareFileTime(&a.written, &b.written) == 0;
}

// The sweep reads the same programs' version strings every few seconds; a file whose size
// and last write are unchanged is not opened again.
bool ReadVersionStrings(const char* path, VersionStrings* out) {
  const FileStamp stamp = FileStampOf(path);
  if (!stamp.valid) return ReadVersionStringsUncached(path, out);
  const std::string key = UpperText(path);
  {
    std::lock_guard<std::mutex> lock(g_cacheLock);
    const auto cached = g_cache.find(key);
    if (cached != g_cache.end() && FileStampSame(cached->second.stamp, stamp)) {
      *out = cached->second.strings;
      return cached->second.found;
    }
  }
  const bool found = ReadVersionStringsUncached(path, out);
  std::lock_guard<std::mutex> lock(g_cacheLock);
  if (g_cache.size() >= kCachedFilesMax) g_cache.clear();
  g_cache[key] = CachedStrings{stamp, found, *out};
  return found;
}

int ReadFileTimesAndSize(const char* path, FileFactsRecord* out) {
  for (auto& slot : out->text) slot[0] = '\0';
  FILETIME times[3];
  LARGE_INTEGER size;
  bool sized = false;
  if (!ReadTimesAndSize(path, times, &size, &sized)) return 0;
  if (sized)
    CopyBounded(out->text[kFactSize], kFactSlotSize, GroupThousands(size.QuadPart));
  else
    LocalString(IDS_FILE_IN_USE, out->text[kFactSize], kFactSlotSize);
  for (int i = 0; i < 3; ++i) FileTimeText(times[i], out->text[kFactCreated + i]);
  return 1;
}

int ReadSizeAndWritten(const char* path, char* written, char* size) {
  written[0] = '\0';
  size[0] = '\0';
  FILETIME times[3];
  LARGE_INTEGER bytes;
  bool sized = false;
  if (!ReadTimesAndSize(path, times, &bytes, &sized)) return 0;
  if (sized) std::snprintf(size, kFactSlotSize, "%lld", static_cast<long long>(bytes.QuadPart));
  if (!FileTimeText(times[2], written)) return 0;
  return static_cast<int>(std::strlen(written));
}
