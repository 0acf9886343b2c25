#include "cookies_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "text.h"

namespace {

constexpr int kCookieFieldCount = 7;
constexpr unsigned kByteValues = 256;
constexpr std::string_view kCookieTitleJoin = " - ";

std::string_view CookieWithoutReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

unsigned CookieByte(char c) { return static_cast<unsigned char>(c); }

char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The Nut texts by their first character, and a skip table over blocks of two characters
// (one when a text is that short), so that one pass over a line finds every text in it while
// jumping over stretches where none can start: cookie values are long runs of few letters, where
// a search per text would keep stopping at its first character.
struct CookieNutTable {
  std::vector<const std::string*> byFirst[kByteValues];
  std::vector<std::uint8_t> skip;
  std::size_t shortest = 0;  // 0: no text to look for
  std::size_t block = 0;
  std::vector<bool> titleLengths = std::vector<bool>(kCookieTitleMax + 1, false);
};

std::size_t CookieBlock(const CookieNutTable& table, const char* end) {
  const unsigned last = CookieByte(UpperByte(*end));
  return table.block == 1 ? last : CookieByte(UpperByte(end[-1])) * kByteValues + last;
}

// A text with a line feed cannot lie within one line and is left out.
void CookieNutTableFill(CookieNutTable& table, const CookieNuts& nuts) {
  for (const std::string& text : nuts.texts) {
    if (text.size() <= kCookieTitleMax) table.titleLengths[text.size()] = true;
    if (text.find('\n') != std::string::npos) continue;
    table.byFirst[CookieByte(text[0])].push_back(&text);
    if (table.shortest == 0 || text.size() < table.shortest) table.shortest = text.size();
  }
  if (table.shortest == 0) return;
  const std::size_t window = std::min<std::size_t>(table.shortest, UINT8_MAX);
  table.block = window < 2 ? 1 : 2;
  table.skip.assign(table.block == 1 ? kByteValues : kByteValues * kByteValues,
                    static_cast<std::uint8_t>(window - table.block + 1));
  for (const std::vector<const std::string*>& texts : table.byFirst)
    for (const std::string* text : texts)
      for (std::size_t end = table.block - 1; end < window; ++end) {
        std::uint8_t& skip = table.skip[CookieBlock(table, text->data() + end)];
        skip = std::min(skip, static_cast<std::uint8_t>(window - 1 - end));
      }
  table.shortest = window;
}

// The last character first: texts that share their start with most lines ("www.") are
// mostly told apart there.
bool CookieNutAt(const CookieNutTable& table, std::string_view line, std::size_t at) {
  for (const std::string* text : table.byFirst[CookieByte(UpperByte(line[at]))]) {
    const std::size_t end = at + text->size();
    if (end <= line.size() && UpperByte(line[end - 1]) == text->back() &&
        EqualsNoCase(line.substr(at, text->size()), *text))
      return true;
  }
  return false;
}

// A window as long as the shortest text slides along the line; its last block tells how far
// it can move without passing the start of any text.
bool CookieLineHolds(const CookieNutTable& table, std::string_view line) {
  if (table.shortest == 0) return false;
  for (std::size_t end = table.shortest - 1; end < line.size();) {
    const std::uint8_t skip = table.skip[CookieBlock(table, line.data() + end)];
    if (skip != 0) {
      end += skip;
      continue;
    }
    if (CookieNutAt(table, line, end + 1 - table.shortest)) return true;
    ++end;
  }
  return false;
}

std::string_view CookieTitleDomain(const CookieFields& fields) {
  std::string_view domain = fields.domain;
  if (!domain.empty() && domain[0] == '.') domain.remove_prefix(1);
  return domain;
}

void CookieTitleInto(const CookieFields& fields, std::string& title) {
  const std::string_view domain = CookieTitleDomain(fields);
  title.assign(domain.substr(0, kCookieTitleMax));
  title.append(kCookieTitleJoin);
  title.append(fields.name.substr(0, kCookieTitleMax));
  if (title.size() > kCookieTitleMax) title.resize(kCookieTitleMax);
}

// title is the caller's buffer, reused from line to line.
bool CookieDropped(const CookieNuts& nuts, const CookieNutTable& table, std::string_view line,
                   std::string& title) {
  CookieFields fields;
  if (!CookieLineFields(line, fields)) return false;
  if (CookieLineHolds(table, line)) return true;
  const std::size_t length =
      CookieTitleDomain(fields).size() + kCookieTitleJoin.size() + fields.name.size();
  if (!table.titleLengths[std::min(length, kCookieTitleMax)]) return false;
  CookieTitleInto(fields, title);
  for (char& c : title) c = UpperByte(c);
  return nuts.titles.count(title) != 0;
}

}  // namespace

bool CookieLineFields(std::string_view line, CookieFields& fields) {
  fields = {};
  line = CookieWithoutReturn(line);
  if (line.empty() || line[0] == '#' || line.find('\t') == std::string_view::npos) return false;
  std::string_view* const slots[kCookieFieldCount] = {&fields.domain, &fields.subdomains,
                                                      &fields.path,   &fields.secure,
                                                      &fields.expiry, &fields.name,
                                                      &fields.value};
  for (std::string_view* slot : slots) {
    const std::size_t tab = line.find('\t');
    *slot = line.substr(0, tab);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return !fields.domain.empty();
}

std::string CookieTitle(const CookieFields& fields) {
  std::string title;
  CookieTitleInto(fields, title);
  return title;
}

std::int64_t CookieExpirySeconds(std::string_view expiry) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t seconds = 0;
  for (char c : expiry) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (seconds > (kMax - digit) / 10) return kMax;
    seconds = seconds * 10 + digit;
  }
  return seconds;
}

bool CookieSecure(std::string_view secure) {
  return UpperText(secure).find("TRUE") != std::string::npos;
}

void CookieNutsAdd(CookieNuts& nuts, std::string_view text) {
  if (text.empty()) return;
  std::string upper = UpperText(text.substr(0, kNutTextMax));
  if (!nuts.titles.insert(upper).second) return;
  nuts.texts.push_back(std::move(upper));
}

bool CookieNutMatches(const CookieNuts& nuts, std::string_view text) {
  const std::string upper = UpperText(text);
  for (const std::string& part : nuts.texts)
    if (upper.find(part) != std::string::npos) return true;
  return false;
}

bool CookieNutNamed(const CookieNuts& nuts, std::string_view title) {
  return !nuts.titles.empty() && nuts.titles.count(UpperText(title)) != 0;
}

// Decided without the filter's tables, so that the two ways can be held against each other.
bool CookieLineDropped(const CookieNuts& nuts, std::string_view line) {
  CookieFields fields;
  if (!CookieLineFields(line, fields)) return false;
  return CookieNutMatches(nuts, line) || CookieNutNamed(nuts, CookieTitle(fields));
}

std::string CookieFilterText(std::string_view text, const CookieNuts& nuts) {
  if (nuts.texts.empty()) return std::string(text);
  CookieNutTable table;
  CookieNutTableFill(table, nuts);
  std::string kept;
  kept.reserve(text.size());
  std::string title;
  while (!text.empty()) {
    const std::size_t feed = text.find('\n');
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
    if (!CookieDropped(nuts, table, text.substr(0, feed), title)) kept.append(text.substr(0, end));
    text.remove_prefix(end);
  }
  return kept;
}
