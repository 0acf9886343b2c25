// Rules for translated string overrides.
#pragma once
#include <string>
#include <string_view>

// Turns every "%n" into a line break, scanning left to right.
std::string ExpandLineBreaks(std::string_view text);
// True when the override's printf conversions are the built-in text's, in order, so the
// override can be used wherever the built-in one is a format string.
bool SameConversions(std::string_view builtIn, std::string_view override);
// Language number for a language code (string 634), 0 when none matches.
int LanguageNumberForCode(std::string_view code);
