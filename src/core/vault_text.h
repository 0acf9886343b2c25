// The name a hidden file's backup copy gets in the vault. Platform-free.
#pragma once
#include <string>
#include <string_view>

// The file's name, a dot and 16 hex digits taken from its full path (ignoring case), so that
// two files of one name in different folders keep apart; empty for a path without a name.
// The copy's name ends in digits, not in the file's own extension, so it opens nothing.
std::string VaultCopyName(std::string_view path);
