#include "text.h"

#include <climits>
#include <cstring>

namespace {

// Texts this long are never searched; callers rely on long command lines testing false.
constexpr std::size_t kContainsLimit = 773;

bool IsSpaceC(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::size_t CopyBounded(char* out, std::size_t capacity, std::string_view text) {
  if (out == nullptr || capacity == 0) return 0;
  std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  if (n > 0) std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return n;
}

std::size_t AppendBounded(char* out, std::size_t capacity, std::string_view text) {
  if (out == nullptr || capacity == 0) return 0;
  std::size_t length = 0;
  while (length < capacity && out[length] != '\0') ++length;
  if (length == capacity) {
    out[capacity - 1] = '\0';
    return capacity - 1;
  }
  return length + CopyBounded(out + length, capacity - length, text);
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void AppendPercentEscape(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

std::string UpperText(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

bool TextContainsNoCase(std::string_view text, std::string_view part) {
  if (text.size() >= kContainsLimit || part.size() > text.size()) return false;
  for (std::size_t start = 0; start + part.size() <= text.size(); ++start)
    if (EqualsNoCase(text.substr(start, part.size()), part)) return true;
  return false;
}

bool ContainsNoCase(const char* text, const char* part) {
  if (text == nullptr || part == nullptr) return false;
  // Only the first kContainsLimit characters need measuring to know the text is too long.
  std::size_t length = 0;
  while (length < kContainsLimit && text[length] != '\0') ++length;
  return TextContainsNoCase(std::string_view(text, length), part);
}

std::string_view SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return text.substr(i);
}

void ReplaceChar(char* text, char from, char to) {
  if (text == nullptr || from == '\0') return;
  char* write = text;
  for (const char* read = text; *read != '\0'; ++read) {
    if (*read != from)
      *write++ = *read;
    else if (to != '\0')
      *write++ = to;
  }
  *write = '\0';
}

int ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpaceC(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number so that INT_MIN is reachable without overflow.
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < INT_MIN) return negative ? INT_MIN : INT_MAX;
  }
  if (negative) return static_cast<int>(value);
  return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}
