// CSV fields: whatever a field holds, its record reads back as the defused field and no
// field starts a formula.
#include <string>
#include <vector>

#include "csv_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  std::vector<std::string> fields;
  while (!input.Rest().empty() && fields.size() < 16) fields.emplace_back(input.Piece());
  if (fields.empty()) fields.emplace_back();
  const std::string record = CsvRecord(fields);
  std::size_t pos = 0;
  std::vector<std::string> read;
  KV_CHECK(CsvReadRecord(record, pos, read));
  KV_CHECK(pos == record.size());
  KV_CHECK(read.size() == fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    KV_CHECK(read[i] == CsvDefused(fields[i]));
    const char first = read[i].empty() ? '\0' : read[i][0];
    KV_CHECK(first != '=' && first != '+' && first != '-' && first != '@');
  }
  // Any text at all: the reader never runs past the end.
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  pos = 0;
  while (CsvReadRecord(raw, pos, read)) KV_CHECK(pos <= raw.size());
  return 0;
}
