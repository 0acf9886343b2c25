// The monitored HOSTS file and the automatic-update guard through the real monitor, and the
// explorer's job switches that do the machine-wide writes for it.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFileChangeCaption[] = "Korvane: File Change Alert";
inline constexpr char kUpdateModeCaption[] = "Korvane - Windows Auto Update Settings";
inline constexpr int kSystemFileName = 1211;
inline constexpr int kRejectChange = 1209;
inline constexpr char kUpdateModeKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
inline constexpr char kBackupName[] = "\\hosts.kvbackup";
inline constexpr char kPrefixesKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
inline constexpr char kDefaultPrefixKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";

std::string HostsPath() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

// Half a day on, whatever the precision of the date text the monitor compares.
void MoveWrittenTimeOn(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  FILETIME written = {};
  GetFileTime(file.get(), nullptr, nullptr, &written);
  written.dwHighDateTime += 100;
  SetFileTime(file.get(), nullptr, nullptr, &written);
}

// Runs the explorer with the arguments; true when it ended by itself with code 0.
bool RunExplorerJob(const char* arguments) {
  ProgramRun explorer;
  return explorer.Start("KorvaneEx.exe", arguments) && explorer.WaitExit() &&
         explorer.ExitCode() == 0;
}

// The prefix's HOSTS and machine values are put back after every test. HOSTS also after one
// that ended in a crash: the copy taken first stays beside the tests until one ends normally.
class SweepSystemFilesTest : public MonitorTest {
 protected:
  void SetUp() override {
    const std::string backup = BinFolder() + kBackupName;  // copied with date and attributes
    if (GetFileAttributesA(backup.c_str()) == INVALID_FILE_ATTRIBUTES) {
      ASSERT_TRUE(CopyFileA(HostsPath().c_str(), backup.c_str(), TRUE));
    }
    updateMode_ = ReadDword(HKEY_LOCAL_MACHINE, kUpdateModeKey, "AUOptions");
    prefix_ = ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www");
    defaultPrefix_ = ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "");
    MonitorTest::SetUp();
  }
  void TearDown() override {
    MonitorTest::TearDown();
    const std::string backup = BinFolder() + kBackupName;
    SetFileAttributesA(HostsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (CopyFileA(backup.c_str(), HostsPath().c_str(), FALSE)) {
      SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(backup.c_str());
    }
    WriteDword(HKEY_LOCAL_MACHINE, kUpdateModeKey, "AUOptions", updateMode_);
    WriteRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www", prefix_.c_str());
    WriteRegString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "", defaultPrefix_.c_str());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Tool");
  }

 private:
  DWORD updateMode_ = kNoDword;
  std::string prefix_, defaultPrefix_;
};

}  // namespace

// The prefix reports Windows 6.1: the monitor hands the update-mode write to the explorer's
// job, started for administrator consent, and the explorer puts the approved mode back.
TEST_F(SweepSystemFilesTest, HostsChangeRejectedAndUpdateModeChangeAnsweredYesArePutBack) {
  const std::string hosts = HostsPath();
  const std::string original = FileText(hosts);
  WriteOption("HostFile", "1");
  WriteDword(HKEY_LOCAL_MACHINE, kUpdateModeKey, "AUOptions", 4);
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  EXPECT_EQ(4u, ReadDword(HKEY_CURRENT_USER, kBaseKey, "AUOptions"));

  ASSERT_TRUE(WriteTextFile(hosts, original + "10.9.9.9 bank.example\r\n"));
  MoveWrittenTimeOn(hosts);
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY);
  const HWND dialog = DialogAfterCycles(monitor, window, kFileChangeCaption);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("HOSTS", DialogItemText(dialog, kSystemFileName));
  PressBoxButton(dialog, kRejectChange);
  EXPECT_TRUE(WaitUntil([&] { return FileText(hosts) == original; }));
  EXPECT_TRUE(GetFileAttributesA(hosts.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, kFileChangeCaption));

  WriteDword(HKEY_LOCAL_MACHINE, kUpdateModeKey, "AUOptions", 1);
  ASSERT_TRUE(monitor.CountStarts());
  const HWND box = DialogAfterCycles(monitor, window, kUpdateModeCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), "Has been changed to:\nTurn off Automatic")) << BoxText(box);
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(
      WaitUntil([] { return ReadDword(HKEY_LOCAL_MACHINE, kUpdateModeKey, "AUOptions") == 4; }));
  EXPECT_EQ(2u, monitor.Starts()) << "the monitor and the explorer's job";
  EXPECT_EQ(4u, ReadDword(HKEY_CURRENT_USER, kBaseKey, "AUOptions"));
}

TEST_F(SweepSystemFilesTest, ExplorerJobsWriteBackTheApprovedValuesWithoutAWindow) {
  const char* const delayed = "C:\\T\\TOOL.EXE";
  WriteSetting("Software\\Tamsel\\Korvane\\Delay", delayed, "11");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Title", delayed, "Tool");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Time", delayed, "30");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Parameters", delayed, " -min");
  WriteSetting(kBaseKey, "wwwPrefix", "https://");
  WriteRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www", "ftp://");
  ASSERT_TRUE(RunExplorerJob("-SetPrefix -Restore"));
  EXPECT_EQ("C:\\T\\TOOL.EXE -min", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Delay", delayed));
  EXPECT_EQ("ftp://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"))
      << "only the first job in the order -Restore, -AUOption, -SetPrefix runs";

  ASSERT_TRUE(RunExplorerJob("/x -setprefix"));
  EXPECT_EQ("https://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"));
  EXPECT_EQ("https://", ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""));
}
