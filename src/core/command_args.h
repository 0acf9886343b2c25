// Command-line words as Windows programs read them: blanks split words outside quotes, and
// backslashes are literal except before a quote. Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The words of a command line; a quote inside a word is written \" and a run of backslashes
// before a quote is halved.
std::vector<std::string> CommandArgsSplit(std::string_view line);
// One word, always quoted, that CommandArgsSplit reads back as exactly the given text.
std::string CommandArgQuote(std::string_view word);
