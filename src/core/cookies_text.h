// The Mozilla-family cookies file ("cookies.txt"): its lines and fields, cookie titles, and the
// filter that drops unwanted cookies while every other byte of the file stays. Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Bytes of the file read for listing.
inline constexpr std::size_t kCookieFileListMax = 268288;
inline constexpr std::size_t kCookieTitleMax = 127;
inline constexpr std::size_t kNutTextMax = 511;

struct CookieFields {
  std::string_view domain, subdomains, path, secure, expiry, name, value;
};

// The fields of one line (given without its line feed; a carriage return before it belongs
// to no field). False for what is no cookie: comment lines, lines without a tab, lines with
// an empty domain.
bool CookieLineFields(std::string_view line, CookieFields& fields);
// "%s - %s" of the domain without one leading "." and the name, cut at 127 characters.
std::string CookieTitle(const CookieFields& fields);
// Leading decimal digits as seconds, saturating; none give 0.
std::int64_t CookieExpirySeconds(std::string_view expiry);
bool CookieSecure(std::string_view secure);

// Calls visit(line) for each line in order, without its line feed.
template <class Visit>
void CookieForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    visit(text.substr(0, end));
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + 1);
  }
}

// Whether the user may add text as a cookie filter: it must hold something besides blanks,
// and no path separator or drive colon, which occur in every cookie's place and line, so
// such a filter would remove every cookie at once.
bool CookieFilterAcceptable(std::string_view text);

// The Nuts prepared for matching: upper-cased, empty texts left out (an empty text would
// match every cookie).
struct CookieNuts {
  std::vector<std::string> texts;
  std::unordered_set<std::string> titles;
};
void CookieNutsAdd(CookieNuts& nuts, std::string_view text);
// True when a Nut text occurs anywhere in text, ignoring case.
bool CookieNutMatches(const CookieNuts& nuts, std::string_view text);
// True when a Nut text equals title, ignoring case.
bool CookieNutNamed(const CookieNuts& nuts, std::string_view title);
// True when the line is a cookie that a Nut text occurs in or a Nut names by its title.
bool CookieLineDropped(const CookieNuts& nuts, std::string_view line);
// The file without its dropped cookie lines; every other byte stays in its place.
std::string CookieFilterText(std::string_view text, const CookieNuts& nuts);
