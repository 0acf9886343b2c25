// The explorer's job switches: each does its write and ends without a window.
#include <windows.h>

#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kUpdateKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
inline constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
inline constexpr char kDefaultPrefixKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
inline constexpr char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

DWORD ReadNumber(HKEY root, const char* subkey, const char* value) {
  DWORD number = 0, size = sizeof number;
  if (RegGetValueA(root, subkey, value, RRF_RT_REG_DWORD, nullptr, &number, &size) !=
      ERROR_SUCCESS)
    return 0xFFFFFFFF;
  return number;
}

// The machine's values are put back whatever a test does to them.
class ExplorerJobsTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    updateMode_ = ReadNumber(HKEY_LOCAL_MACHINE, kUpdateKey, "AUOptions");
    prefix_ = ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www");
    defaultPrefix_ = ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "");
  }
  void TearDown() override {
    RegKey update;
    if (update.Create(HKEY_LOCAL_MACHINE, kUpdateKey, KEY_SET_VALUE)) {
      if (updateMode_ == 0xFFFFFFFF)
        RegDeleteValueA(update.get(), "AUOptions");
      else
        RegSetValueExA(update.get(), "AUOptions", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&updateMode_), sizeof updateMode_);
    }
    WriteRegText(HKEY_LOCAL_MACHINE, kPrefixesKey, "www", prefix_.c_str());
    WriteRegText(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "", defaultPrefix_.c_str());
    RegKey run;
    if (run.Open(HKEY_CURRENT_USER, kUserRunKey, KEY_SET_VALUE)) RegDeleteValueA(run.get(), "Tool");
    MonitorTest::TearDown();
  }
  // Runs the explorer with the arguments; true when it ended by itself with code 0.
  static bool RunJob(const char* arguments) {
    ProgramRun explorer;
    if (!explorer.Start("KorvaneEx.exe", arguments)) return false;
    const bool ended = explorer.WaitExit();
    return ended && explorer.ExitCode() == 0;
  }

 private:
  DWORD updateMode_ = 0;
  std::string prefix_, defaultPrefix_;
};

}  // namespace

TEST_F(ExplorerJobsTest, UpdateModeAndPrefixAreWrittenBackFromTheApprovedCopies) {
  WriteSetting(kBaseKey, "wwwPrefix", "https://");
  RegKey user;
  ASSERT_TRUE(user.Create(HKEY_CURRENT_USER, kBaseKey, KEY_SET_VALUE));
  const DWORD approved = 4;
  RegSetValueExA(user.get(), "AUOptions", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&approved),
                 sizeof approved);
  WriteRegText(HKEY_LOCAL_MACHINE, kPrefixesKey, "www", "ftp://");

  ASSERT_TRUE(RunJob("/x -auoption"));
  EXPECT_EQ(4u, ReadNumber(HKEY_LOCAL_MACHINE, kUpdateKey, "AUOptions"));
  EXPECT_EQ("ftp://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"))
      << "only the first job of the line runs";

  ASSERT_TRUE(RunJob("-SetPrefix"));
  EXPECT_EQ("https://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"));
  EXPECT_EQ("https://", ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""));

  RegDeleteValueA(user.get(), "wwwPrefix");
  ASSERT_TRUE(RunJob("-SetPrefix"));
  EXPECT_EQ("http://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixesKey, "www"));
}

TEST_F(ExplorerJobsTest, RestorePutsDelayedProgramsBackWithoutAWindow) {
  WriteSetting("Software\\Tamsel\\Korvane\\Delay", "C:\\T\\TOOL.EXE", "11");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Title", "C:\\T\\TOOL.EXE", "Tool");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Time", "C:\\T\\TOOL.EXE", "30");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Parameters", "C:\\T\\TOOL.EXE", " -min");
  ASSERT_TRUE(RunJob("-Restore -AUOption"));
  EXPECT_EQ("C:\\T\\TOOL.EXE -min", ReadRegString(HKEY_CURRENT_USER, kUserRunKey, "Tool"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Delay",
                              "C:\\T\\TOOL.EXE"));
  EXPECT_TRUE(RunJob("-OPTIONS")) << "until its window exists, any other start just ends";
}
