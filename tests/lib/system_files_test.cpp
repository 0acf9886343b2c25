#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/system_files.h"
#include "categories/system_files_restart.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr long long kDay = 24LL * 3600 * 10000000;

std::string RecordKey(const char* name) { return std::string(kSystemFilesKey) + "\\" + name; }
std::string Record(const char* name, const char* value) {
  return ReadRegString(HKEY_LOCAL_MACHINE, RecordKey(name).c_str(), value);
}

// Last-write time some days before now, so that every rewrite below has a date of its own.
void SetWrittenDaysAgo(const std::string& path, int days) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, 0, nullptr));
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= static_cast<ULONGLONG>(days * kDay);
  const FILETIME stamp = {time.LowPart, time.HighPart};
  SetFileTime(file.get(), nullptr, nullptr, &stamp);
}

void Rewrite(const std::string& path, const std::string& bytes, int daysAgo) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream(path, std::ios::binary) << bytes;
  SetWrittenDaysAgo(path, daysAgo);
}

class SystemFilesTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    SetShellFolder("AppData", ScratchFolder());
  }
  void TearDown() override {
    for (const std::string& path : made_) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RegistrySandbox::TearDown();
  }
  std::string Watched(const char* name, const std::string& bytes, int type) {
    const std::string path = WriteScratchFile(name, bytes);
    SetWrittenDaysAgo(path, 10);
    made_.push_back(path);
    made_.push_back(SavedCopy(name));
    EXPECT_EQ(1, RegisterSystemFile(name, path.c_str(), "A watched file.", type));
    return path;
  }
  static std::string SavedCopy(const char* name) {
    char saved[kPathSize] = "";
    SystemFileSavedCopy(name, saved, kPathSize);
    return saved;
  }

 private:
  std::vector<std::string> made_;
};

// Before the record knew the content: a type-0 file needed a new date and size. Now the
// content decides, so a same-size rewrite is seen and a new date alone is not.
TEST_F(SystemFilesTest, ContentDecidesWhateverTheDateAndSizeSay) {
  const std::string hosts = Watched("HOSTS", "127.0.0.1 localhost\r\n", 0);
  const std::string boot = Watched("Config.sys", "FILES=40\r\n", 1);
  EXPECT_EQ("0", Record("HOSTS", "Type"));
  EXPECT_EQ(hosts, Record("HOSTS", "Location"));
  EXPECT_EQ("21", Record("HOSTS", "Size"));
  EXPECT_EQ("127.0.0.1 localhost\r\n", FileText(SavedCopy("HOSTS")));

  EXPECT_EQ(64u, Record("HOSTS", "Hash").size());
  Rewrite(hosts, "10.0.0.5  example\r\n\r\n", 5);  // same size, new date
  Rewrite(boot, "FILES=40\r\n", 5);                  // same bytes, new date
  EXPECT_EQ(SystemFileState::Changed, CompareSystemFile("HOSTS", hosts.c_str()));
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("Config.sys", boot.c_str()));
  Rewrite(boot, "FILES=60\r\n", 5);
  EXPECT_EQ(SystemFileState::Changed, CompareSystemFile("Config.sys", boot.c_str()));

  // A date that cannot be read (here 5000 characters) makes the file known as it is now; a
  // missing file keeps its record.
  SettingsWriteString(HKEY_LOCAL_MACHINE, RecordKey("HOSTS").c_str(), "Date",
                      std::string(5000, '7').c_str());
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));
  DeleteFileA(boot.c_str());
  EXPECT_EQ(SystemFileState::Missing, CompareSystemFile("Config.sys", boot.c_str()));
  EXPECT_EQ(2u, WatchedSystemFiles().size());
}

// The record's time has minute precision: a rewrite in the same minute, or one that puts the
// time back, leaves time and size as they were recorded. The bytes still tell.
TEST_F(SystemFilesTest, ARewriteInTheRecordsMinuteOrWithItsTimeSetBackIsSeen) {
  const std::string hosts = Watched("HOSTS", "127.0.0.1 localhost\r\n", 1);
  WIN32_FILE_ATTRIBUTE_DATA recorded = {};
  ASSERT_TRUE(GetFileAttributesExA(hosts.c_str(), GetFileExInfoStandard, &recorded));
  const auto putTimeBack = [&] {
    Handle file(CreateFileA(hosts.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &recorded.ftLastWriteTime));
  };
  Rewrite(hosts, "10.6.6.6 localhost\r\n", 1);
  putTimeBack();
  EXPECT_EQ(SystemFileState::Changed, CompareSystemFile("HOSTS", hosts.c_str()));
  ASSERT_TRUE(AcceptSystemFileChange("HOSTS", hosts.c_str(), false));
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));
  Rewrite(hosts, "10.7.7.7 localhost\r\n", 1);
  putTimeBack();
  EXPECT_EQ(SystemFileState::Changed, CompareSystemFile("HOSTS", hosts.c_str()));
  ASSERT_TRUE(RejectSystemFileChange("HOSTS", hosts.c_str(), false));
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));

  // A record an older version made has no fingerprint: the saved copy gives it.
  SettingsDeleteValue(HKEY_LOCAL_MACHINE, RecordKey("HOSTS").c_str(), "Hash");
  Rewrite(hosts, "10.8.8.8 localhost\r\n", 1);
  putTimeBack();
  EXPECT_EQ(SystemFileState::Changed, CompareSystemFile("HOSTS", hosts.c_str()));
  EXPECT_EQ(64u, Record("HOSTS", "Hash").size());
}

TEST_F(SystemFilesTest, StopWatchingOnAcceptKeepsNoLocationAndOnRejectNoRecord) {
  const std::string hosts = Watched("HOSTS", "127.0.0.1 localhost\r\n", 0);
  const std::string boot = Watched("Autoexec.bat", "@ECHO OFF\r\n", 0);
  Rewrite(hosts, "10.9.9.9 bank.example\r\n", 3);
  Rewrite(boot, "@ECHO ON and more\r\n", 3);

  ASSERT_TRUE(AcceptSystemFileChange("HOSTS", hosts.c_str(), true));
  EXPECT_EQ("23", Record("HOSTS", "Size"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, RecordKey("HOSTS").c_str(), "Location"));
  EXPECT_EQ("10.9.9.9 bank.example\r\n", FileText(SavedCopy("HOSTS")));

  ASSERT_TRUE(RejectSystemFileChange("Autoexec.bat", boot.c_str(), true));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey("Autoexec.bat").c_str()));
  EXPECT_EQ("@ECHO OFF\r\n", FileText(boot));
  EXPECT_TRUE(WatchedSystemFiles().empty());
}

TEST_F(SystemFilesTest, RejectRestoresAReadOnlyFileThatStaysReadOnlyAndMatchesItsRecord) {
  const std::string hosts = Watched("HOSTS", "127.0.0.1 localhost\r\n", 0);
  Rewrite(hosts, "10.9.9.9 bank.example\r\n", 3);
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(SystemFileState::Changed, CompareSystemFile("HOSTS", hosts.c_str()));

  ASSERT_TRUE(RejectSystemFileChange("HOSTS", hosts.c_str(), false));
  EXPECT_EQ("127.0.0.1 localhost\r\n", FileText(hosts));
  EXPECT_TRUE(GetFileAttributesA(hosts.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(GetFileAttributesA(SavedCopy("HOSTS").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));
  EXPECT_EQ(1u, WatchedSystemFiles().size());
}

// Another program holds the file open without sharing: its facts still come from the folder,
// nothing reads as an empty file, and a copy fails with the reason for the error box.
TEST_F(SystemFilesTest, LockedFileIsNeitherChangedToEmptyNorOverwritten) {
  const std::string hosts = Watched("HOSTS", "127.0.0.1 localhost\r\n", 0);
  Handle lock(CreateFileA(hosts.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  EXPECT_EQ(SystemFileState::Unchanged, CompareSystemFile("HOSTS", hosts.c_str()));
  EXPECT_EQ("21", Record("HOSTS", "Size"));

  EXPECT_FALSE(RejectSystemFileChange("HOSTS", hosts.c_str(), false));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  EXPECT_FALSE(AcceptSystemFileChange("HOSTS", hosts.c_str(), false));
  EXPECT_NE(0u, GetLastError());
  EXPECT_EQ("127.0.0.1 localhost\r\n", FileText(SavedCopy("HOSTS")));
  lock.Reset();
  EXPECT_EQ("127.0.0.1 localhost\r\n", FileText(hosts));
}

TEST_F(SystemFilesTest, FirstRunRegistersHostsAndBootFilesAndSavedCopiesStayInTheDataFolder) {
  InitSystemFiles();
  char hosts[kPathSize] = "";
  ASSERT_NE(0, HostsFilePath(hosts, kPathSize));
  EXPECT_NE(std::string::npos, std::string(hosts).find("\\drivers\\etc\\HOSTS"));
  EXPECT_EQ(hosts, Record("HOSTS", "Location"));
  EXPECT_NE("", ReadRegString(HKEY_LOCAL_MACHINE, kSystemFilesKey, ""));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, RecordKey("Config.sys").c_str()));
  const std::string saved = SavedCopy("HOSTS");
  EXPECT_EQ(ScratchFolder() + "\\Korvane\\HOSTS", saved);
  SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileText(hosts), FileText(saved));
  EXPECT_EQ("", SavedCopy(".."));
  EXPECT_EQ("", SavedCopy("x:stream"));
}

TEST_F(SystemFilesTest, RestartCommandsNeedTheProgramAndTextAndDeleteLinesNameShortPaths) {
  const std::string folder = ScratchFolder();
  const std::string ini = WriteScratchFile("wininit.ini", "[rename]\nNUL=C:\\OLD.EXE\n");
  EXPECT_FALSE(RestartCommandsWatched(folder.c_str()));
  WriteScratchFile("wininit.exe", "MZ");
  EXPECT_TRUE(RestartCommandsWatched(folder.c_str()));
  EXPECT_TRUE(RestartCommandsPresent(folder.c_str()));
  EXPECT_EQ("[rename]\r\nNUL=C:\\OLD.EXE\r\n", RestartCommandsText(folder.c_str()));
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(RestartCommandsDelete(folder.c_str()));
  EXPECT_FALSE(RestartCommandsPresent(folder.c_str()));
  WriteScratchFile("wininit.ini", "");
  EXPECT_FALSE(RestartCommandsPresent(folder.c_str()));

  // The appended line names the short path (the text rules are the core's).
  const std::string doomed = WriteScratchFile("doomed.exe", "MZ");
  ASSERT_EQ(1, AppendRestartDelete(ini.c_str(), doomed.c_str()));
  char shortPath[kPathSize] = "";
  GetShortPathNameA(doomed.c_str(), shortPath, kPathSize);
  EXPECT_EQ(std::string("[rename]\r\nNUL=") + shortPath + "\r\n", FileText(ini));
}

}  // namespace
