// Task files: reading never fails, every text is bounded and valid UTF-8, the actions are
// bounded, and the same document reads alike in UTF-8 and in UTF-16 with its mark.
#include <string>

#include "fuzz_check.h"
#include "task_xml_text.h"

namespace {

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    i += length;
  }
  return true;
}

void CheckFacts(const TaskXmlFacts& facts) {
  KV_CHECK(facts.execs.size() <= kTaskXmlExecMax);
  for (const TaskXmlExec& exec : facts.execs) {
    KV_CHECK(exec.command.size() <= kTaskXmlTextMax);
    KV_CHECK(exec.arguments.size() <= kTaskXmlTextMax);
  }
  KV_CHECK(facts.author.size() <= kTaskXmlTextMax && facts.uri.size() <= kTaskXmlTextMax);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TaskXmlFacts facts = TaskXmlRead(bytes);
  CheckFacts(facts);
  std::string utf16 = "\xFF\xFE";
  const std::string text = TaskXmlUtf8(bytes);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE)
    KV_CHECK(ValidUtf8(text));
  if (text.empty()) return 0;
  // ASCII-only documents widened to UTF-16 must read the same.
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == 0) return 0;
    utf16 += c;
    utf16 += '\0';
  }
  const TaskXmlFacts wide = TaskXmlRead(utf16);
  KV_CHECK(wide.execs.size() == facts.execs.size());
  KV_CHECK(wide.wellFormed == facts.wellFormed);
  return 0;
}
