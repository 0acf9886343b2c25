#include "strings_text.h"

#include <vector>

#include "text.h"

namespace {

struct LanguageCode {
  std::string_view code;
  int number;
};

constexpr LanguageCode kLanguageCodes[] = {
    {"us", 9},  {"de", 7},  {"fr", 12}, {"es", 10}, {"it", 16}, {"se", 29}, {"\xEA\xE0\xEA", 25},
    {"ru", 25}, {"pt", 22}, {"pl", 21}, {"no", 20}, {"gr", 8},  {"nl", 19}, {"br", 22},
    {"sq", 28}, {"tr", 31}, {"ar", 1},  {"fi", 11}, {"cn", 4},
};

// What one printf argument must be. Kinds: 'i' integer, 'f' floating, 'c' character,
// 's' string, 'p' pointer, '*' an int taken by a '*' width or precision.
struct Argument {
  char kind;
  char size;              // storage variant within the kind (narrow/wide, int/long/...)
  int precision = -1;     // strings: -1 none, -2 taken from an argument, else the limit
};

// Widths and precisions beyond any text the programs hold are taken as hostile.
constexpr int kMaxFieldNumber = 1024;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ReadNumber(std::string_view text, std::size_t& i, int& number) {
  number = 0;
  while (i < text.size() && IsDigit(text[i])) {
    number = number * 10 + (text[i++] - '0');
    if (number > kMaxFieldNumber) return false;
  }
  return true;
}

std::string_view ReadLength(std::string_view text, std::size_t& i) {
  static constexpr std::string_view kLengths[] = {"hh", "ll", "I64", "I32", "h", "l", "L",
                                                  "j",  "z",  "t",   "I",   "w"};
  for (std::string_view length : kLengths) {
    if (text.substr(i, length.size()) == length) {
      i += length.size();
      return length;
    }
  }
  return {};
}

// Argument for a conversion type with its length modifier; kind 0 when printf would not
// take it as a plain, safe conversion.
Argument Classify(char type, std::string_view length, int precision) {
  const auto is = [&](std::string_view l) { return length == l; };
  switch (type) {
    case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
      if (length.empty() || is("h") || is("hh") || is("I32")) return {'i', 'i'};
      if (is("l")) return {'i', 'l'};
      if (is("ll") || is("I64")) return {'i', 'q'};
      if (is("j")) return {'i', 'j'};
      if (is("z") || is("t") || is("I")) return {'i', 'z'};
      return {0, 0};
    case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
      if (length.empty() || is("l")) return {'f', 'd'};
      if (is("L")) return {'f', 'L'};
      return {0, 0};
    case 'c':
      if (length.empty() || is("h")) return {'c', 'n'};
      if (is("l") || is("w")) return {'c', 'w'};
      return {0, 0};
    case 'C':
      if (is("h")) return {'c', 'n'};
      if (length.empty() || is("l") || is("w")) return {'c', 'w'};
      return {0, 0};
    case 's':
      if (length.empty() || is("h")) return {'s', 'n', precision};
      if (is("l") || is("w")) return {'s', 'w', precision};
      return {0, 0};
    case 'S':
      if (is("h")) return {'s', 'n', precision};
      if (length.empty() || is("l") || is("w")) return {'s', 'w', precision};
      return {0, 0};
    case 'p':
      if (length.empty()) return {'p', 'p'};
      return {0, 0};
    default:
      // 'n' writes through its argument; anything else is no conversion printf knows.
      return {0, 0};
  }
}

// The arguments the text asks for when used as a format; false when it holds anything
// that is not a well-formed, harmless conversion.
bool ReadArguments(std::string_view text, std::vector<Argument>& arguments) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (++i < text.size() && text[i] == '%') continue;
    while (i < text.size() && std::string_view("-+ #0").find(text[i]) != std::string_view::npos) ++i;
    int number = 0;
    if (i < text.size() && text[i] == '*') {
      arguments.push_back({'*', '*'});
      ++i;
    } else if (!ReadNumber(text, i, number)) {
      return false;
    }
    int precision = -1;
    if (i < text.size() && text[i] == '.') {
      ++i;
      if (i < text.size() && text[i] == '*') {
        arguments.push_back({'*', '*'});
        precision = -2;
        ++i;
      } else if (!ReadNumber(text, i, precision)) {
        return false;
      }
    }
    const std::string_view length = ReadLength(text, i);
    if (i >= text.size()) return false;
    const Argument argument = Classify(text[i], length, precision);
    if (argument.kind == 0) return false;
    arguments.push_back(argument);
  }
  return true;
}

bool Compatible(const Argument& builtIn, const Argument& override) {
  if (builtIn.kind != override.kind || builtIn.size != override.size) return false;
  if (builtIn.kind != 's' || builtIn.precision == -1) return true;
  // A bounded string may be an unterminated field: the override must not read further.
  if (builtIn.precision == -2) return override.precision == -2;
  return override.precision >= 0 && override.precision <= builtIn.precision;
}

}  // namespace

std::string ExpandLineBreaks(std::string_view text) {
  std::string expanded;
  expanded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'n') {
      expanded.push_back('\n');
      ++i;
    } else {
      expanded.push_back(text[i]);
    }
  }
  return expanded;
}

bool SameConversions(std::string_view builtIn, std::string_view override) {
  std::vector<Argument> expected, offered;
  // The override is judged as it will be used: after its line breaks are expanded.
  if (!ReadArguments(builtIn, expected) || !ReadArguments(ExpandLineBreaks(override), offered))
    return false;
  if (expected.size() != offered.size()) return false;
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (!Compatible(expected[i], offered[i])) return false;
  return true;
}

int LanguageNumberForCode(std::string_view code) {
  for (const LanguageCode& entry : kLanguageCodes)
    if (EqualsNoCase(code, entry.code)) return entry.number;
  return 0;
}
