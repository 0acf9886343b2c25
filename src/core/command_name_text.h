// Where a command's program file name begins, so lists can show "tool.exe -min" instead of
// the folder. Platform-free.
#pragma once
#include <cstddef>
#include <string_view>

// Index of the character after the last backslash of the command's program part (the file
// up to its extension, as SplitCommand finds it), so backslashes in the parameters do not
// count; 0 when the program part has none.
std::size_t CommandFileNameOffset(std::string_view command);
