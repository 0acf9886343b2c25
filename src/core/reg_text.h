// Lines of a registry script ("Windows Registry Editor Version 5.00", 8-bit text) that the
// registry editor and "reg import" read back into the same values. Platform-free.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char kRegScriptHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";

// The platform's value types, as numbers.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegString = 1;
inline constexpr std::uint32_t kRegExpandString = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiString = 7;

struct RegValue {
  std::string name;  // empty: the key's default value
  std::uint32_t type = kRegString;
  std::string data;  // the raw bytes, as the registry holds them
};

// '\' and '"' escaped with a '\', for names and string data between quotes.
std::string RegQuoted(std::string_view text);
// "[root\path]" and CR LF.
std::string RegKeyLine(std::string_view root, std::string_view path);
// One value line with CR LF: "name" or @, '=', then "text" for a string whose bytes are text
// without CR, LF or NUL and one final NUL; dword:xxxxxxxx for a 4-byte REG_DWORD; hex: for
// REG_BINARY and hex(n): for every other type or shape, wrapped like the registry editor does.
std::string RegValueLine(const RegValue& value);

// Reads back one value line as RegValueLine writes it (continuation lines joined). Empty for
// a line that is not a value line.
std::optional<RegValue> RegParseValueLine(std::string_view line);
