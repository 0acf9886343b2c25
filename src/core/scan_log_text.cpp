#include "scan_log_text.h"

#include "item_codes.h"

namespace {

constexpr std::string_view kMachineTags[kRunFamilySize] = {
    "O4 - HKLM\\..\\Run: ",          "O4 - HKLM\\..\\RunOnce: ",
    "O4 - HKLM\\..\\RunOnceEx: ",    "O4 - HKLM\\..\\RunServices: ",
    "O4 - HKLM\\..\\RunServicesOnce: ", "O4 - HKLM\\..\\RunOnceSetup: ",
    "O4 - HKLM\\..\\Policies\\Explorer\\Run: "};
constexpr std::string_view kUserTags[kRunFamilySize] = {
    "O4 - HKCU\\..\\Run: ",          "O4 - HKCU\\..\\RunOnce: ",
    "O4 - HKCU\\..\\RunOnceEx: ",    "O4 - HKCU\\..\\RunServices: ",
    "O4 - HKCU\\..\\RunServicesOnce: ", "O4 - HKCU\\..\\RunOnceSetup: ",
    "O4 - HKCU\\..\\Policies\\Explorer\\Run: "};
constexpr std::string_view kOtherTag = "O4 - Other Run: ";
constexpr std::string_view kSubTypes[kRunFamilySize] = {
    "Run", "RunOnce", "RunOnceEx", "RunServices", "RunServiceOnce", "RunOnceSetup",
    "Policies\\Explorer\\Run"};
constexpr int kWow64First = 21;

// 0-6 within its root; -1 outside the Run family.
int PositionIn(int code, int first, int count) {
  return code >= first && code < first + count ? code - first : -1;
}

}  // namespace

std::string_view ScanLogRunTag(int code) {
  if (int i = PositionIn(code, kLocationMachineRun, kRunFamilySize); i >= 0) return kMachineTags[i];
  if (int i = PositionIn(code, kWow64First, kRunFamilySize); i >= 0) return kMachineTags[i];
  if (int i = PositionIn(code, kLocationFirstPerUser, kRunFamilySize); i >= 0)
    return kUserTags[i];
  return kOtherTag;
}

std::string ScanLogRunLine(int code, std::string_view title, std::string_view command) {
  std::string line(ScanLogRunTag(code));
  line += '[';
  line += ScanLogField(title);
  line += ']';
  line += ScanLogField(command);
  return line;
}

std::string ScanLogStartupLine(bool perUser, std::string_view fileName, std::string_view command) {
  std::string line = perUser ? "O4 - Startup: " : "O4 - Global Startup: ";
  line += ScanLogField(fileName);
  line += '=';
  line += ScanLogField(command);
  return line;
}

SpreadsheetRunType SpreadsheetRunTypeOf(int code, bool perUser) {
  if (int i = PositionIn(code, kLocationMachineRun, kRunFamilySize); i >= 0)
    return {"HKLM", kSubTypes[i]};
  if (int i = PositionIn(code, kWow64First, kRunFamilySize); i >= 0) return {"HKLM", kSubTypes[i]};
  if (int i = PositionIn(code, kLocationFirstPerUser, kRunFamilySize); i >= 0)
    return {"HKCU", kSubTypes[i]};
  return {perUser ? "HKCU" : "HKLM", "UnknownKey"};
}

std::string ScanLogField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r' || c == '\n' || c == '\t') out += ' ';
    else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
  }
  return out;
}

std::string ScanLogPointLine(std::string_view shortName, std::string_view title,
                             std::string_view command) {
  std::string line = "O4 - ";
  line += shortName;
  line += ": [";
  line += title;
  line += "]";
  line += command;
  return line;
}
