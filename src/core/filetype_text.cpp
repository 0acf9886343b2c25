#include "filetype_text.h"

#include "text.h"

namespace {

constexpr std::string_view kRundllName = "RUNDLL32";
constexpr std::string_view kRundllProgram = "RUNDLL32.EXE";
// The hosted DLL starts one separator after "RUNDLL32.EXE".
constexpr std::size_t kRundllSkip = 13;
constexpr std::string_view kExecutableCommands[] = {"%1 %*", "%1 /S"};

std::size_t FindNoCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return std::string_view::npos;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
    if (EqualsNoCase(text.substr(at, part.size()), part)) return at;
  return std::string_view::npos;
}

std::vector<std::string_view> Pieces(std::string_view list) {
  std::vector<std::string_view> pieces;
  while (!list.empty()) {
    const std::size_t cut = list.find(';');
    const std::string_view piece = list.substr(0, cut);
    if (!piece.empty()) pieces.push_back(piece);
    if (cut == std::string_view::npos) break;
    list.remove_prefix(cut + 1);
  }
  return pieces;
}

std::string_view AfterLastBackslash(std::string_view text) {
  const std::size_t at = text.rfind('\\');
  return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

std::string FileTypeDotted(std::string_view ext) {
  std::string dotted(1, '.');
  dotted.append(FileTypeEntry(ext));
  return dotted;
}

std::string_view FileTypeEntry(std::string_view ext) {
  if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
  return ext;
}

std::vector<std::string> FileTypeListExtensions(std::string_view list) {
  std::vector<std::string> extensions;
  for (std::string_view piece : Pieces(list))
    if (!FileTypeEntry(piece).empty())
      extensions.push_back(FileTypeDotted(piece.substr(0, kFileTypeEntryMax)));
  return extensions;
}

int FileTypeAddCheck(std::string_view list, std::string_view entry) {
  if (list.size() + entry.size() > static_cast<std::size_t>(kFileTypeListMax))
    return kFileTypeListFull;
  if (entry.empty() || entry.find(';') != std::string_view::npos) return kFileTypeAlreadyWatched;
  for (std::string_view piece : Pieces(list))
    if (EqualsNoCase(piece, entry)) return kFileTypeAlreadyWatched;
  return 0;
}

std::string FileTypeListAppend(std::string_view list, std::string_view entry) {
  std::string grown(list);
  if (!grown.empty() && grown.back() != ';') grown.push_back(';');
  grown.append(entry);
  grown.push_back(';');
  return grown;
}

std::string FileTypeListRemove(std::string_view list, std::string_view entry) {
  std::string kept;
  for (std::string_view piece : Pieces(list)) {
    if (EqualsNoCase(piece, entry)) continue;
    kept.append(piece);
    kept.push_back(';');
  }
  return kept;
}

bool FileTypeCommandsDiffer(std::string_view stored, std::string_view live) {
  const std::string a = FileTypeUnquoted(stored), b = FileTypeUnquoted(live);
  return !EqualsNoCase(AfterLastBackslash(a), AfterLastBackslash(b));
}

std::string FileTypeUnquoted(std::string_view command) {
  std::string out;
  for (char c : command)
    if (c != '"') out.push_back(c);
  return out;
}

int FileTypeProgramString(std::string_view command) {
  for (std::string_view executable : kExecutableCommands)
    if (EqualsNoCase(command, executable)) return kFileTypeExecutableString;
  return command.empty() ? kFileTypeNoProgramString : 0;
}

std::string FileTypeProgramText(std::string_view command) {
  if (FindNoCase(command, kRundllProgram) == std::string_view::npos) return std::string(command);
  const std::size_t start = FindNoCase(command, kRundllName) + kRundllSkip;
  return start < command.size() ? std::string(command.substr(start)) : std::string();
}

bool FileTypeSplitIcon(std::string_view value, std::string& file, int& index) {
  const std::size_t comma = value.rfind(',');
  if (comma == std::string_view::npos) {
    file.clear();
    index = 0;
    return false;
  }
  file.assign(value.substr(0, comma));
  index = ParseDecimal(value.substr(comma + 1));
  return true;
}
