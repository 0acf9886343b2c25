// Comma-separated fields as spreadsheets read them (RFC 4180), made safe to open: a field
// that a spreadsheet would take for a formula is turned into plain text. Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// A field starting with '=', '+', '-' or '@' gets a leading '\'' so that it shows as text.
std::string CsvDefused(std::string_view field);
// The defused field, in double quotes with inner quotes doubled when it holds ',', '"', CR
// or LF (or starts or ends with a blank, which some readers trim).
std::string CsvField(std::string_view field);
// The fields joined by ',' and ended with CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

// Reads one record from text at pos (quoted fields may span lines); pos moves past its line
// end. False when pos is at the end or a quoted field is never closed.
bool CsvReadRecord(std::string_view text, std::size_t& pos, std::vector<std::string>& fields);
