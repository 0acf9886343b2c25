#include "startup/value_places.h"

#include "startup_text.h"

namespace {

constexpr char kIfeo[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
constexpr char kIfeo32[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
constexpr char kSilentExit[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SilentProcessExit";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kUserWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kActiveSetup[] = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components";
constexpr char kActiveSetup32[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Active Setup\\Installed Components";
constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kAppCert[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\AppCertDlls";
constexpr char kLsa[] = "SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char kPrintMonitors[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
constexpr char kNetsh[] = "SOFTWARE\\Microsoft\\NetSh";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kTsRun[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Terminal Server\\Install\\Software\\"
    "Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kTsRunOnce[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Terminal Server\\Install\\Software\\"
    "Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kTsRdpwd[] = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\Wds\\rdpwd";
constexpr char kOfficeTest[] = "Software\\Microsoft\\Office test\\Special\\Perf";
constexpr char kUserPolicySystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kRunOnceEx[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
constexpr char kRunOnceEx32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";

constexpr char kLsaAuthentication[] = "msv1_0";
constexpr char kLsaNotification[] = "scecli|rassfm|FPNWCLNT";
constexpr char kLsaSecurity[] =
    "kerberos|msv1_0|schannel|wdigest|tspkg|pku2u|cloudAP|negoexts|livessp|\"\"";
constexpr char kPrintDrivers[] =
    "localspl.dll|tcpmon.dll|usbmon.dll|WSDMon.dll|APMon.dll|AppMon.dll|FXSMON.DLL|pjlmon.dll|"
    "win32spl.dll|wineps.drv";
constexpr char kNetshHelpers[] =
    "ifmon.dll|rasmontr.dll|authfwcfg.dll|dhcpcmonitor.dll|dot3cfg.dll|fwcfg.dll|hnetmon.dll|"
    "netiohlp.dll|nettrace.dll|nshhttp.dll|nshipsec.dll|nshwfp.dll|p2pnetsh.dll|rpc.dll|"
    "WcnNetsh.dll|whhelper.dll|wlancfg.dll|wshelper.dll|wwancfg.dll|peerdistsh.dll";

using S = PlaceShape;
using L = PointListKind;

// clang-format off
constexpr ValuePlace kPlaces[] = {
    {260, "IFEO_DEBUGGER", false, kIfeo, "Debugger", S::kSubKeyValue, L::kSingle, false, "", true},
    {261, "x64_IFEO_DEBUGGER", false, kIfeo32, "Debugger", S::kSubKeyValue, L::kSingle, true, "", true},
    {262, "SILENT_EXIT", false, kSilentExit, "MonitorProcess", S::kSubKeyValue, L::kSingle, false, "", true},
    {263, "HKCU_LOGON_SHELL", true, kUserWinlogon, "Shell", S::kValue, L::kSingle, false, "", true},
    {264, "LOGON_TASKMAN", false, kWinlogon, "Taskman", S::kValue, L::kSingle, false, "", true},
    {265, "LOGON_APPSETUP", false, kWinlogon, "AppSetup", S::kValue, L::kCommaList, false, "", true},
    {266, "ACTIVE_SETUP", false, kActiveSetup, "StubPath", S::kSubKeyValue, L::kSingle, false, "", true},
    {267, "x64_ACTIVE_SETUP", false, kActiveSetup32, "StubPath", S::kSubKeyValue, L::kSingle, true, "", true},
    {268, "BOOT_EXECUTE", false, kSessionManager, "BootExecute", S::kValue, L::kMultiString, false, "autocheck autochk *", true},
    {269, "APPCERT_DLL", false, kAppCert, "", S::kAllValues, L::kSingle, false, "", true},
    {270, "LSA_AUTHENTICATION", false, kLsa, "Authentication Packages", S::kValue, L::kMultiString, false, kLsaAuthentication, true},
    {271, "LSA_NOTIFICATION", false, kLsa, "Notification Packages", S::kValue, L::kMultiString, false, kLsaNotification, true},
    {272, "LSA_SECURITY", false, kLsa, "Security Packages", S::kValue, L::kMultiString, false, kLsaSecurity, true},
    {273, "PRINT_MONITOR", false, kPrintMonitors, "Driver", S::kSubKeyValue, L::kSingle, false, kPrintDrivers, true},
    {274, "NETSH_HELPER", false, kNetsh, "", S::kAllValues, L::kSingle, false, kNetshHelpers, true},
    {275, "SCREENSAVER", true, kDesktop, "SCRNSAVE.EXE", S::kValue, L::kSingle, false, "", true},
    {276, "TS_RUN", false, kTsRun, "", S::kAllValues, L::kSingle, false, "", true},
    {277, "TS_RUNONCE", false, kTsRunOnce, "", S::kAllValues, L::kSingle, false, "", true},
    {278, "TS_STARTUP_PROGRAMS", false, kTsRdpwd, "StartupPrograms", S::kValue, L::kCommaList, false, "rdpclip", true},
    {279, "HKCU_OFFICE_TEST", true, kOfficeTest, "", S::kValue, L::kSingle, false, "", true},
    {280, "HKLM_OFFICE_TEST", false, kOfficeTest, "", S::kValue, L::kSingle, false, "", true},
    {281, "HKLM_RUNONCEEX_SUB", false, kRunOnceEx, "", S::kSubKeyAllValues, L::kSingle, false, "", true},
    {282, "HKCU_RUNONCEEX_SUB", true, kRunOnceEx, "", S::kSubKeyAllValues, L::kSingle, false, "", true},
    {283, "x64_RUNONCEEX_SUB", false, kRunOnceEx32, "", S::kSubKeyAllValues, L::kSingle, true, "", true},
    {287, "HKCU_POLICY_SHELL", true, kUserPolicySystem, "Shell", S::kValue, L::kSingle, false, "", true},
};
// clang-format on

bool HasSubKeys(const ValuePlace& place) {
  return place.shape == S::kSubKeyValue || place.shape == S::kSubKeyAllValues;
}

bool NamesValue(const ValuePlace& place) {
  return place.shape == S::kValue || place.shape == S::kSubKeyValue;
}

}  // namespace

const ValuePlace* ValuePlaceTable(std::size_t& count) {
  count = sizeof kPlaces / sizeof kPlaces[0];
  return kPlaces;
}

const ValuePlace* ValuePlaceOf(int code) {
  for (const ValuePlace& place : kPlaces)
    if (place.code == code) return &place;
  return nullptr;
}

HKEY ValuePlaceRoot(const ValuePlace& place) {
  return place.perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string ValuePlaceLabel(const ValuePlace& place) {
  std::string label = place.perUser ? "HKCU\\" : "HKLM\\";
  label += place.path;
  if (HasSubKeys(place)) label += "\\*";
  if (NamesValue(place)) label += std::string("  ") + (place.value[0] ? place.value : "(Default)");
  return label;
}

// Sub-key names hold no backslash; value names may, so the sub-key comes first.
bool ValuePlaceLocate(const ValuePlace& place, std::string_view itemKey, std::string& path,
                      std::string& value) {
  path = place.path;
  value = NamesValue(place) ? place.value : "";
  std::string_view sub;
  if (HasSubKeys(place)) {
    const std::size_t slash = itemKey.find('\\');
    sub = itemKey.substr(0, slash);
    if (sub.empty()) return false;
    path += "\\";
    path += sub;
    if (place.shape == S::kSubKeyAllValues) {
      if (slash == std::string_view::npos) return false;
      value = itemKey.substr(slash + 1);
    }
  } else if (place.shape == S::kAllValues) {
    value = itemKey;
  }
  // An empty name would be the key's default value, which no listed entry of these shapes is.
  return !(value.empty() && (place.shape == S::kAllValues || place.shape == S::kSubKeyAllValues));
}

std::string ValuePlaceItemKey(const ValuePlace& place, std::string_view subKey,
                              std::string_view value) {
  switch (place.shape) {
    case S::kAllValues: return std::string(value);
    case S::kSubKeyValue: return std::string(subKey);
    case S::kSubKeyAllValues: return std::string(subKey) + "\\" + std::string(value);
    default: return "";
  }
}

std::vector<std::string_view> ValuePlaceDefaults(const ValuePlace& place) {
  return SplitItems(place.defaults, "|");
}
