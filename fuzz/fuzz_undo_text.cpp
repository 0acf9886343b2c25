// Any index text reads back without fault, and what it reads rewrites to itself; any field
// run that parses writes back to the same bytes.
#include <string>

#include "fuzz_check.h"
#include "undo_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto entries = UndoParseIndex(text);
  const std::string again = UndoIndexText(entries);
  KV_CHECK(UndoIndexText(UndoParseIndex(again)) == again);
  for (const UndoEntry& e : entries) UndoEntryTakes(e, 9);

  if (const auto fields = UndoParseFields(text)) KV_CHECK(UndoFieldsText(*fields) == text);
  UndoParts parts;
  if (UndoDataParts(text, parts)) KV_CHECK(UndoDataText(parts) == text);

  std::vector<HistoryRecord> rows = ParseHistoryText(text);
  const auto matched = UndoMatchRows(rows, entries);
  KV_CHECK(matched.size() == rows.size());
  for (long m : matched) KV_CHECK(m >= -1 && m < static_cast<long>(entries.size()));
  const auto drop = UndoDropList(entries, 2, 100, 1);
  KV_CHECK(drop.size() <= entries.size());
  return 0;
}
