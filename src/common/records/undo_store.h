// The undo store: what each action changes, kept in the data folder before the action runs and
// tied to the history line the action writes, so the history dialog can take it back. The
// history log itself is left exactly as it is.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "history_text.h"
#include "undo_text.h"

// Past these the oldest records are dropped (their rows then say the undo data is gone).
inline constexpr std::size_t kUndoMaxRecords = 1000;
inline constexpr unsigned long long kUndoMaxBytes = 32ull << 20;
// One record's data; a larger one is not kept and its action is not offered for undo.
inline constexpr unsigned long long kUndoRecordMaxBytes = 8ull << 20;
// Records whose line never came (the action failed) go once this many newer ones exist.
inline constexpr std::size_t kUndoKeepUnlined = 32;

// The line a record waits for: the next history line of this process with this type, title
// and command and one of these actions carries it.
struct UndoLineKey {
  std::vector<int> actions;
  int undoAction = 35;  // the line the taking back writes
  int typeCode = 3000;
  std::string title, command;
};

// Writes the data, then its index event; false when either failed, and the action's line is
// then not offered for undo.
bool UndoStoreRecord(const UndoLineKey& key, const std::string& data);
// The same for a record of parts; false too when any part could not be read (is empty).
bool UndoStoreKeep(const UndoLineKey& key, const UndoParts& parts);
// HistoryWrite's report of every line it wrote.
void UndoStoreLineWritten(int actionCode, int typeCode, const char* title, const char* command,
                          const char* extra, const char* stamp);

enum UndoRowState { kUndoRowNone, kUndoRowReady, kUndoRowGone, kUndoRowDone };
struct UndoRow {
  UndoRowState state = kUndoRowNone;
  unsigned long seq = 0;
  int undoAction = 35;
};
// One per history row: rows of actions that keep undo data are Ready, Done (already taken
// back) or Gone (dropped, cleared, unreadable or never kept); every other row is None.
std::vector<UndoRow> UndoStoreRows(const std::vector<HistoryRecord>& rows);
bool UndoStoreData(unsigned long seq, std::string& data);
bool UndoStoreMarkUndone(unsigned long seq);
// Removes every record; true when none is left.
bool UndoStoreClear();
// <data folder>\Undo, made when missing; 0 when it cannot be.
int UndoStoreFolder(char* out, int capacity);
// The same folder of the account whose hive this is, not made; 0 when it has none.
int UndoStoreFolderOf(HKEY hive, char* out, int capacity);
// One record of the store in that folder, only read: its index entry, which must have its
// line and not have been taken back, and its data.
bool UndoStoreRecordIn(const char* folder, unsigned long seq, UndoEntry& entry,
                       std::string& data);
