#include "cookies_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench_sandbox.h"
#include "bench_timing.h"
#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_nuts.h"
#include "cookies_text.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "startup/item_list.h"

namespace {

constexpr int kFilterRepetitions = 21;
constexpr int kQuickRepetitions = 3;
constexpr int kNuts = 20;
constexpr int kTitleNuts = 5;  // of those, the ones naming one cookie, as a removal writes them
// Wine compares each new file name with the whole folder, so making a folder costs the square
// of its size: 100,000 files take it the better part of an hour.
constexpr int kFolderFiles = 10000;
constexpr int kQuickFolderFiles = 2000;
constexpr int kFolderRepetitions = 5;

void CookiesBenchPrint(const char* name, const char* sizeName, int size, double oursMs,
                       double floorMs) {
  const double ratio = floorMs > 0 ? oursMs / floorMs : 0.0;
  std::printf("%s %s=%d ours_ms=%.2f floor_ms=%.2f ratio=%.2f\n", name, sizeName, size, oursMs,
              floorMs, ratio);
  std::fflush(stdout);
}

bool CookiesBenchWrite(const std::string& path, const std::string& bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                           nullptr) &&
         written == bytes.size();
}

// Cookie lines of common shapes, one in twenty from a site a Nut text names, cut to exactly
// size.
std::string CookiesBenchFile(std::size_t size) {
  std::string text = "# Netscape HTTP Cookie File\r\n# This is a generated file!\r\n\r\n";
  for (int i = 0; text.size() < size; ++i) {
    const std::string site =
        i % 20 == 0 ? "ads" + std::to_string(i / 20 % (kNuts - kTitleNuts)) + ".tracker.net"
                    : "www.site" + std::to_string(i) + ".example";
    text += "." + site + "\tTRUE\t/\tFALSE\t" + std::to_string(1900000000 + i) + "\tsession_" +
            std::to_string(i) + "\t" + std::string(40 + i % 60, 'a' + i % 26) + "\r\n";
  }
  text.resize(size);
  return text;
}

// What any filter must do at least: read the whole file and find its lines, the plain way.
std::size_t CookiesBenchFloor(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  std::string text(GetFileSize(file.get(), nullptr), '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) return 0;
  std::vector<std::string_view> lines;
  for (std::string_view rest(text.data(), got); !rest.empty();) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return lines.size();
}

std::size_t CookiesBenchFileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

bool CookiesBenchFilter(const BenchSandbox& sandbox, int repetitions) {
  const std::string cookies = sandbox.folder + "\\cookies.txt";
  const std::string filtered = sandbox.folder + "\\cookiesnew.txt";
  if (!CookiesBenchWrite(cookies, CookiesBenchFile(kCookieFileListMax))) return false;
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kMozillaFolderValue, sandbox.folder.c_str());
  for (int i = 0; i < kNuts - kTitleNuts; ++i)
    SettingsWriteString(HKEY_CURRENT_USER, kNutsKey,
                        ("ads" + std::to_string(i) + ".tracker").c_str(), "1");
  for (int i = 1; i <= kTitleNuts; ++i) {
    const std::string number = std::to_string(i * 7);
    SettingsWriteString(HKEY_CURRENT_USER, kNutsKey,
                        ("www.site" + number + ".example - session_" + number).c_str(), "2");
  }
  CookieKindSet(kCookieKindMozilla);
  bool sound = CookiesBenchFloor(cookies) > 0;
  auto ours = [&] { EnumerateCookies(1); };
  ours();
  const std::size_t kept = CookiesBenchFileSize(filtered);
  sound = sound && kept > 0 && kept < kCookieFileListMax;
  double oursMs = 0, floorMs = 0;
  BenchAlternate(repetitions, ours, [&] { CookiesBenchFloor(cookies); }, oursMs, floorMs);
  CookiesBenchPrint("cookie-filter", "bytes", static_cast<int>(kCookieFileListMax), oursMs,
                    floorMs);
  CookieKindSet(kCookieKindIE);
  return sound;
}

int CookiesBenchWalk(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int files = 0;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) ++files;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

// The filter walks the whole folder (a Nut that matches nothing), listing MaxCookie files.
bool CookiesBenchFolder(const BenchSandbox& sandbox, int files) {
  const std::string folder = sandbox.folder + "\\ie";
  CreateDirectoryA(folder.c_str(), nullptr);
  bool sound = CookiesBenchWrite(folder + "\\index.dat", "x");
  for (int i = 0; i < files && sound; ++i)
    sound = CookiesBenchWrite(folder + "\\user@site" + std::to_string(i) + "[1].txt", "c");
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kIECookieFolderValue, folder.c_str());
  SettingsWriteString(HKEY_CURRENT_USER, kNutsKey, "no such cookie", "1");
  CookieKindSet(kCookieKindIE);
  auto ours = [&] { sound = EnumerateCookies(1) == kDefaultCookieLimit && sound; };
  double oursMs = 0, floorMs = 0;
  BenchAlternate(kFolderRepetitions, ours, [&] { CookiesBenchWalk(folder); }, oursMs, floorMs);
  sound = sound && CookiesBenchWalk(folder) == files + 1;
  CookiesBenchPrint("cookie-ie-folder", "files", files, oursMs, floorMs);
  return sound;
}

}  // namespace

bool CookiesBenchRun(bool quick) {
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return false;
  ItemListSetCookieLimit(kDefaultCookieLimit);
  bool sound = CookiesBenchFilter(sandbox, quick ? kQuickRepetitions : kFilterRepetitions);
  sound = CookiesBenchFolder(sandbox, quick ? kQuickFolderFiles : kFolderFiles) && sound;
  ItemListClear();
  BenchSandboxClose(sandbox);
  if (!sound) std::fprintf(stderr, "cookies: not sound\n");
  return sound;
}
