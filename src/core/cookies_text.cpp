#include "cookies_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#include "text.h"

namespace {

constexpr int kCookieFieldCount = 7;
constexpr int kCookieNameField = 5;
constexpr unsigned kByteValues = 256;
constexpr unsigned kFoldValues = 32;
constexpr std::string_view kCookieTitleJoin = " - ";

std::string_view CookieWithoutReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Eight bytes at a time where the order of bytes allows: the filter looks for every line end
// and the first six tabs of every line, where a library search costs a call each and, in some
// C libraries, goes byte by byte.
std::size_t CookieByteAt(std::string_view text, std::size_t from, char byte) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
    for (; from + sizeof(std::uint64_t) <= text.size(); from += sizeof(std::uint64_t)) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + from, sizeof word);
      word ^= pattern;
      // The lowest flagged byte is always a true match; flags above it may not be.
      const std::uint64_t found = (word - kOnes) & ~word & kHighs;
      if (found != 0) return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  while (from < text.size() && text[from] != byte) ++from;
  return from;
}

// The first count fields; the filter stops before the value, the longest field.
bool CookieLineSplit(std::string_view line, CookieFields& fields, int count) {
  fields = {};
  line = CookieWithoutReturn(line);
  if (line.empty() || line[0] == '#') return false;
  std::string_view* const slots[kCookieFieldCount] = {&fields.domain, &fields.subdomains,
                                                      &fields.path,   &fields.secure,
                                                      &fields.expiry, &fields.name,
                                                      &fields.value};
  bool tabbed = false;
  std::size_t start = 0;
  for (int slot = 0; slot < count; ++slot) {
    const std::size_t tab = CookieByteAt(line, start, '\t');
    *slots[slot] = line.substr(start, tab - start);
    if (tab == line.size()) break;
    tabbed = true;
    start = tab + 1;
  }
  return tabbed && !fields.domain.empty();
}

unsigned CookieByte(char c) { return static_cast<unsigned char>(c); }

char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The Nut texts by their first character, and a skip table over blocks of two characters
// (one when a text is that short), so that one pass over a line finds every text in it while
// jumping over stretches where none can start: cookie values are long runs of few letters, where
// a search per text would keep stopping at its first character. Blocks are indexed by the low
// five bits of each character, which are the same in both cases of a letter; characters that
// share them only make a skip shorter.
struct CookieNutTable {
  std::vector<const std::string*> byFirst[kByteValues];
  std::vector<std::uint8_t> skip;
  std::size_t shortest = 0;  // 0: no text to look for
  std::size_t block = 0;
  std::vector<bool> titleLengths = std::vector<bool>(kCookieTitleMax + 1, false);
};

unsigned CookieFold(char c) { return CookieByte(c) % kFoldValues; }

std::size_t CookieBlock(const CookieNutTable& table, const char* end) {
  const unsigned last = CookieFold(*end);
  return table.block == 1 ? last : CookieFold(end[-1]) * kFoldValues + last;
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
  table.skip.assign(table.block == 1 ? kFoldValues : kFoldValues * kFoldValues,
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
  if (!CookieLineSplit(line, fields, kCookieNameField + 1)) return false;
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
  return CookieLineSplit(line, fields, kCookieFieldCount);
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

// Kept lines are copied in runs: most lines are kept, and one copy per line costs more than
// the matching.
std::string CookieFilterText(std::string_view text, const CookieNuts& nuts) {
  if (nuts.texts.empty()) return std::string(text);
  CookieNutTable table;
  CookieNutTableFill(table, nuts);
  std::string kept;
  kept.reserve(text.size());
  std::string title;
  std::size_t runStart = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t feed = CookieByteAt(text, at, '\n');
    const std::size_t end = feed == text.size() ? feed : feed + 1;
    if (CookieDropped(nuts, table, text.substr(at, feed - at), title)) {
      kept.append(text.substr(runStart, at - runStart));
      runStart = end;
    }
    at = end;
  }
  kept.append(text.substr(runStart));
  return kept;
}

bool CookieFilterAcceptable(std::string_view text) {
  if (text.size() > kNutTextMax) return false;
  if (text.find_first_of("\\/:") != std::string_view::npos) return false;
  return text.find_first_not_of(" \t\r\n") != std::string_view::npos;
}
