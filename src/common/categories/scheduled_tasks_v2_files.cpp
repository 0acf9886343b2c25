#include "categories/scheduled_tasks_v2_files.h"

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "foundation/handles.h"

namespace {

constexpr int kFolderDepthMax = 16;

std::string TaskV2FromUtf8(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                        nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
  return TaskV2Ansi(wide.c_str());
}

// The whole file, or nothing when it is larger than a task file can be.
bool TaskV2ReadFile(const std::string& path, std::string& bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) ||
      size.QuadPart > static_cast<LONGLONG>(kTaskXmlBytesMax))
    return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return false;
  bytes.resize(read);
  return true;
}

struct TaskV2Search {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~TaskV2Search() {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};

TaskV2 TaskV2FromFile(const std::string& folder, const std::string& relative) {
  TaskV2 task;
  task.path = relative;
  task.file = folder + relative;
  std::string bytes;
  if (TaskV2ReadFile(task.file, bytes)) TaskV2Describe(TaskXmlRead(bytes), task);
  return task;
}

// Every entry but "." and "..": a folder named with a leading dot holds tasks all the same.
// Linked folders are not entered, so a loop cannot keep the walk going.
void TaskV2WalkFiles(const std::string& folder, const std::string& relative, int depth,
                     std::vector<TaskV2>& tasks) {
  WIN32_FIND_DATAA found{};
  TaskV2Search search;
  search.h = FindFirstFileA((folder + relative + "\\*").c_str(), &found);
  if (search.h == INVALID_HANDLE_VALUE) return;
  do {
    found.cFileName[MAX_PATH - 1] = '\0';
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative + "\\" + name;
    const DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
      tasks.push_back(TaskV2FromFile(folder, path));
    else if (depth < kFolderDepthMax && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      TaskV2WalkFiles(folder, path, depth + 1, tasks);
  } while (FindNextFileA(search.h, &found));
}

}  // namespace

std::string TaskV2Ansi(const wchar_t* wide) {
  if (wide == nullptr || wide[0] == L'\0') return {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(bytes - 1));
  return text;
}

std::wstring TaskV2WideOfUtf8(const std::string& utf8) {
  if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
  return wide;
}

std::wstring TaskV2Wide(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), units);
  wide.resize(static_cast<std::size_t>(units - 1));
  return wide;
}

void TaskV2Describe(const TaskXmlFacts& facts, TaskV2& task) {
  if (!facts.execs.empty()) task.command = TaskV2FromUtf8(TaskXmlCommandLine(facts.execs[0]));
  task.author = TaskV2FromUtf8(facts.author);
  task.enabled = facts.enabled;
}

std::string TasksV2Folder() {
  char system[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(system) + "\\Tasks";
}

std::vector<TaskV2> TaskV2FromFiles(const std::string& folder) {
  std::vector<TaskV2> tasks;
  if (!folder.empty()) TaskV2WalkFiles(folder, "", 0, tasks);
  return tasks;
}

bool TaskV2KeepCopy(const std::string& file, const std::string& vault) {
  const std::size_t slash = vault.rfind('\\');
  if (slash != std::string::npos) CreateDirectoryA(vault.substr(0, slash).c_str(), nullptr);
  return CopyFileA(file.c_str(), vault.c_str(), FALSE) != 0;
}
