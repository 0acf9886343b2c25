// Text rules of the startup enumeration: Winlogon values, list splitting, titles, file kinds.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The program Winlogon's Userinit value starts besides its own: the text after the first ','
// with leading blanks skipped, or the value without a ',' that ends it. 1 when there is one.
int UserinitExtraText(std::string_view value, std::string& out);
// The same for the Shell value, split at the first blank; without a blank the whole value.
int ShellExtraText(std::string_view value, std::string& out);

// The non-empty pieces of text between any of the separator characters.
std::vector<std::string_view> SplitItems(std::string_view text, std::string_view separators);

// A title made from a command: its file name without the last four characters.
std::string TitleFromCommand(std::string_view command);

enum class StartupFileKind { kShortcut, kProgram, kSettings, kOther };
// Told by the last three characters of the name, ignoring case.
StartupFileKind StartupFileKindOf(std::string_view name);
