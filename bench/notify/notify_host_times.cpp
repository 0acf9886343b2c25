#include "notify_host_times.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

// The host's accounting unit: 1/100 second on every Linux the bench runs on.
constexpr double kMsPerHostTick = 10.0;
constexpr char kHostProc[] = "Z:\\proc\\";
constexpr int kUserTimeField = 14;

bool NotifyUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string NotifyHostFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(file);
  return text;
}

std::string NotifyLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The host process whose command names the program and that runs in the bench's own prefix.
std::string NotifyHostProcess(const char* program) {
  char prefix[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  const std::string wanted = length > 0 && length < sizeof prefix
                                 ? std::string("WINEPREFIX=") + prefix + '\0'
                                 : std::string();
  const std::string name = NotifyLower(std::string("\\") + program);
  WIN32_FIND_DATAA entry = {};
  HANDLE find = FindFirstFileA((std::string(kHostProc) + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return "";
  std::string found;
  do {
    if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') continue;
    const std::string folder = std::string(kHostProc) + entry.cFileName;
    const std::string command = NotifyLower(NotifyHostFile(folder + "\\cmdline"));
    const std::string first = command.substr(0, command.find('\0'));
    if (first.size() < name.size() ||
        first.compare(first.size() - name.size(), name.size(), name) != 0)
      continue;
    if (!wanted.empty() && NotifyHostFile(folder + "\\environ").find(wanted) == std::string::npos)
      continue;
    found = folder;
  } while (found.empty() && FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

// utime and stime, the 14th and 15th fields; the name in parentheses may hold blanks.
double NotifyHostCpuMs(const std::string& folder) {
  const std::string stat = NotifyHostFile(folder + "\\stat");
  std::size_t at = stat.rfind(')');
  if (at == std::string::npos) return -1;
  int field = 2;
  const char* cursor = stat.c_str() + at + 1;
  while (*cursor && field < kUserTimeField - 1) {
    while (*cursor == ' ') ++cursor;
    while (*cursor && *cursor != ' ') ++cursor;
    ++field;
  }
  char* end = nullptr;
  const double user = std::strtod(cursor, &end);
  if (end == cursor) return -1;
  const double system = std::strtod(end, &end);
  return (user + system) * kMsPerHostTick;
}

}  // namespace

double NotifyProcessCpuMs(HANDLE process, const char* program) {
  if (NotifyUnderWine()) {
    const std::string host = NotifyHostProcess(program);
    return host.empty() ? -1 : NotifyHostCpuMs(host);
  }
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  const auto ms = [](const FILETIME& time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}
