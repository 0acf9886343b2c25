#include "reg_text.h"

#include <cstdio>

namespace {

constexpr std::size_t kHexLineWidth = 76;

bool IsPlainString(const RegValue& value) {
  if (value.type != kRegString || value.data.empty() || value.data.back() != '\0') return false;
  const std::string_view text(value.data.data(), value.data.size() - 1);
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string HexTag(std::uint32_t type) {
  if (type == kRegBinary) return "hex:";
  char tag[24];
  std::snprintf(tag, sizeof tag, "hex(%x):", static_cast<unsigned>(type));
  return tag;
}

// Comma-separated byte pairs, broken with ",\" and two blanks before a line grows too long.
std::string HexBytes(std::string_view data, std::size_t column) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
    column += 2;
    if (i + 1 == data.size()) break;
    out += ',';
    ++column;
    if (column >= kHexLineWidth) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
  return out;
}

std::uint32_t DwordOf(std::string_view data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4; ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  return number;
}

// A quoted text from the opening quote at pos; pos ends past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (c == '\\') {
      if (++pos == line.size()) return std::nullopt;
      c = line[pos];
    }
    text += c;
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Byte pairs separated by ',', with "\" CR LF and blanks between lines.
std::optional<std::string> ReadHexBytes(std::string_view text) {
  std::string data;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == ',' || c == ' ' || c == '\r' || c == '\n' || c == '\\') {
      ++pos;
      continue;
    }
    if (pos + 1 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[pos]), low = HexDigit(text[pos + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    data += static_cast<char>(high * 16 + low);
    pos += 2;
  }
  return data;
}

std::optional<std::uint32_t> ReadHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return number;
}

bool ReadData(std::string_view text, RegValue& value) {
  std::size_t pos = 0;
  if (!text.empty() && text[0] == '"') {
    auto data = ReadQuoted(text, pos);
    if (!data || pos != text.size()) return false;
    value.type = kRegString;
    value.data = *data + '\0';
    return true;
  }
  if (text.starts_with("dword:")) {
    auto number = ReadHexNumber(text.substr(6));
    if (!number) return false;
    value.type = kRegDword;
    value.data.clear();
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>((*number >> (8 * i)) & 0xFF);
    return true;
  }
  if (text.starts_with("hex:")) {
    value.type = kRegBinary;
    pos = 4;
  } else if (text.starts_with("hex(")) {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos) return false;
    auto type = ReadHexNumber(text.substr(4, close - 4));
    if (!type) return false;
    value.type = *type;
    pos = close + 2;
  } else {
    return false;
  }
  auto data = ReadHexBytes(text.substr(pos));
  if (!data) return false;
  value.data = std::move(*data);
  return true;
}

}  // namespace

std::string RegQuoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string RegKeyLine(std::string_view root, std::string_view path) {
  std::string line = "[";
  line.append(root);
  if (!path.empty()) line.append("\\").append(path);
  return line + "]\r\n";
}

std::string RegValueLine(const RegValue& value) {
  std::string line;
  if (value.name.empty()) {
    line = "@=";
  } else {
    line.append("\"").append(RegQuoted(value.name)).append("\"=");
  }
  if (IsPlainString(value)) {
    line.append("\"")
        .append(RegQuoted(std::string_view(value.data.data(), value.data.size() - 1)))
        .append("\"");
  } else if (value.type == kRegDword && value.data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(DwordOf(value.data)));
    line += number;
  } else {
    line += HexTag(value.type);
    line += HexBytes(value.data, line.size());
  }
  return line + "\r\n";
}

std::optional<RegValue> RegParseValueLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  RegValue value;
  std::size_t pos = 0;
  if (line.starts_with("@=")) {
    pos = 1;
  } else {
    auto name = ReadQuoted(line, pos);
    if (!name || name->empty()) return std::nullopt;
    value.name = std::move(*name);
  }
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  if (!ReadData(line.substr(pos + 1), value)) return std::nullopt;
  return value;
}
