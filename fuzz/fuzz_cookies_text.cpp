// The cookies file: fields, titles and the filter that must keep every line it does not drop.
#include <string>
#include <vector>

#include "cookie_lines_text.h"
#include "cookies_text.h"
#include "fuzz_check.h"

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  CookieForEachLine(text, [&](std::string_view line) { lines.push_back(line); });
  return lines;
}

// Every output line is an input line, in the same order; the skipped ones are dropped ones.
void CheckKeptInOrder(std::string_view text, std::string_view kept, const CookieNuts& nuts) {
  const std::vector<std::string_view> in = Lines(text);
  std::size_t next = 0;
  for (std::string_view line : Lines(kept)) {
    while (next < in.size() && in[next] != line) KV_CHECK(CookieLineDropped(nuts, in[next++]));
    KV_CHECK(next < in.size());
    KV_CHECK(!CookieLineDropped(nuts, in[next++]));
  }
  while (next < in.size()) KV_CHECK(CookieLineDropped(nuts, in[next++]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CookieNuts nuts;
  const std::size_t count = input.Number(1) % 4;
  for (std::size_t i = 0; i < count; ++i) CookieNutsAdd(nuts, input.Piece());
  const std::string_view text = input.Rest();
  for (const std::string& nut : nuts.texts) KV_CHECK(!nut.empty() && nut.size() <= kNutTextMax);

  const std::string kept = CookieFilterText(text, nuts);
  KV_CHECK(kept.size() <= text.size());
  KV_CHECK(CookieFilterText(kept, nuts) == kept);
  KV_CHECK(CookieFilterText(text, CookieNuts{}) == text);
  CheckKeptInOrder(text, kept, nuts);
  // The dropped lines put back come after what the filter kept, and only once.
  const std::string dropped = CookieLinesDropped(text, nuts);
  KV_CHECK(dropped.size() <= text.size() + Lines(text).size());
  const std::string back = CookieLinesAdded(kept, dropped);
  KV_CHECK(CookieLinesAdded(back, dropped) == back);
  KV_CHECK(back.compare(0, kept.size(), kept) == 0);
  KV_CHECK(CookieLinesRemoved(back, "") == back);

  CookieForEachLine(text, [&](std::string_view line) {
    CookieFields fields;
    if (!CookieLineFields(line, fields)) return;
    const std::string title = CookieTitle(fields);
    KV_CHECK(title.size() <= kCookieTitleMax);
    KV_CHECK(!fields.domain.empty() && fields.domain[0] != '#');
    KV_CHECK(CookieExpirySeconds(fields.expiry) >= 0);
    if (CookieNutNamed(nuts, title)) KV_CHECK(CookieLineDropped(nuts, line));
  });
  return 0;
}
