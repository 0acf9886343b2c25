#include "startup/own_entry.h"

#include <string>
#include <string_view>

#include "foundation/paths.h"
#include "text.h"

namespace {

inline constexpr const char* kOwnPrograms[] = {"korvane.exe", "korvaneex.exe"};

// The program part of a command, without quotes: up to and including ".exe".
std::string OwnEntryProgram(const char* command) {
  std::string plain;
  for (const char* c = command; *c; ++c)
    if (*c != '"') plain += *c;
  std::string lower = plain;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  const std::size_t end = lower.find(".exe");
  if (end == std::string::npos) return {};
  const std::size_t after = end + 4;
  if (after < plain.size() && plain[after] != ' ') return {};
  return plain.substr(0, after);
}

bool OwnEntryFolder(std::string_view folder) {
  if (folder.empty()) return true;
  char own[kPathSize] = "";
  if (ProgramFolder(own, sizeof own) == 0) return false;
  return EqualsNoCase(folder, own);
}

}  // namespace

bool OwnEntryCommand(const char* command) {
  if (command == nullptr) return false;
  const std::string program = OwnEntryProgram(command);
  const std::size_t slash = program.find_last_of('\\');
  const std::string_view file =
      slash == std::string::npos ? std::string_view(program)
                                 : std::string_view(program).substr(slash + 1);
  const std::string_view folder =
      slash == std::string::npos ? std::string_view() : std::string_view(program).substr(0, slash);
  for (const char* own : kOwnPrograms)
    if (EqualsNoCase(file, own)) return OwnEntryFolder(folder);
  return false;
}
