#include "point_text.h"

#include "text.h"

namespace {

constexpr std::size_t kListedCommandMax = 259;
constexpr std::size_t kApprovedSize = 12;
constexpr unsigned char kApprovedOn = 0x02;
constexpr unsigned char kApprovedOff = 0x03;

std::string_view PointTrim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::vector<std::string_view> PointPieces(std::string_view data, PointListKind kind) {
  std::vector<std::string_view> pieces;
  if (kind != PointListKind::kMultiString) data = data.substr(0, data.find('\0'));
  const char separator = kind == PointListKind::kCommaList ? ',' : '\0';
  if (kind == PointListKind::kSingle) {
    pieces.push_back(data);
    return pieces;
  }
  std::size_t start = 0;
  while (start <= data.size()) {
    const std::size_t end = data.find(separator, start);
    const std::size_t stop = end == std::string_view::npos ? data.size() : end;
    pieces.push_back(data.substr(start, stop - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return pieces;
}

std::string PointJoin(const std::vector<std::string_view>& items, PointListKind kind) {
  std::string out;
  for (std::string_view item : items) {
    if (kind == PointListKind::kCommaList && !out.empty()) out += ',';
    out.append(item.data(), item.size());
    if (kind == PointListKind::kMultiString) out += '\0';
  }
  if (kind == PointListKind::kMultiString) out += '\0';
  return out;
}

std::vector<std::string_view> PointKeptItems(std::string_view data, PointListKind kind) {
  std::vector<std::string_view> kept;
  for (std::string_view piece : PointPieces(data, kind)) {
    const std::string_view item = PointTrim(piece);
    if (!item.empty()) kept.push_back(item);
  }
  return kept;
}

std::string PointUnquoted(std::string_view text) {
  std::string plain;
  for (char c : PointTrim(text))
    if (c != '"') plain += c;
  return std::string(PointTrim(plain));
}

// Windows reads a multi-string only up to its first empty item, so the items after a gap are
// dormant: the value keeps every byte but the item taken out, lest a dormant item come alive.
std::string PointMultiStringWithout(std::string_view data, std::string_view item, bool& removed) {
  std::string out(data);
  for (std::size_t start = 0; start < out.size();) {
    const std::size_t end = out.find('\0', start);
    const std::size_t stop = end == std::string::npos ? out.size() : end;
    if (PointSameItem(std::string_view(out).substr(start, stop - start), item)) {
      out.erase(start, stop - start + (end == std::string::npos ? 0 : 1));
      removed = true;
      break;
    }
    start = stop + 1;
  }
  if (!removed) return out;
  // A whole multi-string ends in two zeros; an empty one is a single zero.
  if (out.empty() || out == std::string(1, '\0')) return std::string(1, '\0');
  while (out.size() < 2 || out.back() != '\0' || out[out.size() - 2] != '\0') out += '\0';
  return out;
}

}  // namespace

std::vector<std::string> PointItems(std::string_view data, PointListKind kind) {
  std::vector<std::string> items;
  for (std::string_view item : PointKeptItems(data, kind)) items.emplace_back(item);
  return items;
}

bool PointIsDefault(std::string_view item, const std::vector<std::string_view>& defaults) {
  for (std::string_view standard : defaults) {
    if (!standard.empty() && standard.back() == '*') {
      const std::string_view head = standard.substr(0, standard.size() - 1);
      if (item.size() >= head.size() && EqualsNoCase(item.substr(0, head.size()), head))
        return true;
    } else if (EqualsNoCase(item, standard)) {
      return true;
    }
  }
  return false;
}

bool PointSameItem(std::string_view storedText, std::string_view listedText) {
  const std::string storedPlain = PointUnquoted(storedText);
  const std::string listedPlain = PointUnquoted(listedText);
  const std::string_view stored = storedPlain;
  const std::string_view listed = listedPlain;
  if (listed.empty()) return false;
  if (EqualsNoCase(stored, listed)) return true;
  return listed.size() >= kListedCommandMax && stored.size() > listed.size() &&
         EqualsNoCase(stored.substr(0, listed.size()), listed);
}

std::string PointListWithout(std::string_view data, PointListKind kind, std::string_view item,
                             bool& removed) {
  removed = false;
  if (kind == PointListKind::kMultiString) return PointMultiStringWithout(data, item, removed);
  std::vector<std::string_view> kept;
  for (std::string_view piece : PointKeptItems(data, kind)) {
    if (!removed && PointSameItem(piece, item)) {
      removed = true;
      continue;
    }
    kept.push_back(piece);
  }
  return PointJoin(kept, kind);
}

std::string PointListWith(std::string_view data, PointListKind kind, std::string_view item) {
  std::vector<std::string_view> kept = PointKeptItems(data, kind);
  item = PointTrim(item);
  // An item holding the separator would read back as two.
  const char separator = kind == PointListKind::kCommaList ? ',' : '\0';
  if (item.find(separator) != std::string_view::npos) return PointJoin(kept, kind);
  bool held = false;
  for (std::string_view piece : kept) held = held || PointSameItem(piece, item);
  if (!held && !item.empty()) {
    if (kind == PointListKind::kSingle) kept.clear();
    kept.push_back(item);
  }
  return PointJoin(kept, kind);
}

bool PointApprovedDisabled(std::string_view data) {
  return !data.empty() && (static_cast<unsigned char>(data[0]) & 1u) != 0;
}

std::string PointApprovedData(bool disabled, unsigned long long fileTime) {
  std::string data(kApprovedSize, '\0');
  data[0] = static_cast<char>(disabled ? kApprovedOff : kApprovedOn);
  if (!disabled) return data;
  for (std::size_t i = 0; i < 8; ++i)
    data[4 + i] = static_cast<char>((fileTime >> (8 * i)) & 0xFFu);
  return data;
}

bool PointSameFolder(std::string_view a, std::string_view b) {
  while (!a.empty() && a.back() == '\\') a.remove_suffix(1);
  while (!b.empty() && b.back() == '\\') b.remove_suffix(1);
  return !a.empty() && EqualsNoCase(a, b);
}

std::string PointTitle(std::string_view item) {
  const std::string plain = PointUnquoted(item);
  std::string_view name = plain;
  const std::size_t slash = name.rfind('\\');
  if (slash != std::string_view::npos) name = name.substr(slash + 1);
  name = name.substr(0, name.find(' '));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}
