#include "paths_text.h"

#include "text.h"

namespace {

// Paths live in 260-byte buffers.
constexpr std::size_t kPathLimit = 259;
// "\SystemRoot" and "%ProgramFiles%" are dropped by position, the folder put in their place.
constexpr std::size_t kSystemRootSkip = 11;
// Service image paths also use the environment form; dropping 11 characters of it would
// leave a stray '%' inside the path.
constexpr std::string_view kSystemRootVariable = "%SYSTEMROOT%";
constexpr std::size_t kProgramFilesSkip = 14;

struct Substituted {
  std::string text;
  std::size_t prefixLength = 0;  // folder characters in front of the command's remainder
  std::size_t skipped = 0;       // command characters the folder stands for
  bool substituted = false;
};

Substituted Substitute(std::string_view command, std::string_view windowsFolder,
                       std::string_view programFiles, bool withProgramFiles) {
  Substituted s;
  std::string_view folder;
  if (TextContainsNoCase(command, "SYSTEMROOT")) {
    folder = windowsFolder;
    const bool variable = command.size() >= kSystemRootVariable.size() &&
                          EqualsNoCase(command.substr(0, kSystemRootVariable.size()),
                                       kSystemRootVariable);
    s.skipped = variable ? kSystemRootVariable.size() : kSystemRootSkip;
    s.substituted = true;
  } else if (withProgramFiles && TextContainsNoCase(command, "%PROGRAMFILES%")) {
    folder = programFiles;
    s.skipped = kProgramFilesSkip;
    s.substituted = true;
  }
  if (!s.substituted) {
    s.text = command.substr(0, kPathLimit);
    return s;
  }
  if (s.skipped > command.size()) s.skipped = command.size();
  folder = folder.substr(0, kPathLimit);
  s.prefixLength = folder.size();
  s.text.reserve(kPathLimit);
  s.text.append(folder);
  s.text.append(command.substr(s.skipped, kPathLimit - folder.size()));
  return s;
}

struct FileScan {
  std::string upper;       // upper-case copy up to the end of the file name
  std::size_t start = 0;   // one before the last ':' of the copy
  std::size_t end = 0;     // characters of the scanned text taken into the copy
};

FileScan ScanFileName(std::string_view text, std::string_view stopLetters) {
  FileScan scan;
  const std::size_t n = text.size() < kPathLimit ? text.size() : kPathLimit;
  std::size_t stop = n;
  bool found = false;
  scan.upper.reserve(n);
  for (std::size_t i = 0; i < stop; ++i) {
    const char c = UpperAscii(text[i]);
    scan.upper.push_back(c);
    if (c == ':') scan.start = i > 0 ? i - 1 : 0;
    if (!found && c == '.' && i + 2 < n &&
        stopLetters.find(UpperAscii(text[i + 2])) != std::string_view::npos) {
      found = true;
      stop = i + 4 < n ? i + 4 : n;
    }
  }
  scan.end = stop;
  return scan;
}

}  // namespace

bool FileNamePart(std::string_view path, std::string& name) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) {
    name.clear();
    return false;
  }
  name.assign(path.substr(slash + 1));
  return true;
}

std::size_t FileNameOffset(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

bool Extension(std::string_view name, std::string& ext) {
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) {
    ext.clear();
    return false;
  }
  ext.assign(name.substr(dot + 1));
  return true;
}

std::string NormaliseCommandText(std::string_view command, std::string_view windowsFolder,
                                 std::string_view programFiles) {
  const Substituted work = Substitute(command, windowsFolder, programFiles, true);
  FileScan scan = ScanFileName(work.text, "XL");
  return scan.upper.substr(scan.start);
}

std::size_t SplitCommand(std::string_view command, std::string_view windowsFolder,
                         std::string& program, std::string& parameters) {
  const Substituted work = Substitute(command, windowsFolder, {}, false);
  const FileScan scan = ScanFileName(work.text, "XLP");
  program = scan.upper.substr(scan.start);
  // Parameters keep the caller's spelling, so the end of the file name is mapped back
  // from the substituted text into the command as handed in.
  std::size_t from = scan.end;
  if (work.substituted)
    from = scan.end <= work.prefixLength ? work.skipped : work.skipped + (scan.end - work.prefixLength);
  if (from > command.size()) from = command.size();
  parameters.assign(command.substr(from));
  return program.size();
}

std::size_t SplitCommand(std::string_view command, std::string& program, std::string& parameters) {
  return SplitCommand(command, {}, program, parameters);
}

int RundllTarget(std::string_view command, std::string& rest) {
  if (TextContainsNoCase(command, "RUNDLL32.EXE")) {
    for (std::size_t i = 0; i + 6 < command.size(); ++i) {
      if (UpperAscii(command[i]) == 'R' && UpperAscii(command[i + 2]) == 'N' &&
          UpperAscii(command[i + 4]) == 'L' && command[i + 6] == '3') {
        rest.assign(command.substr(i + 13 < command.size() ? i + 13 : command.size()));
        return 1;
      }
    }
  }
  rest.assign(command);
  return 0;
}
