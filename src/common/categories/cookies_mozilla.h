// The Mozilla family's cookies file: listing it, writing it filtered beside itself
// ("cookiesnew.txt") and putting the filtered file in place once the browser is closed.
#pragma once

inline constexpr char kUpdateCookieFileValue[] = "UpdateCookieFile";
// The filter reads the whole file, so that nothing past the listing's limit is lost; a file
// larger than this is left alone.
inline constexpr unsigned kCookieFilterReadMax = 64u << 20;

// Lists the profile's cookies.txt, or (filter) writes cookiesnew.txt without the cookies the
// loaded Nuts drop and marks it for the monitor. The item count.
int MozillaEnumerate(bool filter);
// Writes UpdateCookieFile = "1" under the options, or deletes it.
void SetUpdateCookieFile(bool on);
// When a filtered file waits and no Mozilla window is open: filters the current cookies.txt
// with the current Nuts into cookiesnew.txt and copies that over cookies.txt. 1 when done.
int ReplaceMozillaCookieFile();
