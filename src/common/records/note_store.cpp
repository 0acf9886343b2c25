#include "records/note_store.h"

#include <windows.h>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "paths_text.h"
#include "records/note_file.h"

namespace {

// A title becomes a file name: characters a file name cannot hold turn into '_'.
std::string NoteTitleName(const char* title) {
  std::string name = "note_";
  for (const char* c = title; c && *c && name.size() < 120; ++c)
    name += std::string_view("\\/:*?\"<>|").find(*c) == std::string_view::npos &&
                    static_cast<unsigned char>(*c) >= 32
                ? *c
                : '_';
  return name + ".txt";
}

std::string NoteInDataFolder(const std::string& name) {
  char folder[kPathSize] = "";
  if (DataFolder(folder, sizeof folder) == 0) return {};
  std::string path(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + name;
}

bool NoteFileThere(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool NoteFind(const char* command, const char* title, std::string& path) {
  char found[kPathSize] = "";
  if (NoteFileFind(command, found, sizeof found)) {
    path = found;
    return true;
  }
  char program[kPathSize] = "";
  NormaliseCommand(command ? command : "", program, sizeof program);
  if (program[0] != '\0' || title == nullptr || title[0] == '\0') return false;
  path = NoteInDataFolder(NoteTitleName(title));
  return !path.empty() && NoteFileThere(path);
}

std::string NoteNewPath(const char* command, const char* title) {
  char program[kPathSize] = "";
  NormaliseCommand(command ? command : "", program, sizeof program);
  const std::string_view file(program);
  const std::string_view name = file.substr(FileNameOffset(file));
  if (!name.empty()) return NoteInDataFolder("note_" + std::string(name) + ".txt");
  if (title == nullptr || title[0] == '\0') return {};
  return NoteInDataFolder(NoteTitleName(title));
}

bool NoteRead(const std::string& path, std::string& text) {
  text.clear();
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  text.resize(kNoteTextMax);
  DWORD read = 0;
  if (!ReadFile(file.get(), text.data(), kNoteTextMax, &read, nullptr)) {
    text.clear();
    return false;
  }
  text.resize(read);
  return true;
}

bool NoteWrite(const std::string& path, const std::string& text) {
  if (path.empty() || text.size() > static_cast<std::size_t>(kNoteTextMax)) return false;
  const std::size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos) CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  const std::string temporary = path + ".new";
  {
    Handle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      file.Reset();
      DeleteFileA(temporary.c_str());
      return false;
    }
  }
  if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileA(temporary.c_str());
  return false;
}
