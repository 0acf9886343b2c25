// Registry-value points: item splitting, list rebuilding and the StartupApproved marks.
#include <string>

#include "fuzz_check.h"
#include "point_text.h"

namespace {

void CheckKind(std::string_view data, std::string_view item, PointListKind kind) {
  const std::vector<std::string> items = PointItems(data, kind);
  for (const std::string& each : items) {
    KV_CHECK(!each.empty());
    KV_CHECK(each.front() != ' ' && each.back() != ' ');
    if (kind == PointListKind::kCommaList) KV_CHECK(each.find(',') == std::string::npos);
    if (kind != PointListKind::kSingle) KV_CHECK(each.find('\0') == std::string::npos);
  }
  bool removed = false;
  const std::string without = PointListWithout(data, kind, item, removed);
  const std::vector<std::string> rest = PointItems(without, kind);
  KV_CHECK(rest.size() + (removed ? 1 : 0) == items.size() || kind == PointListKind::kSingle);
  const std::string with = PointListWith(without, kind, item);
  const std::vector<std::string> back = PointItems(with, kind);
  KV_CHECK(back.size() <= rest.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view value = input.Piece();
  const std::string_view item = input.Piece();
  CheckKind(value, item, PointListKind::kSingle);
  CheckKind(value, item, PointListKind::kCommaList);
  CheckKind(value, item, PointListKind::kMultiString);
  PointIsDefault(item, {value, "x*"});
  const std::string approved = PointApprovedData(PointApprovedDisabled(value), input.Number(8));
  KV_CHECK(approved.size() == 12 && PointApprovedDisabled(approved) == PointApprovedDisabled(value));
  PointSameFolder(value, item);
  const std::string title = PointTitle(value);
  KV_CHECK(title.find('\\') == std::string::npos && title.find(' ') == std::string::npos);
  KV_CHECK(title.size() <= value.size());
  return 0;
}
