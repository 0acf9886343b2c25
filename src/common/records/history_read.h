// Reading the history log back for the history dialog, and clearing it.
#pragma once
#include <string>
#include <vector>

#include "history_text.h"

// The log is never cut by the programs; past this size only its newest part is read.
inline constexpr unsigned long long kHistoryReadMax = 64ull << 20;

// The file's text from the first whole line within its last kHistoryReadMax bytes. False
// when the file is there but cannot be read; a missing file is an empty text.
bool HistoryReadText(std::string& text);
// Every whole line of the log, oldest first. False as HistoryReadText.
bool HistoryReadRecords(std::vector<HistoryRecord>& records);
// Deletes history.txt, its attributes cleared first. True when it is gone.
bool HistoryClear();
