// Startup text rules: the Winlogon extras, list splitting, titles and file kinds.
#include <string>

#include "fuzz_check.h"
#include "startup_text.h"

namespace {

bool IsSuffixOrPrefix(std::string_view text, std::string_view part) {
  return EndsWith(text, part) || text.substr(0, part.size()) == part;
}

void CheckExtra(std::string_view value, int found, const std::string& out) {
  KV_CHECK(out.size() <= value.size());
  KV_CHECK(IsSuffixOrPrefix(value, out));
  KV_CHECK(found == 0 || !out.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view value = input.Piece();
  const std::string_view separators = input.Piece();

  std::string out;
  CheckExtra(value, UserinitExtraText(value, out), out);
  if (value.find(',') == std::string_view::npos) KV_CHECK(UserinitExtraText(value, out) == 0);
  CheckExtra(value, ShellExtraText(value, out), out);
  if (value.find(' ') == std::string_view::npos) KV_CHECK(out == value);

  std::size_t total = 0;
  for (std::string_view item : SplitItems(value, separators)) {
    KV_CHECK(!item.empty());
    KV_CHECK(item.find_first_of(separators) == std::string_view::npos);
    KV_CHECK(item.data() >= value.data() &&
             item.data() + item.size() <= value.data() + value.size());
    total += item.size();
  }
  KV_CHECK(total <= value.size());

  const std::string title = TitleFromCommand(value);
  KV_CHECK(title.find('\\') == std::string::npos);
  KV_CHECK(title.empty() || title.size() + 4 <= value.size());
  StartupFileKindOf(value);
  return 0;
}
