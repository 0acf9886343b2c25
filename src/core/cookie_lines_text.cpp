#include "cookie_lines_text.h"

#include <unordered_set>

namespace {

std::string_view CookieLinesBare(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool CookieLinesBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::unordered_set<std::string_view> CookieLinesSet(std::string_view text) {
  std::unordered_set<std::string_view> set;
  CookieForEachLine(text, [&](std::string_view line) { set.insert(CookieLinesBare(line)); });
  return set;
}

}  // namespace

std::string CookieLinesDropped(std::string_view text, const CookieNuts& nuts) {
  std::string dropped;
  if (nuts.texts.empty()) return dropped;
  CookieForEachLine(text, [&](std::string_view line) {
    if (!CookieLineDropped(nuts, line)) return;
    dropped.append(line);
    dropped.push_back('\n');
  });
  return dropped;
}

std::string CookieLinesAdded(std::string_view text, std::string_view lines) {
  std::unordered_set<std::string_view> present = CookieLinesSet(text);
  std::string result(text);
  CookieForEachLine(lines, [&](std::string_view line) {
    if (CookieLinesBlank(line) || !present.insert(CookieLinesBare(line)).second) return;
    if (!result.empty() && result.back() != '\n') result.push_back('\n');
    result.append(line);
    result.push_back('\n');
  });
  return result;
}

std::string CookieLinesRemoved(std::string_view text, std::string_view lines) {
  const std::unordered_set<std::string_view> gone = CookieLinesSet(lines);
  std::string result;
  result.reserve(text.size());
  while (!text.empty()) {
    const std::size_t feed = text.find('\n');
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
    const std::string_view line = text.substr(0, feed == std::string_view::npos ? end : feed);
    if (CookieLinesBlank(line) || gone.count(CookieLinesBare(line)) == 0)
      result.append(text.substr(0, end));
    text.remove_prefix(end);
  }
  return result;
}
