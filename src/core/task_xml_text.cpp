#include "task_xml_text.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "text.h"

namespace {

constexpr std::size_t kDepthMax = 64;

void TaskXmlAppendUtf8(std::string& out, std::uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string TaskXmlFromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() / 2);
  auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const std::uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    TaskXmlAppendUtf8(out, code);
  }
  return out;
}

// A named or numeric reference at text[at] ('&'); its length, 0 when it is not one.
std::size_t TaskXmlEntity(std::string_view text, std::size_t at, std::string& out) {
  const std::size_t end = text.find(';', at);
  if (end == std::string_view::npos || end - at > 12) return 0;
  const std::string_view name = text.substr(at + 1, end - at - 1);
  static constexpr struct { const char* name; char c; } kNamed[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& named : kNamed)
    if (name == named.name) {
      out += named.c;
      return end - at + 1;
    }
  if (name.size() < 2 || name[0] != '#') return 0;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  std::uint32_t code = 0;
  std::size_t digits = 0;
  for (char c : name.substr(hex ? 2 : 1)) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0 || code > 0x10FFFF) return 0;
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    ++digits;
  }
  if (digits == 0) return 0;
  TaskXmlAppendUtf8(out, code);
  return end - at + 1;
}

std::string TaskXmlDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() < kTaskXmlTextMax; ++i) {
    const std::size_t used = text[i] == '&' ? TaskXmlEntity(text, i, out) : 0;
    if (used > 0)
      i += used - 1;
    else
      out += text[i];
  }
  if (out.size() > kTaskXmlTextMax) out.resize(kTaskXmlTextMax);
  return out;
}

std::string_view TaskXmlTrim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// The element's local name, without a namespace prefix.
std::string_view TaskXmlLocalName(std::string_view tag) {
  const std::size_t end = tag.find_first_of(" \t\r\n/>");
  std::string_view name = tag.substr(0, end);
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

struct TaskXmlReader {
  std::string_view xml;
  std::size_t at = 0;
  std::vector<std::string_view> path;
  std::string text;
  TaskXmlFacts facts;

  bool PathIs(std::initializer_list<std::string_view> tail) const {
    if (path.size() < tail.size()) return false;
    std::size_t i = path.size() - tail.size();
    for (std::string_view name : tail)
      if (path[i++] != name) return false;
    return true;
  }

  void Close() {
    const std::string value = TaskXmlDecode(TaskXmlTrim(text));
    if (PathIs({"Exec", "Command"}) && !facts.execs.empty())
      facts.execs.back().command = value;
    else if (PathIs({"Exec", "Arguments"}) && !facts.execs.empty())
      facts.execs.back().arguments = value;
    else if (PathIs({"Task", "Settings", "Enabled"}))
      facts.enabled = !EqualsNoCase(value, "false") && value != "0";
    else if (PathIs({"RegistrationInfo", "Author"}))
      facts.author = value;
    else if (PathIs({"RegistrationInfo", "Description"}))
      facts.description = value;
    else if (PathIs({"RegistrationInfo", "URI"}))
      facts.uri = value;
    path.pop_back();
    text.clear();
  }

  void Open(std::string_view name) {
    path.push_back(name);
    text.clear();
    if (PathIs({"Actions", "Exec"}) && facts.execs.size() < kTaskXmlExecMax)
      facts.execs.emplace_back();
  }

  // Skips past the end marker; false when the file ends first.
  bool SkipPast(std::string_view marker) {
    const std::size_t end = xml.find(marker, at);
    if (end == std::string_view::npos) return false;
    at = end + marker.size();
    return true;
  }

  // A tag at '<'; false when the document is broken here.
  bool Tag() {
    const std::string_view rest = xml.substr(at);
    if (rest.substr(0, 4) == "<!--") return SkipPast("-->");
    if (rest.substr(0, 9) == "<![CDATA[") {
      const std::size_t start = at + 9;
      if (!SkipPast("]]>")) return false;
      if (text.size() < kTaskXmlTextMax * 4) text.append(xml.substr(start, at - 3 - start));
      return true;
    }
    if (rest.substr(0, 2) == "<?") return SkipPast("?>");
    if (rest.substr(0, 2) == "<!") return SkipDeclaration();
    const std::size_t end = TagEnd();
    if (end == std::string_view::npos) return false;
    const std::string_view tag = xml.substr(at + 1, end - at - 1);
    at = end + 1;
    if (!tag.empty() && tag[0] == '/') {
      if (path.empty() || TaskXmlLocalName(tag.substr(1)) != path.back()) return false;
      Close();
      return true;
    }
    const std::string_view name = TaskXmlLocalName(tag);
    if (name.empty() || path.size() >= kDepthMax) return false;
    Open(name);
    if (tag.back() == '/') Close();
    return true;
  }

  // The '>' that ends the tag at 'at', outside quoted attribute values.
  std::size_t TagEnd() const {
    char quote = 0;
    for (std::size_t i = at + 1; i < xml.size(); ++i) {
      const char c = xml[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        return i;
      } else if (c == '<') {
        return std::string_view::npos;
      }
    }
    return std::string_view::npos;
  }

  // A document type with an internal subset: its declarations are skipped, never used.
  bool SkipDeclaration() {
    int depth = 0;
    for (std::size_t i = at; i < xml.size(); ++i) {
      if (xml[i] == '[') ++depth;
      if (xml[i] == ']') --depth;
      if (xml[i] == '>' && depth <= 0) {
        at = i + 1;
        return true;
      }
    }
    return false;
  }

  void Read() {
    bool seenRoot = false;
    while (at < xml.size()) {
      const std::size_t lt = xml.find('<', at);
      const std::size_t stop = lt == std::string_view::npos ? xml.size() : lt;
      if (!path.empty() && text.size() < kTaskXmlTextMax * 4)
        text.append(xml.substr(at, std::min(stop - at, kTaskXmlTextMax * 4 - text.size())));
      at = stop;
      if (lt == std::string_view::npos) break;
      if (!Tag()) return;
      seenRoot = seenRoot || !path.empty();
      if (seenRoot && path.empty()) {
        facts.wellFormed = true;
        return;
      }
    }
  }
};

}  // namespace

std::string TaskXmlUtf8(std::string_view bytes) {
  const auto b0 = bytes.size() > 0 ? static_cast<unsigned char>(bytes[0]) : 0u;
  const auto b1 = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0u;
  if (b0 == 0xFF && b1 == 0xFE) return TaskXmlFromUtf16(bytes.substr(2), false);
  if (b0 == 0xFE && b1 == 0xFF) return TaskXmlFromUtf16(bytes.substr(2), true);
  // Without a mark, a '<' followed by a zero byte is UTF-16 all the same.
  if (b0 == '<' && bytes.size() > 1 && b1 == 0) return TaskXmlFromUtf16(bytes, false);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  return std::string(bytes);
}

TaskXmlFacts TaskXmlRead(std::string_view bytes) {
  if (bytes.size() > kTaskXmlBytesMax) return {};
  const std::string xml = TaskXmlUtf8(bytes);
  TaskXmlReader reader;
  reader.xml = xml;
  reader.Read();
  return std::move(reader.facts);
}

std::string TaskXmlCommandLine(const TaskXmlExec& exec) {
  std::string line = exec.command;
  if (line.find(' ') != std::string::npos && !line.empty() && line[0] != '"')
    line = '"' + line + '"';
  if (!exec.arguments.empty()) line += ' ' + exec.arguments;
  return line;
}
