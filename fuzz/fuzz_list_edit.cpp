// Removing and appending one item of a win.ini line or of AppInit_DLLs.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "list_edit_text.h"

namespace {

bool HasSeparator(std::string_view text, std::string_view separators) {
  return text.find_first_of(separators) != std::string_view::npos;
}

void CheckRule(std::string_view text, std::string_view item, const ListEditRule& rule) {
  const std::vector<std::string> before = ListEditSplit(text, rule.separators);
  for (const std::string& entry : before)
    KV_CHECK(!entry.empty() && !HasSeparator(entry, rule.separators));

  std::string removed;
  const int dropped = ListEditRemove(text, item, rule, nullptr, removed);
  std::vector<std::string> kept;
  for (const std::string& entry : before)
    if (!ListEditSame(entry, item, nullptr)) kept.push_back(entry);
  KV_CHECK(dropped == static_cast<int>(before.size() - kept.size()));
  if (dropped == 0) {
    KV_CHECK(removed == text);
  } else {
    KV_CHECK(ListEditSplit(removed, rule.separators) == kept);
    KV_CHECK(removed.empty() || (removed.back() == rule.joiner) == rule.terminated);
  }

  std::string appended;
  if (ListEditAppend(text, item, rule, nullptr, appended) == 1) {
    KV_CHECK(appended.compare(0, text.size(), text) == 0);
    std::vector<std::string> expected = before;
    expected.emplace_back(item);
    KV_CHECK(ListEditSplit(appended, rule.separators) == expected);
    std::string back;
    KV_CHECK(ListEditRemove(appended, item, rule, nullptr, back) == 1);
    KV_CHECK(ListEditSplit(back, rule.separators) == before);
  } else {
    KV_CHECK(appended == text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view item = input.Piece();
  const std::string_view text = input.Rest();
  CheckRule(text, item, kWinIniListRule);
  CheckRule(text, item, kAppInitListRule);
  return 0;
}
