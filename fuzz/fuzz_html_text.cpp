// The report's HTML escaping: whatever the system holds, the escaped text holds no markup
// character, every '&' starts one of the five references, and undoing them gives the text
// back (with stray control characters as blanks). The text report's cells hold no TAB or
// line break.
#include <string>

#include "fuzz_check.h"
#include "html_text.h"
#include "report_cell_text.h"

namespace {

constexpr struct {
  std::string_view reference;
  char character;
} kReferences[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};

std::string Unescape(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    bool known = false;
    for (const auto& row : kReferences) {
      if (text.substr(i, row.reference.size()) != row.reference) continue;
      out += row.character;
      i += row.reference.size();
      known = true;
      break;
    }
    KV_CHECK(known);
  }
  return out;
}

std::string Blanked(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) c = ' ';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string escaped = HtmlEscape(text);
  for (char c : escaped) {
    const auto byte = static_cast<unsigned char>(c);
    KV_CHECK(c != '<' && c != '>' && c != '"' && c != '\'');
    KV_CHECK(byte >= 0x20 || c == '\t' || c == '\r' || c == '\n');
  }
  KV_CHECK(Unescape(escaped) == Blanked(text));

  const std::string cell = ReportTextCell(text);
  KV_CHECK(cell.size() == text.size());
  KV_CHECK(cell.find_first_of("\t\r\n") == std::string::npos);
  return 0;
}
