// Text put into the JSON report. Platform-free.
#pragma once
#include <string>
#include <string_view>

// The text as a JSON string literal, quotes included: '"', '\\' and every control character
// are escaped, and bytes that do not form valid UTF-8 (stray continuation bytes, overlong
// forms, surrogates, code points above U+10FFFF, cut sequences) become U+FFFD one byte at a
// time, so the document stays valid whatever the system held. Valid UTF-8 is kept as it is.
std::string JsonQuote(std::string_view utf8);
