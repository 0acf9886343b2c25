#include "lookup_text.h"

#include <algorithm>
#include <cstdio>

#include "text.h"

namespace {

constexpr std::size_t kKeySourceMax = 260;

struct KeyWord {
  std::string_view part;
  std::string_view key;
};
// Programs that share one page whatever their file is called; first match wins.
constexpr KeyWord kKeyWords[] = {
    {"ycomp", "ycomp"}, {"newdot", "newdot"}, {"trickler", "trickler"},
    {"%1_%*", "kvcommand"}, {"%1_s", "kvsaver"},
};

struct HelpPage {
  int commandId;
  std::string_view page;
};
constexpr HelpPage kHelpPages[] = {
    {6026, "startup.html"}, {6028, "cookies.html"},  {6029, "tasks.html"},
    {6033, "options.html"}, {6038, "services.html"}, {6039, "scheduler.html"},
    {6040, "bho.html"},     {6042, "filetype.html"}, {6051, "helpme.html"},
    {6052, "hidden.html"},  {6055, "delay.html"},    {6056, "activex.html"},
};
constexpr std::string_view kOtherHelpPage = "features.html";

bool NeedsEscape(unsigned char c) {
  return c < 0x20 || c > 0x7E || c == '"' || c == '#' || c == '%' || c == '<' || c == '>';
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool CannotBeInFileName(unsigned char c) {
  return c < 0x20 || c == '*' || c == '<' || c == '>' || c == '"' || c == '|';
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Position of the first of '-', '~', ',' and '.' after the first character, unless that
// character is the only kind present and sits at position 1.
std::size_t KeyCut(std::string_view key) {
  std::size_t smallest = std::string_view::npos;
  int kinds = 0;
  for (char separator : {'-', '~', ',', '.'}) {
    const std::size_t at = key.find(separator, 1);
    if (at == std::string_view::npos) continue;
    ++kinds;
    smallest = std::min(smallest, at);
  }
  if (kinds == 1 && smallest == 1) return std::string_view::npos;
  return smallest;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.find('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string Field(std::string_view key, std::string_view value) {
  return std::string(key) + LookupEncode(value);
}

std::string TypeField(int kind) {
  char text[32];
  std::snprintf(text, sizeof text, "&Type=%d", kind);
  return text;
}

std::string ProgramValue(const LookupRequest& request) {
  if (request.normalised.empty()) return LookupEncode(request.title);
  return LookupEncode(FileNameOf(request.normalised));
}

std::string ExtField(const LookupRequest& request) {
  return Field("&ext=", ExtensionOf(FileNameOf(request.normalised)));
}

std::string Address(std::string_view base, std::string_view script, const LookupRequest& request,
                     const std::string& query, std::size_t max) {
  std::string address(base);
  address += script;
  address += ProgramValue(request);
  address += LookupBound(query, kQueryMax);
  return LookupBound(address, max);
}

bool IsPlainCode(std::string_view code) {
  if (code.empty() || code.size() > 8) return false;
  return std::all_of(code.begin(), code.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  });
}

std::string AolProgram(std::string_view appPath) {
  if (appPath.empty()) return "waol.exe -u";
  std::string folder(appPath);
  folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
  if (folder.find(' ') == std::string::npos) return folder + "\\WAOL.EXE -u";
  return "\"" + folder + "\\WAOL.EXE\" -u";
}

}  // namespace

std::string LookupEncode(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ' ') {
      out += "%20";
    } else if (c == '&') {
      out += '+';
    } else if (NeedsEscape(byte)) {
      AppendPercentEscape(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::string LookupBound(std::string_view address, std::size_t max) {
  if (address.size() <= max) return std::string(address);
  std::string cut(address.substr(0, max));
  const std::size_t percent = cut.rfind('%');
  if (percent != std::string::npos && cut.size() - percent < 3) {
    const std::string_view tail = address.substr(percent + 1, 2);
    if (tail.size() == 2 && IsHexDigit(tail[0]) && IsHexDigit(tail[1])) cut.resize(percent);
  }
  return cut;
}

std::string LookupBase(std::string_view configured, std::string_view fallback) {
  const bool web = TextContainsNoCase(configured.substr(0, 7), "http://") ||
                   TextContainsNoCase(configured.substr(0, 8), "https://");
  const bool plain = std::none_of(configured.begin(), configured.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || NeedsEscape(byte);
  });
  if (!web || !plain || configured.size() >= kLookupBaseMax) return std::string(fallback);
  std::string base(configured);
  if (base.back() != '/') base += '/';
  return base;
}

std::string KnowledgeBaseKey(std::string_view path) {
  std::string key;
  for (char c : FileNameOf(path).substr(0, kKeySourceMax)) {
    if (c == '\\' || c == '/') continue;
    key += (c == ' ' || c == '?' || c == ':') ? '_' : LowerAscii(c);
  }
  const std::size_t cut = KeyCut(key);
  if (cut != std::string::npos) key.resize(cut);
  for (const KeyWord& word : kKeyWords) {
    if (key.find(word.part) != std::string::npos) {
      key = word.key;
      break;
    }
  }
  for (char& c : key)
    if (CannotBeInFileName(static_cast<unsigned char>(c))) c = '_';
  return key;
}

std::string_view ShortLookupLocation(int languageId) {
  if (languageId == 7) return "de";
  if (languageId == 12) return "fr";
  return "en";
}

std::string ShortLookupAddress(std::string_view base, const LookupRequest& request) {
  std::string query = Field("&vendor=", request.company) + Field("&version=", request.version) +
                      Field("&build=", request.build) + TypeField(request.kind) +
                      Field("&Loc=", request.location) + ExtField(request);
  return Address(base, "cgi-bin/veltinfo.pl?program=", request, query, kShortAddressMax);
}

std::string DetailedLookupAddress(std::string_view base, const LookupRequest& request) {
  std::string query = Field("&vendor=", request.company) + Field("&build=", request.build) +
                      TypeField(request.kind) + Field("&Loc=", request.location) +
                      ExtField(request) + Field("&version=", request.version) +
                      Field("&name=", request.product) + Field("&copy=", request.copyright) +
                      Field("&detail=", request.description) +
                      Field("&created=", request.created) +
                      Field("&detected=", request.detected) + Field("&fsize=", request.size) +
                      Field("&path=", request.pathAsFound);
  return Address(base, "cgi-bin/veltinfo12.pl?program=", request, query, kDetailedAddressMax);
}

std::string HelpPageName(std::string_view languageCode, int commandId) {
  std::string_view page = kOtherHelpPage;
  for (const HelpPage& row : kHelpPages)
    if (row.commandId == commandId) page = row.page;
  if (EqualsNoCase(languageCode, "us") || !IsPlainCode(languageCode)) return std::string(page);
  return std::string(languageCode) + "_" + std::string(page);
}

std::string AolInfoCommand(std::string_view appPath, std::string_view address) {
  return AolProgram(appPath) + std::string(address) + "\"";
}

std::string AolHelpCommand(std::string_view appPath, std::string_view address) {
  return AolProgram(appPath) + "\"" + std::string(address);
}

std::string CommandWithArgument(std::string_view program, std::string_view argument) {
  std::string path(program);
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  if (path.find(' ') != std::string::npos) path = "\"" + path + "\"";
  return path + " " + std::string(argument);
}

std::string InternetShortcutText(std::string_view address) {
  const std::size_t end = address.find_first_of(std::string_view("\r\n\0", 3));
  return "[InternetShortcut]\r\nURL=" + std::string(address.substr(0, end)) + "\r\n";
}
