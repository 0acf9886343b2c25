#include "records/undo_store.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/trace.h"
#include "text.h"
#include "undo_text.h"

namespace {

constexpr char kUndoFolderName[] = "\\Undo";
constexpr char kUndoIndexName[] = "\\undo.idx";
constexpr DWORD kUndoWaitMs = 2000;
constexpr DWORD kUndoRetryMs = 2;
constexpr DWORD kUndoIndexMax = 64u << 20;

struct UndoPending {
  UndoEntry entry;
};
// Records of this process still waiting for their line, oldest first.
std::vector<UndoPending> g_undoPending;

std::string UndoPath(const char* name) {
  char folder[kPathSize];
  if (UndoStoreFolder(folder, sizeof folder) == 0) return std::string();
  return std::string(folder) + name;
}

std::string UndoDataPath(unsigned long seq) {
  const std::string folder = UndoPath("");
  return folder.empty() ? folder : folder + "\\" + std::to_string(seq) + ".dat";
}

// The monitor and the explorer share the index; whoever holds it open holds the store.
Handle UndoOpenIndex(DWORD access, DWORD disposition) {
  const std::string path = UndoPath(kUndoIndexName);
  if (path.empty()) return Handle();
  const DWORD start = GetTickCount();
  for (;;) {
    Handle file(CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (file) return file;
    if (GetLastError() != ERROR_SHARING_VIOLATION || GetTickCount() - start >= kUndoWaitMs)
      return Handle();
    Sleep(kUndoRetryMs);
  }
}

bool UndoReadAll(HANDLE file, std::string& text) {
  text.clear();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart > kUndoIndexMax) return false;
  text.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!text.empty() &&
      (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
       read != text.size()))
    return false;
  return true;
}

bool UndoWriteAt(HANDLE file, const std::string& text, bool append) {
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(file, zero, nullptr, append ? FILE_END : FILE_BEGIN)) return false;
  DWORD written = 0;
  if (!text.empty() &&
      (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
       written != text.size()))
    return false;
  return append || SetEndOfFile(file) != FALSE;
}

bool UndoWriteFile(const std::string& path, const std::string& bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!bytes.empty() &&
      (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size()))
    return false;
  return FlushFileBuffers(file.get()) != FALSE;
}

unsigned long UndoNextSeq(const std::vector<UndoEntry>& entries) {
  unsigned long seq = 0;
  for (const UndoEntry& e : entries) seq = e.seq > seq ? e.seq : seq;
  for (const UndoPending& p : g_undoPending) seq = p.entry.seq > seq ? p.entry.seq : seq;
  return seq + 1;
}

std::string UndoActionsText(const std::vector<int>& actions) {
  std::string text;
  for (int action : actions) {
    if (!text.empty()) text += ',';
    text += std::to_string(action);
  }
  return text;
}

// Drops what the bound no longer allows; the index is rewritten only when something went.
bool UndoCompact(HANDLE index, std::vector<UndoEntry>& entries) {
  const auto drop = UndoDropList(entries, kUndoMaxRecords, kUndoMaxBytes, kUndoKeepUnlined);
  if (drop.empty()) return true;
  std::vector<UndoEntry> kept;
  for (UndoEntry& e : entries) {
    bool dropped = false;
    for (unsigned long seq : drop) dropped = dropped || seq == e.seq;
    if (!dropped) kept.push_back(std::move(e));
    else if (!DeleteFileA(UndoDataPath(e.seq).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
      TraceNote("undo", "an old undo record could not be deleted");
  }
  entries = std::move(kept);
  return UndoWriteAt(index, UndoIndexText(entries), false);
}

bool UndoAppendEvent(const std::string& event) {
  Handle index = UndoOpenIndex(GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  return index && UndoWriteAt(index.get(), event, true);
}

bool UndoReadEntries(std::vector<UndoEntry>& entries) {
  entries.clear();
  const std::string path = UndoPath(kUndoIndexName);
  if (path.empty()) return false;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  Handle index = UndoOpenIndex(GENERIC_READ, OPEN_EXISTING);
  std::string text;
  if (!index || !UndoReadAll(index.get(), text)) return false;
  entries = UndoParseIndex(text);
  return true;
}

bool UndoSameText(const std::string& a, const char* b) { return a == (b ? b : ""); }

}  // namespace

int UndoStoreFolderOf(HKEY hive, char* out, int capacity) {
  char folder[kPathSize];
  if (out == nullptr || capacity <= 0 || DataFolderOf(hive, folder, sizeof folder) == 0 ||
      AppendBounded(folder, sizeof folder, kUndoFolderName) >= sizeof folder - 1 ||
      std::strlen(folder) + 1 > static_cast<std::size_t>(capacity))
    return 0;
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), folder));
}

bool UndoStoreRecordIn(const char* folder, unsigned long seq, UndoEntry& entry,
                       std::string& data) {
  data.clear();
  const std::string base = folder ? folder : "";
  if (base.empty()) return false;
  Handle index(CreateFileA((base + kUndoIndexName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  if (!index || !UndoReadAll(index.get(), text)) return false;
  bool found = false;
  for (const UndoEntry& e : UndoParseIndex(text))
    if (e.seq == seq) {
      entry = e;
      found = true;
    }
  if (!found || !entry.lined || entry.undone) return false;
  const std::string path = base + "\\" + std::to_string(seq) + ".dat";
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && UndoReadAll(file.get(), data) && data.size() <= kUndoRecordMaxBytes;
}

int UndoStoreFolder(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char folder[kPathSize];
  if (DataFolder(folder, sizeof folder) == 0) return 0;
  if (AppendBounded(folder, sizeof folder, kUndoFolderName) >= sizeof folder - 1) return 0;
  if (!CreateDirectoryA(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return 0;
  const DWORD attributes = GetFileAttributesA(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
  if (std::strlen(folder) + 1 > static_cast<std::size_t>(capacity)) return 0;
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), folder));
}

bool UndoStoreRecord(const UndoLineKey& key, const std::string& data) {
  if (data.size() > kUndoRecordMaxBytes) return false;
  Handle index = UndoOpenIndex(GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  std::string text;
  if (!index || !UndoReadAll(index.get(), text)) return false;
  std::vector<UndoEntry> entries = UndoParseIndex(text);
  UndoEntry entry;
  entry.seq = UndoNextSeq(entries);
  entry.actions = UndoActionsText(key.actions);
  entry.undoAction = key.undoAction;
  entry.typeCode = key.typeCode;
  entry.title = key.title;
  entry.command = key.command;
  entry.bytes = data.size();
  if (!UndoWriteFile(UndoDataPath(entry.seq), data) ||
      !UndoWriteAt(index.get(), UndoRecordEvent(entry), true)) {
    DeleteFileA(UndoDataPath(entry.seq).c_str());
    return false;
  }
  if (!FlushFileBuffers(index.get())) TraceNote("undo", "the undo index could not be flushed");
  entries.push_back(entry);
  if (!UndoCompact(index.get(), entries)) TraceNote("undo", "the undo index could not be cut");
  // A newer record for the same item supersedes one whose action never wrote its line.
  for (std::size_t i = g_undoPending.size(); i-- > 0;) {
    const UndoEntry& old = g_undoPending[i].entry;
    if (old.typeCode == entry.typeCode && old.title == entry.title &&
        old.command == entry.command && old.actions == entry.actions)
      g_undoPending.erase(g_undoPending.begin() + static_cast<std::ptrdiff_t>(i));
  }
  // With the history switched off no line ever comes; the wait list stays short regardless.
  if (g_undoPending.size() >= kUndoKeepUnlined) g_undoPending.erase(g_undoPending.begin());
  g_undoPending.push_back({entry});
  return true;
}

bool UndoStoreKeep(const UndoLineKey& key, const UndoParts& parts) {
  for (const auto& part : parts)
    if (part.second.empty()) return false;
  return !parts.empty() && UndoStoreRecord(key, UndoDataText(parts));
}

void UndoStoreLineWritten(int actionCode, int typeCode, const char* title, const char* command,
                          const char* extra, const char* stamp) {
  for (std::size_t i = g_undoPending.size(); i-- > 0;) {
    const UndoEntry& e = g_undoPending[i].entry;
    if (e.typeCode != typeCode || !UndoSameText(e.title, title) ||
        !UndoSameText(e.command, command) || !UndoEntryTakes(e, actionCode))
      continue;
    if (!UndoAppendEvent(UndoLineEvent(e.seq, actionCode, extra ? extra : "", stamp ? stamp : "")))
      TraceNote("undo", "the undo record could not be tied to its history line");
    g_undoPending.erase(g_undoPending.begin() + static_cast<std::ptrdiff_t>(i));
    return;
  }
}

std::vector<UndoRow> UndoStoreRows(const std::vector<HistoryRecord>& rows) {
  std::vector<UndoRow> result(rows.size());
  std::vector<UndoEntry> entries;
  if (!UndoReadEntries(entries)) TraceNote("undo", "the undo index could not be read");
  const std::vector<long> matched = UndoMatchRows(rows, entries);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    UndoRow& row = result[r];
    if (matched[r] < 0) {
      row.state = UndoActionRecorded(rows[r].actionCode) ? kUndoRowGone : kUndoRowNone;
      continue;
    }
    const UndoEntry& e = entries[static_cast<std::size_t>(matched[r])];
    row.seq = e.seq;
    row.undoAction = e.undoAction;
    if (e.undone) row.state = kUndoRowDone;
    else if (GetFileAttributesA(UndoDataPath(e.seq).c_str()) != INVALID_FILE_ATTRIBUTES)
      row.state = kUndoRowReady;
    else row.state = kUndoRowGone;
  }
  return result;
}

bool UndoStoreData(unsigned long seq, std::string& data) {
  data.clear();
  const std::string path = UndoDataPath(seq);
  if (path.empty()) return false;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && UndoReadAll(file.get(), data);
}

bool UndoStoreMarkUndone(unsigned long seq) { return UndoAppendEvent(UndoUndoneEvent(seq)); }

bool UndoStoreClear() {
  Handle index = UndoOpenIndex(GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  std::string text;
  if (!index || !UndoReadAll(index.get(), text)) return false;
  bool all = true;
  for (const UndoEntry& e : UndoParseIndex(text))
    if (!DeleteFileA(UndoDataPath(e.seq).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
      all = false;
  for (const UndoPending& p : g_undoPending)
    if (!DeleteFileA(UndoDataPath(p.entry.seq).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
      all = false;
  g_undoPending.clear();
  return UndoWriteAt(index.get(), std::string(), false) && all;
}
