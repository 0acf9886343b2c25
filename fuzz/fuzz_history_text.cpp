// History lines built from any texts must read back as one line with the same fields.
#include <string>

#include "fuzz_check.h"
#include "history_text.h"

namespace {

bool Clean(std::string_view field) {
  return field.find_first_of("\t\r\n") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int type = static_cast<int>(input.Number(2));
  const int action = static_cast<int>(input.Number(1)) - 8;
  const auto hour = static_cast<unsigned>(input.Number(1));
  const std::string stamp = HistoryStampText(2026, 12, 6, hour % 24, 59, "Never");
  KV_CHECK(stamp.size() < 32);
  const std::string_view title = input.Piece();
  const std::string_view command = input.Piece();
  const std::string_view extra = input.Piece();

  const std::string line = HistoryLineText(stamp, HistoryActionNameOf(action),
                                           HistoryTypeNameOf(type), title, command, extra);
  KV_CHECK(line.size() <= kHistoryLineMax + 2);
  KV_CHECK(EndsWith(line, "\r\n"));
  KV_CHECK(line.find('\n') == line.size() - 1);

  const auto records = ParseHistoryText(line);
  KV_CHECK(records.size() == 1);
  const HistoryRecord& r = records[0];
  KV_CHECK(r.stamp == stamp);
  KV_CHECK(std::string(HistoryActionNameOf(r.actionCode)) == HistoryActionNameOf(action));
  KV_CHECK(std::string(HistoryTypeNameOf(r.typeCode)) == HistoryTypeNameOf(type));
  if (line.size() < kHistoryLineMax && Clean(title) && Clean(command) && Clean(extra)) {
    KV_CHECK(r.title == (title.size() < 128 ? title : ""));
    KV_CHECK(r.command == (command.size() < 260 ? command : ""));
    KV_CHECK(r.extra == (extra.size() < 260 ? extra : ""));
  }

  const auto any = ParseHistoryText(input.Rest());
  std::size_t lines = 0;
  for (char c : input.Rest()) lines += c == '\n';
  KV_CHECK(any.size() == lines);
  for (const HistoryRecord& rec : any) {
    KV_CHECK(rec.stamp.size() < 32 && rec.title.size() < 128 && rec.command.size() < 260 &&
             rec.extra.size() < 260);
    KV_CHECK(HistoryActionReversible(rec.actionCode) == (rec.actionCode == 0 || rec.actionCode == 29));
  }
  return 0;
}
