// Translated string overrides: line breaks and the conversion check. Whatever the check
// accepts is formatted for real with the built-in text's arguments, so that a wrongly
// accepted override shows up as a sanitizer report.
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "strings_text.h"

namespace {

constexpr char kText[] = "text";
constexpr char kField[4] = {'a', 'b', 'c', 'd'};  // deliberately unterminated
constexpr wchar_t kWide[] = L"wide";

// Built-in formats and a call with exactly the arguments each one takes.
struct Format {
  const char* text;
  int (*print)(char* out, std::size_t size, const char* format);
};

const Format kFormats[] = {
    {"plain", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, 0); }},
    {"%s", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, kText); }},
    {"%d of %s", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, 7, kText); }},
    {"%.4s|%d", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, kField, -3); }},
    {"%*d %s", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, 5, 42, kText); }},
    {"%.*s", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, 4, kField); }},
    {"%lld %c %p", [](char* o, std::size_t n, const char* f) {
       return std::snprintf(o, n, f, 1LL << 40, 'x', static_cast<const void*>(kText));
     }},
    {"%f %ls", [](char* o, std::size_t n, const char* f) { return std::snprintf(o, n, f, 2.5, kWide); }},
    {"%zu %jd %ld", [](char* o, std::size_t n, const char* f) {
       return std::snprintf(o, n, f, std::size_t{1}, std::intmax_t{2}, 3L);
     }},
};

// Letters the Windows runtime reads differently from this one; such overrides are
// checked for agreement only, not formatted here.
bool PortableFormat(std::string_view text) {
  return text.find_first_of("IwSCh") == std::string_view::npos;
}

// The sanitizer's printf check reads a "%.0s" or "%.s" argument as if it had no precision
// and reports an overflow that printf itself never makes.
bool HasZeroStringPrecision(std::string_view text) {
  for (std::size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', dot + 1)) {
    std::size_t i = dot + 1;
    while (i < text.size() && text[i] == '0') ++i;
    while (i < text.size() && (text[i] == 'l' || text[i] == 'j' || text[i] == 'z' || text[i] == 't')) ++i;
    if (i < text.size() && text[i] == 's') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t choice = input.Number(1);
  const std::string_view builtIn = input.Piece();
  const std::string_view override = input.Rest();

  const std::string expanded = ExpandLineBreaks(override);
  KV_CHECK(expanded.size() <= override.size());
  KV_CHECK(expanded.find("%n") == std::string::npos);

  if (SameConversions(builtIn, override) && expanded == override)
    KV_CHECK(SameConversions(override, override));

  const Format& format = kFormats[choice % (sizeof kFormats / sizeof kFormats[0])];
  if (SameConversions(format.text, override) && PortableFormat(expanded) &&
      !HasZeroStringPrecision(expanded) && expanded.find('\0') == std::string::npos) {
    static char out[8192];
    KV_CHECK(format.print(out, sizeof out, expanded.c_str()) >= 0);
  }
  return 0;
}
