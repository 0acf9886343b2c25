// The undo store's texts: length-prefixed fields, the index of records kept beside the history
// log, how a history line finds its record, and which records the size bound drops.
// Platform-free.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "history_text.h"

// A field holding a small count or code: 1 to 9 decimal digits, else -1.
int UndoFieldNumber(std::string_view text);

// Fields as "<length>:<bytes>" one after the other; any byte may appear in a field.
std::string UndoFieldsText(const std::vector<std::string>& fields);
// Empty when the text is not a whole run of such fields.
std::optional<std::vector<std::string>> UndoParseFields(std::string_view text);

// One index event: "<count>;" then count fields, then LF.
std::string UndoEventText(const std::vector<std::string>& fields);

// What the index says of one record.
struct UndoEntry {
  unsigned long seq = 0;
  std::string actions;  // the action codes whose line may carry it, as "9,12"
  int undoAction = kHistoryActionUnknown;  // the line the taking back writes
  int typeCode = kHistoryTypeUnknown;
  std::string title, command;
  unsigned long long bytes = 0;  // of its data file
  bool lined = false;            // its history line was written
  int actionCode = kHistoryActionUnknown;
  std::string extra, stamp;      // of that line
  bool undone = false;
};

// Events of the kinds R (recorded), L (its line written), U (taken back), in index order;
// reading stops at the first event that is not whole, as an append cut short leaves it.
std::vector<UndoEntry> UndoParseIndex(std::string_view text);
std::string UndoRecordEvent(const UndoEntry& entry);
std::string UndoLineEvent(unsigned long seq, int actionCode, std::string_view extra,
                          std::string_view stamp);
std::string UndoUndoneEvent(unsigned long seq);
// The whole index for the given entries, as a compaction writes it.
std::string UndoIndexText(const std::vector<UndoEntry>& entries);

// True when the entry may be attached to a line of this action.
bool UndoEntryTakes(const UndoEntry& entry, int actionCode);
// The history row the entry's line reads back as (the line's own field cuts applied).
HistoryRecord UndoEntryRow(const UndoEntry& entry);
// Per row: the index of the lined entry whose line it is, or -1. The newest rows take the
// newest entries, so identical lines and a store whose oldest records were dropped still
// pair up from the end.
std::vector<long> UndoMatchRows(const std::vector<HistoryRecord>& rows,
                                const std::vector<UndoEntry>& entries);

// Sequence numbers of the entries to drop, oldest first, so that at most maxCount records
// and maxBytes of data remain; records whose line never came are dropped once keepUnlined
// newer records exist.
std::vector<unsigned long> UndoDropList(const std::vector<UndoEntry>& entries,
                                        std::size_t maxCount, unsigned long long maxBytes,
                                        std::size_t keepUnlined);

// The history actions whose lines can carry an undo record.
bool UndoActionRecorded(int actionCode);

// One record's data: the parts an action will change, each tagged with the module that can
// put it back.
inline constexpr char kUndoPartRegistry[] = "registry";
inline constexpr char kUndoPartRegistryValue[] = "regvalue";
inline constexpr char kUndoPartFile[] = "file";
inline constexpr char kUndoPartService[] = "service";
inline constexpr char kUndoPartStartup[] = "startup";
inline constexpr char kUndoPartDelayed[] = "delayed";
inline constexpr char kUndoPartCookieLines[] = "cookielines";
inline constexpr char kUndoPartTaskV2[] = "taskv2";
using UndoParts = std::vector<std::pair<std::string, std::string>>;
std::string UndoDataText(const UndoParts& parts);
// False when the data is not whole or not of this format.
bool UndoDataParts(std::string_view data, UndoParts& parts);
