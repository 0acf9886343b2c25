// Bounded, case-insensitive text rules shared by both programs. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Copies text into out (capacity bytes, terminator included), silently truncating.
// Returns the number of characters copied. capacity 0 writes nothing.
std::size_t CopyBounded(char* out, std::size_t capacity, std::string_view text);
// Appends text to the terminated string in out, bounded the same way. Returns the new length.
std::size_t AppendBounded(char* out, std::size_t capacity, std::string_view text);

// True when part occurs in text ignoring ASCII case. False for a null argument, when part
// is longer than text, or when text is 773 characters or longer.
bool ContainsNoCase(const char* text, const char* part);
// The same test on counted texts.
bool TextContainsNoCase(std::string_view text, std::string_view part);
bool EqualsNoCase(std::string_view a, std::string_view b);
char UpperAscii(char c);
std::string UpperText(std::string_view text);
// Appends "%XX" with the byte in upper-case hex.
void AppendPercentEscape(std::string& out, unsigned char byte);

// The text from the first non-blank character.
std::string_view SkipBlanks(std::string_view text);
// Replaces every from by to; when to is '\0', removes every from instead. Works in place.
void ReplaceChar(char* text, char from, char to);

// Plain decimal conversion: optional blanks and sign, then leading digits; no digits gives 0.
// Saturates instead of overflowing.
int ParseDecimal(std::string_view text);
