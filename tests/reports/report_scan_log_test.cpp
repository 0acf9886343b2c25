// The scan log over a seeded, sandboxed machine: each seeded place shows up as its tagged
// line, hostile texts cannot forge lines, and a failed write leaves the old log.
#include "reports/report_scan_log.h"

#include <windows.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "categories/ie_helpers.h"
#include "categories/services.h"
#include "categories/system_files.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kMachineRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kBho[] = "{6B1D0C11-3333-4000-8000-000000000003}";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The machine's HOSTS file is no registry value: it is swapped for the test and put back.
class HostsSwap {
 public:
  explicit HostsSwap(const std::string& text) {
    char path[MAX_PATH] = "";
    HostsFilePath(path, sizeof path);
    path_ = path;
    saved_ = path_ + ".kvsaved";
    had_ = MoveFileExA(path_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~HostsSwap() {
    DeleteFileA(path_.c_str());
    if (had_) MoveFileExA(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

 private:
  std::string path_, saved_;
  bool had_ = false;
};

class ScanLogTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    OptionSet("HideMicrosoftServices", 0);
    sample_ = ProgramFile("kv_versioned_sample.exe");
  }
  std::string Written(bool full = true) {
    const std::string path = ScratchFolder() + "\\HijackKorvane.log";
    EXPECT_TRUE(WriteScanLogFile(path, full)) << GetLastError();
    return FileText(path);
  }
  void SeedService() {
    const std::string service = std::string(kServicesRegistryKey) + "\\KvLogService";
    WriteRegString(HKEY_LOCAL_MACHINE, service, "ImagePath", sample_ + " -service");
    WriteRegString(HKEY_LOCAL_MACHINE, service, "DisplayName", "Kv Log Service");
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, service.c_str(), "Start", 2);
  }
  std::string sample_;
};

}  // namespace

TEST_F(ScanLogTest, SeededPlacesAppearAsTheirTaggedLines) {
  WriteRegString(HKEY_LOCAL_MACHINE, kMachineRun, "Tool", "C:\\T\\tool.exe");
  WriteRegString(HKEY_CURRENT_USER, kMachineRun, "Mine", "C:\\U\\mine.exe /min");
  WriteRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", "explorer.exe kvshell.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", "C:\\W\\userinit.exe,kvinit.exe");
  WriteRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kBho + "\\InprocServer32", nullptr,
                 "C:\\T\\kvhelper.dll");
  SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + kBho).c_str());
  SeedService();
  HostsSwap hosts("# comment\r\n127.0.0.1 localhost\r\n::1 localhost\r\n0.0.0.0 ads.example\r\n"
                  "10.0.0.5 example\r\n10.0.0.6\tlast.example");
  const std::string log = Written();

  EXPECT_TRUE(Has(log, "\r\nO4 - HKLM\\..\\Run: [Tool]C:\\T\\tool.exe\r\n"));
  EXPECT_TRUE(Has(log, "\r\nO4 - HKCU\\..\\Run: [Mine]C:\\U\\mine.exe /min\r\n"));
  EXPECT_TRUE(Has(log, "\r\nF0 - system.ini: Shell=explorer.exe kvshell.exe\r\n"));
  EXPECT_TRUE(Has(log, "\r\nF2 - REG: system.ini: UserInit=C:\\W\\userinit.exe,kvinit.exe\r\n"));
  EXPECT_TRUE(Has(log, std::string("\r\nO2 - BHO: kvhelper.dll - ") + kBho + " - C:\\T\\kvhelper.dll\r\n"));
  EXPECT_TRUE(Has(log, "\r\nO23 - Service: Kv Log Service - Korvane Tests - " + sample_ + " -service\r\n"));
  EXPECT_TRUE(Has(log, "\r\nO1 - Hosts: 10.0.0.5 example\r\n"));
  EXPECT_TRUE(Has(log, "\r\nO1 - Hosts: 10.0.0.6 last.example\r\n"));
  EXPECT_FALSE(Has(log, "localhost"));
  EXPECT_FALSE(Has(log, "ads.example"));
  EXPECT_FALSE(Has(log, "comment"));

  // The catalogue's order: the boot files, HOSTS, helpers, Run entries, services.
  const std::size_t order[] = {log.find("F0 - "), log.find("F2 - "), log.find("O1 - "),
                               log.find("O2 - "), log.find("O4 - "), log.find("O23 - ")};
  for (std::size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1], order[i]) << i;
}

TEST_F(ScanLogTest, DefaultShellAndNoServicesInAShortLog) {
  WriteRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", "Explorer.exe");
  SeedService();
  const std::string log = Written(false);
  EXPECT_FALSE(Has(log, "F0 - "));
  EXPECT_FALSE(Has(log, "O23 - "));
}

TEST_F(ScanLogTest, HeaderOrderLineEndsAndClosing) {
  const std::string log = Written();
  EXPECT_EQ(0u, log.find("Log created by "));
  const std::regex saved("\r\nScan saved at [ 1][0-9]:[0-5][0-9]:[0-5][0-9] [AP]M, on [ 1][0-9]/[0-3][0-9]/[0-9]{4}\r\n");
  EXPECT_TRUE(std::regex_search(log, saved));
  EXPECT_TRUE(Has(log, "\r\nPlatform: "));
  EXPECT_TRUE(Has(log, "\r\nBoot mode: Normal\r\nRunning processes:\r\n"));
  EXPECT_TRUE(Has(log, "\r\n---  Additional Korvane Info  ---\r\n"));
  EXPECT_TRUE(Has(log, "\r\nMemory currently in use: "));
  ASSERT_GT(log.size(), 20u);
  EXPECT_EQ("--\r\nEnd of file\r\n", log.substr(log.size() - 17));
  for (std::size_t i = 0; i < log.size(); ++i)
    if (log[i] == '\n') ASSERT_TRUE(i > 0 && log[i - 1] == '\r') << "bare line feed at " << i;
}

TEST_F(ScanLogTest, HostileTitlesCannotForgeLines) {
  WriteRegString(HKEY_LOCAL_MACHINE, kMachineRun, "Evil\r\nO4 - HKLM\\..\\Run: [Fake]", "C:\\e.exe\tx");
  const std::string log = Written(false);
  EXPECT_TRUE(Has(log, "\r\nO4 - HKLM\\..\\Run: [Evil  O4 - HKLM\\..\\Run: [Fake]]C:\\e.exe x\r\n"));
  EXPECT_FALSE(Has(log, "\r\nO4 - HKLM\\..\\Run: [Fake]"));
}

TEST_F(ScanLogTest, OnlyTheFirst41HiddenFilesAreLogged) {
  // The scratch folder stands in for the common-files folder the hidden-file search visits.
  SettingsWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                      "CommonFilesDir", ScratchFolder().c_str());
  std::vector<std::string> files;
  for (int i = 0; i < 45; ++i) {
    files.push_back(WriteScratchFile(("kvhidden" + std::to_string(i) + ".txt").c_str(), "x"));
    SetFileAttributesA(files.back().c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  const std::string log = Written(false);
  std::size_t lines = 0;
  for (std::size_t at = log.find("\r\nKV32 - Hidden File: "); at != std::string::npos;
       at = log.find("\r\nKV32 - Hidden File: ", at + 1))
    ++lines;
  EXPECT_EQ(41u, lines);
  for (const std::string& file : files) SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ScanLogTest, FailedWriteKeepsTheOldLog) {
  const std::string path = WriteScratchFile("HijackKorvane.log", "old log");
  ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
  EXPECT_FALSE(WriteScanLogFile(path, false));
  EXPECT_NE(0u, GetLastError());
  EXPECT_EQ("old log", FileText(path));
  RemoveDirectoryA((path + ".new").c_str());
}
