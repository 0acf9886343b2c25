// Command-line rules: normalising, splitting, the rundll32 target, path parts, containment.
#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "paths_text.h"
#include "text.h"

namespace {

bool HasLowerAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Plain reference for the containment rule.
bool ReferenceContains(std::string_view text, std::string_view part) {
  if (text.size() >= 773 || part.size() > text.size()) return false;
  return UpperText(text).find(UpperText(part)) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view command = input.Piece();
  const std::string_view windowsFolder = input.Piece();
  const std::string_view programFiles = input.Piece();
  const bool systemRoot = TextContainsNoCase(command, "SYSTEMROOT");

  const std::string path = NormaliseCommandText(command, windowsFolder, programFiles);
  KV_CHECK(path.size() <= 259);
  KV_CHECK(!HasLowerAscii(path));
  if (!systemRoot && !TextContainsNoCase(command, "%PROGRAMFILES%"))
    KV_CHECK(UpperText(command.substr(0, 259)).find(path) != std::string::npos);

  std::string program, parameters;
  const std::size_t length = SplitCommand(command, windowsFolder, program, parameters);
  KV_CHECK(length == program.size() && length <= 259);
  KV_CHECK(!HasLowerAscii(program));
  KV_CHECK(EndsWith(command, parameters));
  if (!systemRoot) {
    // Without a folder put in, program and parameters are cut from the same text.
    const std::string_view head = command.substr(0, command.size() - parameters.size());
    KV_CHECK(EndsWith(UpperText(head), program));
  }

  std::string rest;
  const int viaRundll = RundllTarget(command, rest);
  KV_CHECK(EndsWith(command, rest));
  KV_CHECK(viaRundll == 1 || rest == command);
  KV_CHECK(viaRundll == 0 || ReferenceContains(command, "rundll32.exe"));

  std::string name, ext;
  const bool hasFolder = FileNamePart(command, name);
  KV_CHECK(EndsWith(command, name));
  KV_CHECK(hasFolder ? FileNameOffset(command) == command.size() - name.size()
                     : FileNameOffset(command) == 0 && name.empty());
  if (Extension(name, ext)) KV_CHECK(EndsWith(name, ext) && ext.size() < name.size());

  const std::string_view part = input.Rest();
  KV_CHECK(TextContainsNoCase(command, part) == ReferenceContains(command, part));
  if (command.find('\0') == std::string_view::npos && part.find('\0') == std::string_view::npos) {
    const std::string text(command), sought(part);
    KV_CHECK(ContainsNoCase(text.c_str(), sought.c_str()) == ReferenceContains(command, part));
  }
  return 0;
}
