// The report's JSON strings: whatever the bytes, the literal is one valid JSON string made of
// valid UTF-8, and a valid UTF-8 text reads back unchanged.
#include <string>

#include "fuzz_check.h"
#include "json_text.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A strict reader of one JSON string literal that spans the whole text; false when it is not
// one. The escapes the writer uses never name a surrogate, so none is accepted.
bool ReadLiteral(std::string_view literal, std::string& out) {
  if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"') return false;
  const std::string_view body = literal.substr(1, literal.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (static_cast<unsigned char>(c) < 0x20 || c == '"') return false;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= body.size()) return false;
    switch (body[i]) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        if (i + 4 >= body.size()) return false;
        int value = 0;
        for (int k = 1; k <= 4; ++k) {
          const int digit = HexValue(body[i + k]);
          if (digit < 0) return false;
          value = value * 16 + digit;
        }
        if (value >= 0x80) return false;  // only control characters are written this way
        out += static_cast<char>(value);
        i += 4;
        break;
      }
      default: return false;
    }
  }
  return true;
}

bool ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3
                                                                         : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string literal = JsonQuote(text);
  std::string read;
  KV_CHECK(ReadLiteral(literal, read));
  KV_CHECK(ValidUtf8(literal));
  if (ValidUtf8(text)) KV_CHECK(read == text);
  return 0;
}
