#include "undo_text.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>

namespace {

constexpr std::size_t kLengthDigitsMax = 12;
constexpr char kUndoDataMark[] = "KVUNDO1";
constexpr int kRecordedActions[] = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 32, 33, 34, 35, 36, 37};

// Digits up to the delimiter; the position after it, or npos.
std::size_t UndoNumber(std::string_view text, std::size_t at, char delimiter,
                       unsigned long long& number) {
  const std::size_t end = text.find(delimiter, at);
  // One spelling per number, so that a run read back writes the same bytes.
  if (end == std::string_view::npos || end == at || end - at > kLengthDigitsMax ||
      (text[at] == '0' && end - at > 1))
    return std::string_view::npos;
  const char* first = text.data() + at;
  const char* last = text.data() + end;
  const auto result = std::from_chars(first, last, number);
  if (result.ec != std::errc() || result.ptr != last) return std::string_view::npos;
  return end + 1;
}

// The fields of one field run starting at `at`; npos when it is not whole.
std::size_t UndoReadFields(std::string_view text, std::size_t at, std::size_t count,
                           std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < count; ++i) {
    unsigned long long length = 0;
    at = UndoNumber(text, at, ':', length);
    if (at == std::string_view::npos || length > text.size() - at) return std::string_view::npos;
    fields.emplace_back(text.substr(at, static_cast<std::size_t>(length)));
    at += static_cast<std::size_t>(length);
  }
  return at;
}

int UndoNumberOf(const std::string& text, int fallback) {
  int number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() ? number : fallback;
}

unsigned long long UndoBigNumberOf(const std::string& text) {
  unsigned long long number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() ? number : 0;
}

UndoEntry* UndoFind(std::vector<UndoEntry>& entries, unsigned long seq) {
  for (UndoEntry& entry : entries)
    if (entry.seq == seq) return &entry;
  return nullptr;
}

void UndoApplyEvent(std::vector<UndoEntry>& entries, const std::vector<std::string>& f) {
  if (f.size() < 2) return;
  const auto seq = static_cast<unsigned long>(UndoBigNumberOf(f[1]));
  if (f[0] == "R" && f.size() == 8 && !UndoFind(entries, seq)) {
    UndoEntry entry;
    entry.seq = seq;
    entry.actions = f[2];
    entry.undoAction = UndoNumberOf(f[3], kHistoryActionUnknown);
    entry.typeCode = UndoNumberOf(f[4], kHistoryTypeUnknown);
    entry.title = f[5];
    entry.command = f[6];
    entry.bytes = UndoBigNumberOf(f[7]);
    entries.push_back(std::move(entry));
    return;
  }
  UndoEntry* entry = UndoFind(entries, seq);
  if (entry == nullptr) return;
  if (f[0] == "L" && f.size() == 5 && !entry->lined) {
    entry->lined = true;
    entry->actionCode = UndoNumberOf(f[2], kHistoryActionUnknown);
    entry->extra = f[3];
    entry->stamp = f[4];
  } else if (f[0] == "U" && f.size() == 2) {
    entry->undone = true;
  }
}

// Views into rows that outlive the match, so a long log is keyed without copies.
using UndoRowKey =
    std::tuple<std::string_view, int, int, std::string_view, std::string_view, std::string_view>;

UndoRowKey UndoKeyOf(const HistoryRecord& r) {
  return {r.stamp, r.actionCode, r.typeCode, r.title, r.command, r.extra};
}

}  // namespace

int UndoFieldNumber(std::string_view text) {
  constexpr std::size_t kMaxDigits = 9;
  if (text.empty() || text.size() > kMaxDigits) return -1;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string UndoFieldsText(const std::vector<std::string>& fields) {
  std::string text;
  for (const std::string& field : fields) {
    text += std::to_string(field.size());
    text += ':';
    text += field;
  }
  return text;
}

std::optional<std::vector<std::string>> UndoParseFields(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (at < text.size()) {
    at = UndoReadFields(text, at, 1, fields);
    if (at == std::string_view::npos) return std::nullopt;
  }
  return fields;
}

std::string UndoEventText(const std::vector<std::string>& fields) {
  return std::to_string(fields.size()) + ";" + UndoFieldsText(fields) + "\n";
}

std::vector<UndoEntry> UndoParseIndex(std::string_view text) {
  std::vector<UndoEntry> entries;
  std::size_t at = 0;
  while (at < text.size()) {
    unsigned long long count = 0;
    at = UndoNumber(text, at, ';', count);
    if (at == std::string_view::npos || count > 16) break;
    std::vector<std::string> fields;
    at = UndoReadFields(text, at, static_cast<std::size_t>(count), fields);
    if (at == std::string_view::npos || at >= text.size() || text[at] != '\n') break;
    ++at;
    UndoApplyEvent(entries, fields);
  }
  return entries;
}

std::string UndoRecordEvent(const UndoEntry& e) {
  return UndoEventText({"R", std::to_string(e.seq), e.actions, std::to_string(e.undoAction),
                        std::to_string(e.typeCode), e.title, e.command, std::to_string(e.bytes)});
}

std::string UndoLineEvent(unsigned long seq, int actionCode, std::string_view extra,
                          std::string_view stamp) {
  return UndoEventText({"L", std::to_string(seq), std::to_string(actionCode), std::string(extra),
                        std::string(stamp)});
}

std::string UndoUndoneEvent(unsigned long seq) {
  return UndoEventText({"U", std::to_string(seq)});
}

std::string UndoIndexText(const std::vector<UndoEntry>& entries) {
  std::string text;
  for (const UndoEntry& e : entries) {
    text += UndoRecordEvent(e);
    if (e.lined) text += UndoLineEvent(e.seq, e.actionCode, e.extra, e.stamp);
    if (e.undone) text += UndoUndoneEvent(e.seq);
  }
  return text;
}

bool UndoEntryTakes(const UndoEntry& entry, int actionCode) {
  std::size_t at = 0;
  while (at <= entry.actions.size()) {
    std::size_t end = entry.actions.find(',', at);
    if (end == std::string::npos) end = entry.actions.size();
    if (UndoNumberOf(entry.actions.substr(at, end - at), -1) == actionCode) return true;
    at = end + 1;
  }
  return false;
}

HistoryRecord UndoEntryRow(const UndoEntry& e) {
  std::string line = HistoryLineText(e.stamp, HistoryActionNameOf(e.actionCode),
                                     HistoryTypeNameOf(e.typeCode), e.title, e.command, e.extra);
  line.resize(line.size() - 1);  // the LF; the reader drops the CR itself
  return ParseHistoryLine(line);
}

std::vector<long> UndoMatchRows(const std::vector<HistoryRecord>& rows,
                                const std::vector<UndoEntry>& entries) {
  std::vector<HistoryRecord> entryRows(entries.size());
  std::map<UndoRowKey, std::vector<long>> byKey;  // oldest first
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].lined) continue;
    entryRows[i] = UndoEntryRow(entries[i]);
    byKey[UndoKeyOf(entryRows[i])].push_back(static_cast<long>(i));
  }
  std::vector<long> matched(rows.size(), -1);
  if (byKey.empty()) return matched;
  for (std::size_t r = rows.size(); r-- > 0;) {
    if (!UndoActionRecorded(rows[r].actionCode)) continue;
    const auto found = byKey.find(UndoKeyOf(rows[r]));
    if (found == byKey.end() || found->second.empty()) continue;
    matched[r] = found->second.back();
    found->second.pop_back();
  }
  return matched;
}

std::vector<unsigned long> UndoDropList(const std::vector<UndoEntry>& entries,
                                        std::size_t maxCount, unsigned long long maxBytes,
                                        std::size_t keepUnlined) {
  std::vector<const UndoEntry*> order;
  for (const UndoEntry& e : entries) order.push_back(&e);
  std::sort(order.begin(), order.end(),
            [](const UndoEntry* a, const UndoEntry* b) { return a->seq < b->seq; });
  std::vector<unsigned long> drop;
  std::vector<const UndoEntry*> kept;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const bool stale = !order[i]->lined && order.size() - 1 - i >= keepUnlined;
    if (stale) drop.push_back(order[i]->seq);
    else kept.push_back(order[i]);
  }
  unsigned long long bytes = 0;
  for (const UndoEntry* e : kept) bytes += e->bytes;
  std::size_t count = kept.size();
  for (const UndoEntry* e : kept) {
    if (count <= maxCount && bytes <= maxBytes) break;
    drop.push_back(e->seq);
    bytes -= e->bytes;
    --count;
  }
  std::sort(drop.begin(), drop.end());
  return drop;
}

bool UndoActionRecorded(int actionCode) {
  return std::find(std::begin(kRecordedActions), std::end(kRecordedActions), actionCode) !=
         std::end(kRecordedActions);
}

std::string UndoDataText(const UndoParts& parts) {
  std::vector<std::string> fields = {kUndoDataMark};
  for (const auto& [tag, part] : parts) fields.insert(fields.end(), {tag, part});
  return UndoFieldsText(fields);
}

bool UndoDataParts(std::string_view data, UndoParts& parts) {
  parts.clear();
  const auto fields = UndoParseFields(data);
  if (!fields || fields->empty() || (*fields)[0] != kUndoDataMark || fields->size() % 2 != 1)
    return false;
  for (std::size_t i = 1; i < fields->size(); i += 2)
    parts.emplace_back((*fields)[i], (*fields)[i + 1]);
  return true;
}
