// The monitored HOSTS file and the automatic-update guard through the real monitor.
#include <windows.h>

#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFileChangeCaption[] = "Korvane: File Change Alert";
inline constexpr char kUpdateModeCaption[] = "Korvane - Windows Auto Update Settings";
inline constexpr int kSystemFileName = 1211;
inline constexpr int kRejectChange = 1209;
inline constexpr char kLiveUpdateKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
inline constexpr char kBackupName[] = "\\hosts.kvbackup";

std::string HostsPath() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void SetWritten(const std::string& path, const FILETIME& stamp) {
  Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, 0, nullptr));
  SetFileTime(file.get(), nullptr, nullptr, &stamp);
}

FILETIME Written(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

DWORD ReadDword(HKEY root, const char* subkey, const char* value, bool* found = nullptr) {
  DWORD number = 0, size = sizeof number;
  const bool there = RegGetValueA(root, subkey, value, RRF_RT_REG_DWORD, nullptr, &number,
                                  &size) == ERROR_SUCCESS;
  if (found) *found = there;
  return there ? number : 0;
}

void WriteDword(HKEY root, const char* subkey, const char* value, DWORD number) {
  RegKey key;
  if (key.Create(root, subkey, KEY_SET_VALUE))
    RegSetValueExA(key.get(), value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
}

// The prefix's HOSTS is put back after every test, also after one that ended in a crash: the
// copy taken first stays beside the tests until a test ends normally.
class SweepSystemFilesTest : public MonitorTest {
 protected:
  void SetUp() override {
    const std::string backup = BinFolder() + kBackupName;
    if (GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
      SetFileAttributesA(HostsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
      CopyFileA(backup.c_str(), HostsPath().c_str(), FALSE);
    }
    SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CopyFileA(HostsPath().c_str(), backup.c_str(), FALSE));
    hostsAttributes_ = GetFileAttributesA(HostsPath().c_str());
    hostsWritten_ = Written(HostsPath());
    liveMode_ = ReadDword(HKEY_LOCAL_MACHINE, kLiveUpdateKey, "AUOptions", &liveModeFound_);
    MonitorTest::SetUp();
  }
  void TearDown() override {
    MonitorTest::TearDown();
    const std::string backup = BinFolder() + kBackupName;
    SetFileAttributesA(HostsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (CopyFileA(backup.c_str(), HostsPath().c_str(), FALSE)) DeleteFileA(backup.c_str());
    SetWritten(HostsPath(), hostsWritten_);
    SetFileAttributesA(HostsPath().c_str(), hostsAttributes_);
    if (liveModeFound_) {
      WriteDword(HKEY_LOCAL_MACHINE, kLiveUpdateKey, "AUOptions", liveMode_);
    } else {
      RegKey key;
      if (key.Open(HKEY_LOCAL_MACHINE, kLiveUpdateKey, KEY_SET_VALUE))
        RegDeleteValueA(key.get(), "AUOptions");
    }
  }

 private:
  DWORD hostsAttributes_ = INVALID_FILE_ATTRIBUTES;
  FILETIME hostsWritten_ = {};
  DWORD liveMode_ = 0;
  bool liveModeFound_ = false;
};

}  // namespace

TEST_F(SweepSystemFilesTest, RejectedHostsChangeIsPutBackReadOnlyAndNotAskedAgain) {
  const std::string hosts = HostsPath();
  const std::string original = ReadTextFile(hosts);
  WriteOption("HostFile", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);

  FILETIME later = Written(hosts);
  later.dwHighDateTime += 100;  // half a day on, whatever the date text's precision
  WriteBytes(hosts, original + "10.9.9.9 bank.example\r\n");
  SetWritten(hosts, later);
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY);

  const HWND dialog = DialogAfterCycles(monitor, window, kFileChangeCaption);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("HOSTS", DialogItemText(dialog, kSystemFileName));
  PressBoxButton(dialog, kRejectChange);
  EXPECT_TRUE(WaitUntil([&] { return ReadTextFile(hosts) == original; }));
  EXPECT_TRUE(GetFileAttributesA(hosts.c_str()) & FILE_ATTRIBUTE_READONLY);

  RunSweepCycle(window);
  RunSweepCycle(window);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kFileChangeCaption));
}

// The prefix reports Windows 6.1: the monitor hands the write to the explorer's job, started
// for administrator consent, and the explorer puts the approved mode back.
TEST_F(SweepSystemFilesTest, UpdateModeChangeAnsweredYesIsPutBackByTheExplorerJob) {
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((BinFolder() + "\\KorvaneEx.exe").c_str()))
      << "KorvaneEx.exe belongs beside Korvane.exe";
  WriteDword(HKEY_LOCAL_MACHINE, kLiveUpdateKey, "AUOptions", 4);
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  EXPECT_EQ(4u, ReadDword(HKEY_CURRENT_USER, kBaseKey, "AUOptions"));
  WriteDword(HKEY_LOCAL_MACHINE, kLiveUpdateKey, "AUOptions", 1);
  ASSERT_TRUE(monitor.CountStarts());

  RunSweepCycle(window);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindDialog(monitor.Id(), kUpdateModeCaption)) != nullptr; }));
  EXPECT_NE(std::string::npos, BoxText(box).find("Has been changed to:\nTurn off Automatic"))
      << BoxText(box);
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(
      WaitUntil([] { return ReadDword(HKEY_LOCAL_MACHINE, kLiveUpdateKey, "AUOptions") == 4; }));
  EXPECT_EQ(2u, monitor.Starts()) << "the monitor and the explorer's job";
  EXPECT_EQ(4u, ReadDword(HKEY_CURRENT_USER, kBaseKey, "AUOptions"));
}
