// The cookie lines a filter takes out of a Mozilla-family cookies file, and how they are put
// back into the file as it is later, or taken out of it again. Platform-free.
#pragma once
#include <string>
#include <string_view>

#include "cookies_text.h"

// The lines CookieFilterText drops, in file order, each ended by a line feed.
std::string CookieLinesDropped(std::string_view text, const CookieNuts& nuts);
// The file with every line of lines that it does not hold yet added at its end (a line feed
// first where its last line has none). Lines are told apart without a carriage return that
// ends them, and blank lines are not added.
std::string CookieLinesAdded(std::string_view text, std::string_view lines);
// The file without any line that equals one of lines (told apart the same way); every other
// byte stays.
std::string CookieLinesRemoved(std::string_view text, std::string_view lines);
