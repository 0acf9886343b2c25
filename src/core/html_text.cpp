#include "html_text.h"

namespace {

struct CharsetRow {
  unsigned codePage;
  std::string_view name;
};

constexpr CharsetRow kCharsets[] = {
    {874, "windows-874"},    {932, "shift_jis"},      {936, "gbk"},
    {949, "euc-kr"},         {950, "big5"},           {1250, "windows-1250"},
    {1251, "windows-1251"},  {1252, "windows-1252"},  {1253, "windows-1253"},
    {1254, "windows-1254"},  {1255, "windows-1255"},  {1256, "windows-1256"},
    {1257, "windows-1257"},  {1258, "windows-1258"},  {65001, "utf-8"},
};
constexpr std::string_view kFallbackCharset = "windows-1252";

bool IsStrayControl(unsigned char c) {
  return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += IsStrayControl(static_cast<unsigned char>(c)) ? ' ' : c;
    }
  }
  return out;
}

std::string_view HtmlCharsetName(unsigned codePage) {
  for (const CharsetRow& row : kCharsets)
    if (row.codePage == codePage) return row.name;
  return kFallbackCharset;
}
