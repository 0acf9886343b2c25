#include "categories/cookies_folders.h"

#include <windows.h>

#include <string>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr std::size_t kCandidateMin = 3;
constexpr std::size_t kCandidateMax = 250;
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kIndexFile[] = "index.dat";
constexpr char kFirefoxProfiles[] = "\\Mozilla\\FireFox\\Profiles\\";
constexpr char kNetscapeProfiles[] = "\\Mozilla\\Profiles\\default\\";
constexpr char kCookieFolderNotFound[] = "Cookie Folder Not Found";

std::string CookiesReadUser(const char* subkey, const char* value) {
  char text[kPathSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, subkey, value, text, sizeof text);
  return text;
}

std::string CookiesWindowsCookies() {
  char windows[MAX_PATH + 1] = "";
  const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return {};
  return std::string(windows) + "\\Cookies";
}

bool CookiesIsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CookiesIECandidate(std::string candidate, char* folder, int capacity) {
  if (candidate.size() < kCandidateMin || candidate.size() > kCandidateMax) return false;
  if (candidate.back() != '\\') candidate += '\\';
  if (!CookiesIsFile(candidate + kIndexFile)) return false;
  CopyBounded(folder, static_cast<std::size_t>(capacity), candidate);
  return true;
}

// The first entry of folder matching pattern that accept takes; empty when none. listed
// tells whether the folder had any entry at all.
template <class Accept>
std::string CookiesFirstEntry(const std::string& folder, const char* pattern, Accept accept,
                              bool* listed = nullptr) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
  if (listed) *listed = search != INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string name;
  do {
    if (accept(found)) name = found.cFileName;
  } while (name.empty() && FindNextFileA(search, &found));
  FindClose(search);
  return name;
}

bool CookiesAnyEntry(const WIN32_FIND_DATAA&) { return true; }

bool CookiesProfileDirectory(const WIN32_FIND_DATAA& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && found.cFileName[0] != '.';
}

std::string CookiesFirefoxProfile(const std::string& appData) {
  const std::string profiles = appData + kFirefoxProfiles;
  std::string answer;
  const std::string firstDefault = CookiesFirstEntry(profiles, "*.default", CookiesAnyEntry);
  if (!firstDefault.empty()) answer = profiles + firstDefault;
  const std::string defaultFirst = CookiesFirstEntry(profiles, "default.*", CookiesAnyEntry);
  if (!defaultFirst.empty()) answer = profiles + defaultFirst;
  return answer;
}

// An empty Netscape folder answers "none" even when a Firefox profile was found.
std::string CookiesNetscapeProfile(const std::string& appData, std::string answer) {
  const std::string profiles = appData + kNetscapeProfiles;
  bool listed = false;
  const std::string name = CookiesFirstEntry(profiles, "*.*", CookiesProfileDirectory, &listed);
  if (!listed) return {};
  return name.empty() ? answer : profiles + name;
}

// A profile path that does not fit is no profile: cut, it would name another folder.
bool CookiesAnswer(const std::string& answer, char* folder, int capacity) {
  if (answer.empty() || answer.size() >= kPathSize - 1) return false;
  CopyBounded(folder, static_cast<std::size_t>(capacity), answer);
  return true;
}

}  // namespace

bool FindIECookieFolder(char* folder, int capacity) {
  if (folder == nullptr || capacity <= 0) return false;
  const std::string candidates[] = {
      CookiesReadUser(kBaseKey, kIECookieFolderValue),
      CookiesReadUser(kShellFoldersKey, "Cookies"),
      CookiesReadUser(kUserShellFoldersKey, "Cookies"),
      CookiesWindowsCookies(),
  };
  for (const std::string& candidate : candidates)
    if (CookiesIECandidate(candidate, folder, capacity)) return true;
  if (LocalString(IDS_COOKIE_FOLDER_NOT_FOUND, folder, capacity) == 0)
    CopyBounded(folder, static_cast<std::size_t>(capacity), kCookieFolderNotFound);
  return false;
}

bool FindMozillaProfileFolder(char* folder, int capacity) {
  if (folder == nullptr || capacity <= 0) return false;
  folder[0] = '\0';
  std::string answer = CookiesReadUser(kBaseKey, kMozillaFolderValue);
  if (!answer.empty()) return CookiesAnswer(answer, folder, capacity);
  const std::string appData = CookiesReadUser(kShellFoldersKey, "AppData");
  if (!appData.empty()) answer = CookiesFirefoxProfile(appData);
  if (BrowserKind() == kBrowserNetscape) answer = CookiesNetscapeProfile(appData, answer);
  return CookiesAnswer(answer, folder, capacity);
}

bool MozillaFolderPresent() {
  const std::string appData = CookiesReadUser(kShellFoldersKey, "AppData");
  if (appData.empty()) return false;
  const DWORD attributes = GetFileAttributesA((appData + "\\Mozilla").c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int CookieFolderChoose(bool mozilla, const char* folder) {
  if (folder == nullptr || folder[0] == '\0') return 0;
  return SettingsWriteString(HKEY_CURRENT_USER, kBaseKey,
                             mozilla ? kMozillaFolderValue : kIECookieFolderValue, folder);
}
