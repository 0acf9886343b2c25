// What is added to the browser: context menu items and buttons (O8, O9), option groups and
// plug-ins (O11, O12), URL prefixes and the reset file (O13, O14), trusted zones and downloaded
// programs (O15, O16), the user style sheet (O19) and desktop components (O24).
#include "categories/class_server.h"
#include "categories/ie_helpers.h"
#include "report_scan_log_parts.h"
#include "text.h"

namespace {

constexpr char kMenuExtKey[] = "Software\\Microsoft\\Internet Explorer\\MenuExt";
constexpr char kAdvancedOptionsKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions";
constexpr char kPluginsKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension";
constexpr char kDefaultPrefixKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kDomainsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains";
constexpr char kDownloadsKey[] = "SOFTWARE\\Microsoft\\Code Store Database\\Distribution Units";
constexpr char kStylesKey[] = "Software\\Microsoft\\Internet Explorer\\Styles";
constexpr char kComponentsKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\Components";
constexpr long kTrustedZone = 2;
constexpr int kComponentsMax = 1000;
constexpr std::size_t kResetFileLimit = 1024 * 1024;

void ScanLogFillIEHelpers() { EnumerateIEHelpers(); }

std::string Joined(const std::string& parent, const std::string& child) {
  return parent + "\\" + child;
}

std::string ProfileText(const std::string& file, const char* section, const char* key) {
  char text[1024] = "";
  GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
  return text;
}

// Tools-menu entries have a MenuText and no button; the helper list only takes buttons.
void WriteToolsMenuItems(ScanLog& log) {
  for (const std::string& clsid : ScanLogSubKeys(HKEY_LOCAL_MACHINE, kExtensionsKey)) {
    const std::string key = Joined(kExtensionsKey, clsid);
    const std::string menu = ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "MenuText");
    if (menu.empty() || ScanLogRegPresent(HKEY_LOCAL_MACHINE, key.c_str(), "ButtonText")) continue;
    std::string command = ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "Exec");
    if (command.empty()) command = ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "Script");
    ScanLogLine(log, "O9 - Extra 'Tools' menuitem: " + menu + " - " + clsid + " - " + command);
  }
}

// The trusted sites of one domain key: the protocols it marks as zone 2, for the domain and
// for each of its sub-domains.
void WriteTrustedHosts(ScanLog& log, const std::string& key, const std::string& host) {
  for (const RegRawValue& value : ScanLogValues(HKEY_CURRENT_USER, key))
    if (RegRawNumber(value) == kTrustedZone && value.type == REG_DWORD)
      ScanLogLine(log, "O15 - Trusted Zone: " + value.name + "://" + host);
}

// The registry lines the reset file writes back: what a hijacker edits to survive a reset.
void WriteResetRegistryLines(ScanLog& log, const std::string& path) {
  std::string bytes;
  if (!ScanLogReadFile(path, kResetFileLimit, bytes)) return;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (TextContainsNoCase(line, "HKLM,") || TextContainsNoCase(line, "HKCU,"))
      ScanLogLine(log, "O14 - IERESET.INF: " + std::string(SkipBlanks(line)));
  }
}

}  // namespace

void ScanLogWriteBrowserExtras(ScanLog& log) {
  for (const std::string& name : ScanLogSubKeys(HKEY_CURRENT_USER, kMenuExtKey))
    ScanLogLine(log, "O8 - Extra context menu item: " + name + " - " +
                         ScanLogRegText(HKEY_CURRENT_USER, Joined(kMenuExtKey, name).c_str(), ""));
  for (const ItemRow& row : ScanLogRows(ScanLogFillIEHelpers))
    if (row.code == kTypeExtension)
      ScanLogLine(log, "O9 - Extra button: " + row.title + " - " + row.key + " - " + row.command);
  WriteToolsMenuItems(log);
  for (const std::string& group : ScanLogSubKeys(HKEY_LOCAL_MACHINE, kAdvancedOptionsKey)) {
    const std::string key = Joined(kAdvancedOptionsKey, group);
    ScanLogLine(log, "O11 - Options group: [" + group + "] " +
                         ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "Text") + " - " +
                         ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "Type"));
  }
  for (const std::string& extension : ScanLogSubKeys(HKEY_LOCAL_MACHINE, kPluginsKey)) {
    const std::string key = Joined(kPluginsKey, extension);
    ScanLogLine(log, "O12 - Plugin for " + extension + ": " +
                         ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "Location"));
  }
}

void ScanLogWritePrefixes(ScanLog& log) {
  if (ScanLogRegPresent(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""))
    ScanLogLine(log, "O13 - DefaultPrefix: " + ScanLogRegText(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""));
  if (ScanLogRegPresent(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"))
    ScanLogLine(log, "O13 - WWW Prefix: " + ScanLogRegText(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"));
  if (ScanLogRegPresent(HKEY_LOCAL_MACHINE, kPrefixesKey, "www."))
    ScanLogLine(log, "O13 -  WWW. Prefix: " + ScanLogRegText(HKEY_LOCAL_MACHINE, kPrefixesKey, "www."));
  const std::string reset = log.windowsFolder + "\\inf\\iereset.inf";
  if (const std::string start = ProfileText(reset, "Strings", "START_PAGE_URL"); !start.empty())
    ScanLogLine(log, "O14 - IERESET.INF: START_PAGE_URL = " + start);
  if (const std::string search = ProfileText(reset, "Strings", "SEARCH_PAGE_URL"); !search.empty())
    ScanLogLine(log, "O14 - IERESET.INF: SEARCH_PAGE_URL = " + search);
  WriteResetRegistryLines(log, reset);
}

void ScanLogWriteZonesAndDownloads(ScanLog& log) {
  for (const std::string& domain : ScanLogSubKeys(HKEY_CURRENT_USER, kDomainsKey)) {
    const std::string key = Joined(kDomainsKey, domain);
    WriteTrustedHosts(log, key, "*." + domain);
    for (const std::string& sub : ScanLogSubKeys(HKEY_CURRENT_USER, key))
      WriteTrustedHosts(log, Joined(key, sub), sub + "." + domain);
  }
  for (const std::string& clsid : ScanLogSubKeys(HKEY_LOCAL_MACHINE, kDownloadsKey)) {
    const std::string key = Joined(kDownloadsKey, clsid);
    std::string name = ScanLogRegText(HKEY_LOCAL_MACHINE, key.c_str(), "");
    if (name.empty()) {
      char className[512] = "";
      char server[MAX_PATH] = "";
      LookUpClassServer(clsid.c_str(), className, server);
      name = className;
    }
    const std::string codebase =
        ScanLogRegText(HKEY_LOCAL_MACHINE, (key + "\\DownloadInformation").c_str(), "CODEBASE");
    ScanLogLine(log, "O16 - DPF: " + clsid + " (" + name + ") - " + codebase);
  }
}

void ScanLogWriteDesktopComponents(ScanLog& log) {
  for (int index = 0; index < kComponentsMax; ++index) {
    const std::string key = Joined(kComponentsKey, std::to_string(index));
    if (ScanLogValues(HKEY_CURRENT_USER, key).empty()) break;
    const std::string name = ScanLogRegText(HKEY_CURRENT_USER, key.c_str(), "FriendlyName");
    if (name.empty() || TextContainsNoCase(name, "Current Home Page")) continue;
    ScanLogLine(log, "O24 -  Desktop Component " + std::to_string(index) + ": " + name + " - " +
                         ScanLogRegText(HKEY_CURRENT_USER, key.c_str(), "Source"));
  }
}

void ScanLogWriteStyleSheet(ScanLog& log) {
  if (const std::string sheet = ScanLogRegText(HKEY_CURRENT_USER, kStylesKey, "User Stylesheet");
      !sheet.empty())
    ScanLogLine(log, "O19 -  User style sheet: " + sheet);
}
