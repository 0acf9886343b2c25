#include "startup/startup_approved.h"

#include <string>

#include "sandbox.h"
#include "startup/disabled_titles.h"
#include "startup/locations.h"
#include "startup/startup_actions.h"

using namespace std::string_literals;

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kApproved[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

std::string Approved(HKEY root, const char* store, const char* name) {
  DWORD type = REG_NONE, size = 64;
  std::string bytes(size, '\0');
  if (RegGetValueA(root, (kApproved + std::string(store)).c_str(), name, RRF_RT_ANY, &type,
                   bytes.data(), &size))
    return "";
  return bytes.substr(0, size);
}

void MarkApproved(HKEY root, const char* store, const char* name, char first) {
  WriteRegValue(root, kApproved + std::string(store), name, REG_BINARY,
                std::string(1, first) + std::string(11, '\0'));
}

class StartupApprovedTest : public RegistrySandbox {};

}  // namespace

TEST_F(StartupApprovedTest, AnEntryTurnedOffByTaskManagerIsShownDisabledAndEnabledInPlace) {
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "Chat", "C:\\Chat\\chat.exe");
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "Sync", "C:\\Sync\\sync.exe");
  MarkApproved(HKEY_CURRENT_USER, "Run", "Chat", '\x03');
  MarkApproved(HKEY_CURRENT_USER, "Run", "Sync", '\x06');
  MarkApproved(HKEY_LOCAL_MACHINE, "Run32", "Old", '\x07');
  EXPECT_TRUE(IsTitleDisabled("Chat"));
  EXPECT_FALSE(IsTitleDisabled("Sync"));
  const std::vector<std::string> titles = DisabledTitleList();
  EXPECT_TRUE(DisabledTitleListHolds(titles, "chat"));
  EXPECT_TRUE(DisabledTitleListHolds(titles, "Old"));
  EXPECT_FALSE(DisabledTitleListHolds(titles, "Sync"));
  char label[512];
  LocationLabel("Chat", 11, label, sizeof label);
  EXPECT_NE(std::string::npos, std::string(label).find(" * ")) << label;

  // Enabling leaves the value where it is and turns the mark on, on any system.
  EXPECT_EQ(1, ToggleStartupEntry("Chat", "C:\\Chat\\chat.exe", "", 11));
  EXPECT_EQ("C:\\Chat\\chat.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Chat"));
  EXPECT_FALSE(StartupApprovedOff(11, "Chat"));
  EXPECT_FALSE(IsTitleDisabled("Chat"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Chat"));
}

TEST_F(StartupApprovedTest, KorvanesOwnToggleKeepsTheStoreInStepFromWindows8On) {
  const std::string off = Approved(HKEY_CURRENT_USER, "Run", "Tool");
  EXPECT_EQ("", off);
  // Windows 7 keeps no store: nothing is written when disabling.
  EXPECT_EQ(1, StartupApprovedKeepOn(6, 1, 11, "Tool", true));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, (kApproved + "Run"s).c_str(), "Tool"));
  // Windows 8 and 10: off with the time, then on again.
  EXPECT_EQ(1, StartupApprovedKeepOn(6, 2, 11, "Tool", true));
  EXPECT_TRUE(StartupApprovedOff(11, "Tool"));
  EXPECT_EQ(12u, Approved(HKEY_CURRENT_USER, "Run", "Tool").size());
  EXPECT_EQ(1, StartupApprovedKeepOn(10, 0, 11, "Tool", false));
  EXPECT_EQ("\x02"s + std::string(11, '\0'), Approved(HKEY_CURRENT_USER, "Run", "Tool"));
  // The machine's 32-bit Run key has its own store; the folder files go by file name and only
  // where the store knows them.
  EXPECT_EQ(1, StartupApprovedKeepOn(10, 0, 21, "Tool32", true));
  EXPECT_TRUE(StartupApprovedOff(21, "Tool32"));
  EXPECT_FALSE(StartupApprovedOff(1, "Tool32"));
  MarkApproved(HKEY_LOCAL_MACHINE, "StartupFolder", "App.lnk", '\x02');
  EXPECT_EQ(1, StartupApprovedKeepOn(10, 0, 200, "C:\\S\\App.lnk", true));
  EXPECT_TRUE(StartupApprovedOff(200, "C:\\Other\\App.lnk"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, (kApproved + "StartupFolder"s).c_str(),
                              "App.lnk"));
  // Codes without a store, and hostile data, read as on.
  EXPECT_EQ(1, StartupApprovedKeepOn(10, 0, 12, "Once", true));
  EXPECT_FALSE(StartupApprovedOff(12, "Once"));
  WriteRegString(HKEY_CURRENT_USER, kApproved + "Run"s, "Text", "\x03");
  EXPECT_FALSE(StartupApprovedOff(11, "Text"));
  WriteRegValue(HKEY_CURRENT_USER, kApproved + "Run"s, "Empty", REG_BINARY, "");
  EXPECT_FALSE(StartupApprovedOff(11, "Empty"));
}

TEST_F(StartupApprovedTest, DisablingAndEnablingARunEntryClearsAStaleOffMark) {
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "Tool", "C:\\T\\tool.exe");
  EXPECT_EQ(1, ToggleStartupEntry("Tool", "C:\\T\\tool.exe", "", 11));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "Tool"));
  // A mark left off from an earlier Task Manager visit would keep Windows from running it.
  MarkApproved(HKEY_CURRENT_USER, "Run", "Tool", '\x03');
  ToggleStartupEntry("Tool", "C:\\T\\tool.exe", "", 11);
  EXPECT_EQ("C:\\T\\tool.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_FALSE(StartupApprovedOff(11, "Tool"));
}

TEST_F(StartupApprovedTest, TheMonitorsDisableLeavesATurnedOffEntryOffAndFolderFilesGoByFile) {
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "Chat", "C:\\Chat\\chat.exe");
  MarkApproved(HKEY_CURRENT_USER, "Run", "Chat", '\x03');
  // Disabled already: known, still off, nothing moved into Korvane's own store.
  EXPECT_EQ(1, DisableStartupEntryKnown("Chat", "C:\\Chat\\chat.exe", "", 11));
  EXPECT_TRUE(StartupApprovedOff(11, "Chat"));
  EXPECT_EQ("C:\\Chat\\chat.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "Chat"));
  EXPECT_EQ("11", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run",
                                "C:\\Chat\\chat.exe"));

  const std::string folder = ScratchFolder() + "\\Startup";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetShellFolder("Startup", folder);
  const std::string file = WriteScratchFile("Startup\\Agent.exe", "MZ");
  MarkApproved(HKEY_CURRENT_USER, "StartupFolder", "Agent.exe", '\x03');
  const std::vector<std::string> titles = DisabledTitleList();
  EXPECT_TRUE(DisabledEntryHolds(titles, 200, "Agent", file.c_str()));
  EXPECT_FALSE(DisabledEntryHolds(titles, 11, "Agent", file.c_str()));
  EXPECT_TRUE(IsEntryDisabled("Agent", 200, file.c_str()));
  EXPECT_EQ(1, DisableStartupEntryKnown("Agent", file.c_str(), file.c_str(), 200));
  EXPECT_TRUE(PathExists(file)) << "left where it is";
  // Enabling turns it on where it lies.
  EXPECT_EQ(1, ToggleStartupEntry("Agent", file.c_str(), file.c_str(), 200));
  EXPECT_TRUE(PathExists(file));
  EXPECT_FALSE(IsEntryDisabled("Agent", 200, file.c_str()));
}
