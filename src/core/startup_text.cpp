#include "startup_text.h"

#include "text.h"

namespace {

constexpr std::size_t kTitleCut = 4;
constexpr std::size_t kKindLength = 3;

// Common rule of both Winlogon values: split at the first separator; a separator at the end
// is dropped, otherwise what follows it counts with leading blanks skipped.
bool ExtraAfter(std::string_view value, char separator, std::string& out) {
  const std::size_t at = value.find(separator);
  if (at == std::string_view::npos) {
    out.assign(value);
    return false;
  }
  if (at + 1 == value.size())
    out.assign(value.substr(0, at));
  else
    out.assign(SkipBlanks(value.substr(at + 1)));
  return true;
}

}  // namespace

int UserinitExtraText(std::string_view value, std::string& out) {
  return ExtraAfter(value, ',', out) && !out.empty() ? 1 : 0;
}

int ShellExtraText(std::string_view value, std::string& out) {
  ExtraAfter(value, ' ', out);
  return out.empty() ? 0 : 1;
}

std::vector<std::string_view> SplitItems(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(separators, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) items.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

std::string TitleFromCommand(std::string_view command) {
  const std::size_t slash = command.rfind('\\');
  const std::string_view name =
      slash == std::string_view::npos ? command : command.substr(slash + 1);
  if (name.size() <= kTitleCut) return {};
  return std::string(name.substr(0, name.size() - kTitleCut));
}

StartupFileKind StartupFileKindOf(std::string_view name) {
  if (name.size() < kKindLength) return StartupFileKind::kOther;
  const std::string_view kind = name.substr(name.size() - kKindLength);
  if (EqualsNoCase(kind, "lnk")) return StartupFileKind::kShortcut;
  if (EqualsNoCase(kind, "exe")) return StartupFileKind::kProgram;
  if (EqualsNoCase(kind, "ini")) return StartupFileKind::kSettings;
  return StartupFileKind::kOther;
}
