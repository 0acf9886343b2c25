// The browser helpers (O2, O3), the Run entries and startup folders (O4) and the policies
// that lock the user out of tools (O5-O7).
#include <shlobj.h>

#include "categories/ie_helpers.h"
#include "report_scan_log_parts.h"
#include "scan_log_text.h"
#include "startup/startup_list.h"
#include "text.h"

namespace {

constexpr char kPolicySystemKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kPolicySystemText[] =
    "O7 - HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System, ";

void ScanLogFillIEHelpers() { EnumerateIEHelpers(); }
void ScanLogFillRunEntries() {
  EnumRunKeys();
  EnumStartupFolders();
}

std::string FolderOfCsidl(int csidl) {
  char folder[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return folder;
}

bool InFolder(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.size() > folder.size() && path[folder.size()] == '\\' &&
         EqualsNoCase(std::string_view(path).substr(0, folder.size()), folder);
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A startup-folder item: its file (the shortcut, or the program itself) and whether it lies in
// the user's own folder rather than the one all users share.
void WriteStartupFolderLine(ScanLog& log, const ItemRow& row, const std::string& userFolder) {
  const std::string& file = row.key.empty() ? row.command : row.key;
  ScanLogLine(log, ScanLogStartupLine(InFolder(file, userFolder), FileNamePart(file), row.command));
}

bool KeyHasValues(HKEY root, const char* key) { return !ScanLogValues(root, key).empty(); }

}  // namespace

void ScanLogWriteIEHelpers(ScanLog& log) {
  const std::vector<ItemRow> rows = ScanLogRows(ScanLogFillIEHelpers);
  for (const ItemRow& row : rows)
    if (row.code == kTypeBHO)
      ScanLogLine(log, "O2 - BHO: " + row.title + " - " + row.key + " - " + row.command);
  for (const ItemRow& row : rows)
    if (row.code == kTypeToolbar)
      ScanLogLine(log, "O3 - Toolbar: " + row.title + " - " + row.key + " - " + row.command);
}

void ScanLogWriteRunEntries(ScanLog& log) {
  const std::string userFolder = FolderOfCsidl(CSIDL_STARTUP);
  for (const ItemRow& row : ScanLogRows(ScanLogFillRunEntries)) {
    if (row.code == kLocationStartupFolder)
      WriteStartupFolderLine(log, row, userFolder);
    else
      ScanLogLine(log, ScanLogRunLine(row.code, row.title, row.command));
  }
}

void ScanLogWritePolicies(ScanLog& log) {
  const std::string inetcpl =
      ScanLogRegText(HKEY_CURRENT_USER, "Control Panel\\don't load", "inetcpl.cpl");
  if (TextContainsNoCase(inetcpl, "no"))
    ScanLogLine(log, "O5 - control.ini: inetcpl.cpl=" + inetcpl);
  if (KeyHasValues(HKEY_CURRENT_USER,
                   "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions"))
    ScanLogLine(log, "O6 - HKCU\\Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions present");
  if (KeyHasValues(HKEY_CURRENT_USER,
                   "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel"))
    ScanLogLine(log, "O6 - HKCU\\Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel present");
  static const char* const kLocks[][2] = {{"DisableRegistryTools", "DisableRegistryTools ="},
                                          {"DisableRegEdit", "DisableRegEdit="},
                                          {"DisableTaskMgr", "DisableTaskMgr ="}};
  for (const auto& lock : kLocks) {
    const long number = ScanLogRegNumber(HKEY_CURRENT_USER, kPolicySystemKey, lock[0]);
    if (number > 0) ScanLogLine(log, kPolicySystemText + std::string(lock[1]) + std::to_string(number));
  }
}
