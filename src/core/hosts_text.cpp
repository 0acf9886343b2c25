#include "hosts_text.h"

#include "text.h"

namespace {

constexpr std::size_t kShortestLogged = 5;
constexpr std::size_t kLongestLogged = 499;

// Dotted IPv4 with four decimal parts of at most three digits each, each up to 255.
bool ParseIpv4(std::string_view text, unsigned parts[4]) {
  for (int i = 0; i < 4; ++i) {
    std::size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 4) {
      value = value * 10 + static_cast<unsigned>(text[digits] - '0');
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return false;
    parts[i] = value;
    text.remove_prefix(digits);
    if (i < 3) {
      if (text.empty() || text.front() != '.') return false;
      text.remove_prefix(1);
    }
  }
  return text.empty();
}

bool Ipv4IsLocal(std::string_view text) {
  unsigned parts[4];
  if (!ParseIpv4(text, parts)) return false;
  if (parts[0] == 127) return true;
  return parts[0] == 0 && parts[1] == 0 && parts[2] == 0 && parts[3] == 0;
}

// The sixteen bytes of an IPv6 address in any of its written forms; false when it is none.
bool ParseIpv6(std::string_view text, unsigned char out[16]) {
  unsigned short groups[8] = {};
  int count = 0, gap = -1;
  if (text.starts_with("::")) {
    gap = 0;
    text.remove_prefix(2);
  }
  while (!text.empty()) {
    const std::size_t end = text.find(':');
    const std::string_view group = text.substr(0, end);
    unsigned v4[4];
    if (end == std::string_view::npos && group.find('.') != std::string_view::npos) {
      if (count > 6 || !ParseIpv4(group, v4)) return false;
      groups[count++] = static_cast<unsigned short>(v4[0] << 8 | v4[1]);
      groups[count++] = static_cast<unsigned short>(v4[2] << 8 | v4[3]);
      text = {};
      break;
    }
    if (group.empty() || group.size() > 4 || count == 8) return false;
    unsigned value = 0;
    for (char c : group) {
      const char lower = static_cast<char>(c | 0x20);
      if (c >= '0' && c <= '9') value = value * 16 + static_cast<unsigned>(c - '0');
      else if (lower >= 'a' && lower <= 'f') value = value * 16 + static_cast<unsigned>(lower - 'a' + 10);
      else return false;
    }
    groups[count++] = static_cast<unsigned short>(value);
    if (end == std::string_view::npos) {
      text = {};
    } else if (text.substr(end).starts_with("::")) {
      if (gap >= 0) return false;
      gap = count;
      text.remove_prefix(end + 2);
    } else {
      text.remove_prefix(end + 1);
      if (text.empty()) return false;
    }
  }
  if ((gap < 0 && count != 8) || (gap >= 0 && count > 7)) return false;
  unsigned short full[8] = {};
  const int tail = gap < 0 ? 0 : count - gap;
  for (int i = 0; i < count - tail; ++i) full[i] = groups[i];
  for (int i = 0; i < tail; ++i) full[8 - tail + i] = groups[gap + i];
  for (int i = 0; i < 8; ++i) {
    out[2 * i] = static_cast<unsigned char>(full[i] >> 8);
    out[2 * i + 1] = static_cast<unsigned char>(full[i] & 0xFF);
  }
  return true;
}

bool Ipv6IsLocal(std::string_view text) {
  const std::size_t zone = text.find('%');
  unsigned char bytes[16];
  if (!ParseIpv6(text.substr(0, zone), bytes)) return false;
  bool zeroHead = true;
  for (int i = 0; i < 10; ++i) zeroHead = zeroHead && bytes[i] == 0;
  const bool zeroTo15 = zeroHead && bytes[10] == 0 && bytes[11] == 0 && bytes[12] == 0 &&
                        bytes[13] == 0 && bytes[14] == 0;
  if (zeroTo15 && (bytes[15] == 0 || bytes[15] == 1)) return true;  // :: and ::1
  if (zeroHead && bytes[10] == 0xFF && bytes[11] == 0xFF)             // IPv4-mapped
    return bytes[12] == 127 || (bytes[12] == 0 && bytes[13] == 0 && bytes[14] == 0 && bytes[15] == 0);
  // fe80::1%lo0, the loopback some systems name on its link.
  return zone != std::string_view::npos && bytes[0] == 0xFE && (bytes[1] & 0xC0) == 0x80;
}

std::string_view FirstWord(std::string_view text) {
  text = SkipBlanks(text);
  return text.substr(0, text.find(' '));
}

}  // namespace

bool HostsAddressIsLocal(std::string_view address) {
  if (address == "0") return true;
  return Ipv4IsLocal(address) || Ipv6IsLocal(address);
}

std::string HostsLineShown(std::string_view line) {
  std::string shown;
  shown.reserve(line.size());
  for (char c : line) {
    if (c == '\t') shown += ' ';
    else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) shown += c;
  }
  return shown;
}

bool HostsLineLogged(std::string_view shown) {
  if (shown.size() < kShortestLogged || shown.size() > kLongestLogged) return false;
  const std::string_view text = SkipBlanks(shown);
  if (text.empty() || text.front() == '#') return false;
  return !HostsAddressIsLocal(FirstWord(text));
}

std::vector<std::string> HostsLoggedLines(std::string_view file) {
  std::vector<std::string> lines;
  while (!file.empty()) {
    const std::size_t end = file.find('\n');
    std::string shown = HostsLineShown(file.substr(0, end));
    if (HostsLineLogged(shown)) lines.push_back(std::move(shown));
    file = end == std::string_view::npos ? std::string_view() : file.substr(end + 1);
  }
  return lines;
}
