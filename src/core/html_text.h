// Text put into the HTML report. Whatever comes from the system (titles, commands, company
// names, paths, values) goes through HtmlEscape, so a hostile title can neither open a tag nor
// leave an attribute. Platform-free.
#pragma once
#include <string>
#include <string_view>

// '&', '<', '>', '"' and '\'' become character references; control characters other than
// TAB, CR and LF (which a page shows as blanks) become blanks. Every other byte is copied, so
// a text in a multi-byte code page keeps its characters (no trail byte of those code pages is
// one of the five).
std::string HtmlEscape(std::string_view text);
// The name browsers know the ANSI code page by, for the page's charset declaration;
// "windows-1252" for a code page without a known name.
std::string_view HtmlCharsetName(unsigned codePage);
