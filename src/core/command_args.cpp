#include "command_args.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Backslashes before a quote: each pair is one backslash; an odd one makes the quote literal.
void TakeBackslashes(std::string_view line, std::size_t& at, std::string& word) {
  std::size_t count = 0;
  while (at < line.size() && line[at] == '\\') ++count, ++at;
  if (at < line.size() && line[at] == '"') {
    word.append(count / 2, '\\');
    if (count % 2 == 1) {
      word.push_back('"');
      ++at;
    }
    return;
  }
  word.append(count, '\\');
}

}  // namespace

std::vector<std::string> CommandArgsSplit(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at >= line.size()) break;
    std::string word;
    bool quoted = false;
    while (at < line.size() && (quoted || !IsBlank(line[at]))) {
      if (line[at] == '\\') {
        TakeBackslashes(line, at, word);
      } else if (line[at] == '"') {
        quoted = !quoted;
        ++at;
      } else {
        word.push_back(line[at++]);
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string CommandArgQuote(std::string_view word) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Before a quote, and before the closing quote below, backslashes are doubled.
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, '\\');
  out.push_back('"');
  return out;
}
