#include "records/note_file.h"

#include <windows.h>

#include <string>

#include "foundation/paths.h"
#include "paths_text.h"
#include "text.h"

namespace {

std::string NoteFileName(const char* command) {
  char program[kPathSize] = "";
  if (command == nullptr || NormaliseCommand(command, program, sizeof program) == 0) return {};
  const std::string_view path(program);
  const std::string_view name = path.substr(FileNameOffset(path));
  if (name.empty()) return {};
  return "note_" + std::string(name) + ".txt";
}

bool NoteFileIn(int (*folder)(char*, int), const std::string& name, char* out, int capacity) {
  char base[kPathSize] = "";
  if (folder(base, sizeof base) == 0) return false;
  std::string path(base);
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += name;
  CopyBounded(out, static_cast<std::size_t>(capacity), path);
  const DWORD attributes = GetFileAttributesA(out);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool NoteFileFind(const char* command, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return false;
  out[0] = '\0';
  const std::string name = NoteFileName(command);
  if (name.empty()) return false;
  if (NoteFileIn(ProgramFolder, name, out, capacity) || NoteFileIn(DataFolder, name, out, capacity))
    return true;
  out[0] = '\0';
  return false;
}

bool NoteFileNewPath(const char* command, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return false;
  out[0] = '\0';
  const std::string name = NoteFileName(command);
  if (name.empty()) return false;
  NoteFileIn(ProgramFolder, name, out, capacity);
  return out[0] != '\0';
}
