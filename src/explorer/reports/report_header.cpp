#include "report_header.h"

#include <windows.h>

#include <cstdio>

#include "categories/cookies_folders.h"
#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "html_text.h"
#include "os_version_text.h"
#include "report_file.h"
#include "report_time_text.h"
#include "resource.h"

namespace {

constexpr int kValueSize = 1024;
constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kProductOptionsKey[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
constexpr char kHotfix6aKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::string Escaped(bool html, const std::string& text) { return html ? HtmlEscape(text) : text; }

std::string ReadText(HKEY root, const char* key, const char* value) {
  char text[kValueSize] = "";
  SettingsReadString(root, key, value, text, sizeof text);
  return text;
}

bool KeyExists(HKEY root, const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOEXW*);

// The extended record through RtlGetVersion, which no compatibility shim rewrites.
bool ReadExtendedRecord(OSVERSIONINFOEXW& info) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto proc = ntdll ? reinterpret_cast<RtlGetVersionProc>(GetProcAddress(ntdll, "RtlGetVersion"))
                    : nullptr;
  info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return proc != nullptr && proc(&info) == 0;
}

std::string NarrowText(const wchar_t* text) {
  char narrow[kPathSize] = "";
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr) == 0)
    narrow[0] = '\0';
  return narrow;
}

OsVersionFacts ReadOsFacts() {
  const WindowsVersion& running = RunningWindowsVersion();
  OsVersionFacts facts;
  facts.major = running.major;
  facts.minor = running.minor;
  facts.build = running.build;
  facts.platformId = running.platformId;
  OSVERSIONINFOEXW info;
  facts.extended = ReadExtendedRecord(info);
  if (facts.extended) {
    facts.servicePackMajor = info.wServicePackMajor;
    facts.servicePackText = NarrowText(info.szCSDVersion);
    facts.productType = info.wProductType;
    facts.suiteMask = info.wSuiteMask;
  } else {
    facts.registryProductType = ReadText(HKEY_LOCAL_MACHINE, kProductOptionsKey, "ProductType");
  }
  facts.tabletPc = GetSystemMetrics(SM_TABLETPC) != 0;
  facts.hotfixQ246009 = running.major == 4 && KeyExists(HKEY_LOCAL_MACHINE, kHotfix6aKey);
  return facts;
}

std::string LineEnd(bool html) { return html ? "<br>\r\n" : "\r\n"; }

std::string Bold(bool html, const char* label) {
  return html ? std::string("<b>") + label + "</b>" : std::string(label);
}

struct ProgramFacts {
  std::string path, description, version;
};

ProgramFacts ReadProgramFacts(const std::string& path) {
  ProgramFacts facts{path, {}, {}};
  VersionStrings strings = {};
  if (ReadVersionStrings(path.c_str(), &strings)) {
    facts.description = strings.text[kFileDescription];
    facts.version = strings.text[kProductVersion];
  }
  return facts;
}

std::string IEProgramPath() {
  char key[kPathSize] = "";
  if (LocalString(IDS_IE_APP_PATH_KEY, key, sizeof key) == 0) return {};
  std::string folder = ReadText(HKEY_LOCAL_MACHINE, key, "Path");
  if (folder.empty()) return {};
  if (folder.back() == ';') folder.pop_back();
  return folder + "\\IExplore.exe";
}

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// An installed program by its App Paths registration: the program file, and its folder
// (the registration's Path, else the program file's own folder).
bool InstalledProgram(const char* exe, std::string& file, std::string& folder) {
  const std::string key = std::string(kAppPathsKey) + exe;
  file = ReadText(HKEY_LOCAL_MACHINE, key.c_str(), "");
  std::erase(file, '"');
  if (!PathExists(file)) return false;
  folder = ReadText(HKEY_LOCAL_MACHINE, key.c_str(), "Path");
  if (!folder.empty() && folder.back() == ';') folder.pop_back();
  if (folder.empty()) folder = file.substr(0, file.find_last_of('\\'));
  return true;
}

std::string InstalledLine(bool html, const char* format, const std::string& version,
                          const std::string& folder) {
  char line[3 * kValueSize];
  std::snprintf(line, sizeof line, format, Escaped(html, version).c_str(),
                Escaped(html, folder).c_str());
  return line;
}

void WriteValueLine(ReportFile& file, bool html, const char* label, HKEY root, const char* key,
                    const char* value) {
  char text[kValueSize] = "";
  if (SettingsReadString(root, key, value, text, sizeof text) == 0) return;
  file.Write(label);
  file.Write(Escaped(html, text));
  file.Write(LineEnd(html));
}

void WriteBrowserSettings(ReportFile& file, bool html) {
  char main[kPathSize] = "";
  if (LocalString(IDS_IE_MAIN_KEY, main, sizeof main) == 0) return;
  WriteValueLine(file, html, "HKCU Window Title = ", HKEY_CURRENT_USER, main, "Window Title");
  WriteValueLine(file, html, "HKCU Default_Page_URL = ", HKEY_CURRENT_USER, main,
                 "Default_Page_URL");
  WriteValueLine(file, html, "HKLM Default_Page_URL = ", HKEY_LOCAL_MACHINE, main,
                 "Default_Page_URL");
  WriteValueLine(file, html, "HKCU Start Page = ", HKEY_CURRENT_USER, main, "Start Page");
  WriteValueLine(file, html, "HKLM Start Page = ", HKEY_LOCAL_MACHINE, main, "Start Page");
}

void WriteWinlogon(ReportFile& file, bool html) {
  WriteValueLine(file, html, "WinLogon DefaultUserName=", HKEY_LOCAL_MACHINE, kWinlogonKey,
                 "DefaultUserName");
  WriteValueLine(file, html, "WinLogon DefaultDomainName=", HKEY_LOCAL_MACHINE, kWinlogonKey,
                 "DefaultDomainName");
  WriteValueLine(file, html, "WinLogon Shell=", HKEY_LOCAL_MACHINE, kWinlogonKey, "Shell");
  WriteValueLine(file, html, "WinLogon UserInit=", HKEY_LOCAL_MACHINE, kWinlogonKey, "UserInit");
}

}  // namespace

std::string OsVersionText() { return OsVersionTextOf(ReadOsFacts()); }

std::string ReportNowText() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return ReportClockText(now.wHour, now.wMinute, now.wSecond) + ", on " +
         ReportDateText(now.wMonth, now.wDay, now.wYear);
}

// The explorer's caption from its string table: a report written without a window (the
// -Report switch) has no message caption set.
std::string ReportProgramCaption() {
  char caption[kPathSize] = "";
  LocalString(IDS_EXPLORER_CAPTION, caption, sizeof caption);
  return caption;
}

std::string ReportBuildText() {
  char build[kPathSize] = "";
  ProgramIdentity(build, sizeof build);
  return build;
}

std::string ReportBrowserLine(bool html, const char* label) {
  char command[kPathSize] = "";
  char file[kPathSize] = "";
  if (DefaultBrowserCommand(command, sizeof command) > 0)
    NormaliseCommand(command, file, sizeof file);
  if (!PathExists(file)) return "Browser: Unable to find default browser.";
  const ProgramFacts facts = ReadProgramFacts(file);
  std::string line = Bold(html, (std::string(label) + ":").c_str()) + " ";
  line += Escaped(html, facts.path) + " - ";
  line += html ? "<i>" + Escaped(html, facts.description) + "</i>" : facts.description;
  return line + " version " + Escaped(html, facts.version);
}

bool ReportMsiePresent() { return PathExists(IEProgramPath()); }

std::string ReportMsieLine(bool html) {
  const std::string path = IEProgramPath();
  if (!PathExists(path)) return "MSIE: Internet Explorer Not found.";
  const ProgramFacts facts = ReadProgramFacts(path);
  return "MSIE: " + Escaped(html, facts.description) + " (" + Escaped(html, facts.version) + ")";
}

std::string ReportCookiePathLine(bool html) {
  char folder[kPathSize] = "";
  FindIECookieFolder(folder, sizeof folder);
  return "IE Cookie Path: " + Escaped(html, folder) + " ";
}

std::vector<std::string> ReportOtherBrowserLines(bool html, bool scanLog) {
  struct Browser {
    const char* exe;
    const char* reportFormat;
    const char* scanLogFormat;
  };
  static const Browser kBrowsers[] = {
      {"AOL.EXE", "America Online version %s", "America Online version %s running %s"},
      {"firefox.exe", "Firefox %s installed in %s", "Firefox %s installed in %s."},
      {"Mozilla.exe", "Mozilla %s installed in %s", "Mozilla %s installed in %s."},
      {"Netscp.exe", "Netscape %s installed in %s", "Netscape %s installed in %s."}};
  std::vector<std::string> lines;
  for (const Browser& browser : kBrowsers) {
    std::string file, folder;
    if (!InstalledProgram(browser.exe, file, folder)) continue;
    const std::string version = ReadProgramFacts(file).version;
    const char* format = scanLog ? browser.scanLogFormat : browser.reportFormat;
    lines.push_back(InstalledLine(html, format, version, scanLog ? file : folder));
  }
  return lines;
}

long ReportMemoryLoad() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return -1;
  return static_cast<long>(status.dwMemoryLoad);
}

void WriteReportHeader(ReportFile& file, bool html) {
  const std::string end = LineEnd(html);
  file.Write("Report created by " + Escaped(html, ReportProgramCaption()) + " version " +
             Escaped(html, ReportBuildText()));
  file.Write(" at " + ReportNowText() + end);
  file.Write(end);
  file.Write(Bold(html, "Platform:") + " " + Escaped(html, OsVersionText()) + end);
  file.Write(ReportBrowserLine(html, "Browser") + end);
  if (const long load = ReportMemoryLoad(); load >= 0)
    file.Write("Memory currently in use: " + std::to_string(load) + "%" + end);
  file.Write(ReportMsieLine(html) + end);
  if (ReportMsiePresent()) file.Write(ReportCookiePathLine(html) + end);
  for (const std::string& line : ReportOtherBrowserLines(html, false)) file.Write(line + end);
  file.Write(end);
  WriteBrowserSettings(file, html);
  file.Write(end);
  WriteWinlogon(file, html);
  file.Write(end);
}
