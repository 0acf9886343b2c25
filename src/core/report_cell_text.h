// One field of the system report's tab-separated text form. Platform-free.
#pragma once
#include <string>
#include <string_view>

// The text with every TAB, CR and LF made a blank, so a field can neither open a column nor
// a line of its own.
std::string ReportTextCell(std::string_view text);
