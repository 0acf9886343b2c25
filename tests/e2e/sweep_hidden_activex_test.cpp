// Hidden files and ActiveX controls through the real monitor: a new hidden file deleted from
// its alert by Esc, a new control rejected by its alert.
#include <windows.h>

#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kHiddenName[] = "kv_e2e_hidden.txt";
inline constexpr char kHiddenTitle[] = "kv_e2e_hidden";  // the file name less its ending
inline constexpr char kHiddenKey[] = "Software\\Tamsel\\Korvane\\Hidden";
inline constexpr char kActiveXKey[] = "Software\\Tamsel\\Korvane\\ActiveX";
inline constexpr char kControlId[] = "{5E7A1C00-0000-4000-8000-0000000000E2}";
inline constexpr char kControlName[] = "Sentry Probe Control";
inline constexpr char kStatsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\";
inline constexpr char kCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\";
inline constexpr char kClassesKey[] = "Software\\Classes\\CLSID\\";

std::string HiddenPath() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + kHiddenName;
}

std::string VaultPath() {
  const std::string appData = ReadRegString(
      HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "AppData");
  return appData + "\\Korvane\\vault\\" + kHiddenName;
}

void RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetString(HKEY root, const std::string& subkey, const char* value, const std::string& text) {
  RegKey key;
  ASSERT_TRUE(key.Create(root, subkey.c_str(), KEY_SET_VALUE));
  RegSetValueExA(key.get(), value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

DWORD ControlFlags() {
  DWORD flags = 0, size = sizeof flags;
  RegGetValueA(HKEY_LOCAL_MACHINE, (std::string(kCompatibilityKey) + kControlId).c_str(),
               "Compatibility Flags", RRF_RT_REG_DWORD, nullptr, &flags, &size);
  return flags;
}

class SweepHiddenActiveXTest : public MonitorTest {
 protected:
  void TearDown() override {
    MonitorTest::TearDown();
    RemoveFile(HiddenPath());
    RemoveFile(VaultPath());
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kStatsKey) + kControlId).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kCompatibilityKey) + kControlId).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kClassesKey) + kControlId).c_str());
    DeleteFileA(HistoryFilePath().c_str());
  }
};

}  // namespace

TEST_F(SweepHiddenActiveXTest, NewHiddenFileIsDeletedByEscape) {
  WriteOption("Hidden", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  const std::string path = HiddenPath();
  {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN, nullptr));
    ASSERT_TRUE(file);
  }
  const HWND alert = AlertNamed(monitor, window, kHiddenTitle);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ("OK", DialogItemText(alert, IDOK));
  EXPECT_EQ("&Delete", DialogItemText(alert, IDCANCEL));
  EXPECT_TRUE(HistoryHas(std::string("\tHIDDEN_Alert\tTYPE_HIDDEN\t") + kHiddenTitle + "\t"));
  PostMessageA(alert, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !FileThere(path); }));
  EXPECT_TRUE(WaitUntil([&] {
    return HistoryHas(std::string("\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\t") + kHiddenTitle + "\t" +
                      path + "\t");
  }));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenKey, path.c_str()));
  EXPECT_TRUE(FileThere(VaultPath()));
}

TEST_F(SweepHiddenActiveXTest, RejectedControlGetsItsKillBitAndIsNotAskedAgain) {
  WriteOption("ActiveX", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  {
    RegKey stats;
    ASSERT_TRUE(stats.Create(HKEY_CURRENT_USER,
                             (std::string(kStatsKey) + kControlId + "\\iexplore").c_str(),
                             KEY_SET_VALUE));
  }
  const std::string classKey = std::string(kClassesKey) + kControlId;
  SetString(HKEY_LOCAL_MACHINE, classKey, "", kControlName);
  SetString(HKEY_LOCAL_MACHINE, classKey + "\\InprocServer32", "",
            BinFolder() + "\\kv_versioned_sample.exe");
  const HWND alert = AlertNamed(monitor, window, kControlName);
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(HistoryHas("\tIEHELPER_Alert\tTYPE_BHO\tVersioned Sample\t"));
  EXPECT_EQ("1200", ReadRegString(HKEY_CURRENT_USER, kActiveXKey, kControlId));
  PressBoxButton(alert, IDNO);
  ASSERT_TRUE(WaitUntil([] { return ControlFlags() == 0x400; }));
  RunSweepCycle(window);
  RunSweepCycle(window);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption));
}
