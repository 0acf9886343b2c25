// Startup entries that must not escape the list: values of any name and data, names longer
// than a title, keys flooded with values, values the disabled store cannot take back, and
// shortcuts that hand an approved program new arguments.
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "shortcut_sandbox.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_list.h"

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kDisabledRun[] = "Software\\Tamsel\\Korvane\\Disabled\\Run";
constexpr int kUserRun = kLocationFirstPerUser;  // HKCU Run

ItemRow Find(const std::string& title) {
  for (const ItemRow& row : ReadItems())
    if (row.title == title) return row;
  return {"(missing " + title + ")"};
}

ItemRow FindByKey(const std::string& key) {
  for (const ItemRow& row : ReadItems())
    if (row.key == key) return row;
  return {"(missing " + key + ")"};
}

bool Live(const std::string& name) {
  return RegValueExists(HKEY_CURRENT_USER, kRun, name.c_str());
}


using StartupHidingTest = ShortcutSandbox;

}  // namespace

TEST_F(StartupHidingTest, ValuesOfAnyNameOrDataLengthAreListed) {
  WriteRegString(HKEY_CURRENT_USER, kRun, "x", "C:\\x.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Tiny", "a.js");
  WriteRegString(HKEY_CURRENT_USER, kRun, "\xC9lan", "C:\\elan.exe");
  EnumRunKeys();
  EXPECT_EQ(3, ItemCount());
  EXPECT_EQ("a.js", Find("Tiny").command);
  EXPECT_EQ("C:\\x.exe", Find("x").command);
  EXPECT_EQ("C:\\elan.exe", Find("\xC9lan").command);
  EXPECT_EQ(1, RemoveStartupEntry("x", "C:\\x.exe", "", kUserRun));
  EXPECT_FALSE(Live("x"));
}

// A name the title cannot hold is carried in the key (up to 259 characters) and found whole
// beyond that; removing, disabling and enabling all reach the value itself.
TEST_F(StartupHidingTest, NamesLongerThanATitleAreFoundByEveryAction) {
  const std::string longer(200, 'L'), longest = std::string(300, 'M') + "end";
  WriteRegString(HKEY_CURRENT_USER, kRun, longer.c_str(), "C:\\longer.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, longest.c_str(), "C:\\longest.exe");
  EnumRunKeys();
  const ItemRow first = Find(longer.substr(0, kItemTitleSize - 1));
  const ItemRow second = Find(longest.substr(0, kItemTitleSize - 1));
  EXPECT_EQ(longer, first.key);
  EXPECT_EQ(longest.substr(0, kItemKeySize - 1), second.key);

  ASSERT_EQ(1, RemoveStartupEntry(first.title.c_str(), first.command.c_str(), first.key.c_str(),
                                  first.code));
  EXPECT_FALSE(Live(longer));
  ASSERT_EQ(1, DisableStartupEntryKnown(second.title.c_str(), second.command.c_str(),
                                        second.key.c_str(), second.code));
  EXPECT_FALSE(Live(longest));
  EXPECT_EQ("C:\\longest.exe", ReadRegString(HKEY_LOCAL_MACHINE, kDisabledRun, longest.c_str()));
  EXPECT_EQ("11", ReadRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, longest.c_str()));

  BuildStartupList(1);
  const ItemRow held = Find(longest.substr(0, kItemTitleSize - 1));
  ASSERT_EQ(kUserRun, held.code);
  EXPECT_EQ(1, ToggleStartupEntry(held.title.c_str(), held.command.c_str(), held.key.c_str(),
                                  held.code));
  EXPECT_EQ("C:\\longest.exe", ReadRegString(HKEY_CURRENT_USER, kRun, longest.c_str()));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kDisabledIndexKey, longest.c_str()));
}

// Thousands of values in the first key leave the locations after it in the list.
TEST_F(StartupHidingTest, AFloodedRunKeyLeavesTheLaterLocationsListed) {
  RegKey run;
  ASSERT_TRUE(run.Create(HKEY_LOCAL_MACHINE, kRun, KEY_SET_VALUE));
  constexpr int kFlood = 4200;
  for (int i = 0; i < kFlood; ++i) {
    const std::string name = "Flood" + std::to_string(i);
    const std::string data = "C:\\flood\\" + std::to_string(i) + ".exe";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(run.get(), name.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(data.c_str()),
                                            static_cast<DWORD>(data.size() + 1)));
  }
  WriteRegString(HKEY_CURRENT_USER, kRun, "Mine", "C:\\mine.exe");
  EXPECT_EQ(kFlood + 1, BuildStartupList(1));
  EXPECT_EQ(kUserRun, Find("Mine").code);
}

// The index holds the title for another location, so the value cannot be taken back into
// the store: it stays live, and listed, where the monitor can see it.
TEST_F(StartupHidingTest, AValueTheDisabledStoreCannotTakeBackIsListed) {
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Back", "1");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledRun, "Back", "C:\\old.exe");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Back", "C:\\new.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Held", "11");
  WriteRegString(HKEY_CURRENT_USER, kRun, "Held", "C:\\held.exe");
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kDisabledIndexKey, true));
  EnumRunKeys();
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kDisabledIndexKey, false));
  EXPECT_EQ("C:\\new.exe", Find("Back").command);
  EXPECT_EQ(kUserRun, Find("Back").code);
  EXPECT_EQ("C:\\held.exe", Find("Held").command) << "the store could not be written";
  EXPECT_TRUE(Live("Back"));
  EXPECT_TRUE(Live("Held"));
}

// cmd.exe is approved for one shortcut; another that hands it new arguments is a new entry,
// and a delayed one comes back with its arguments.
TEST_F(StartupHidingTest, ShortcutArgumentsAreThePartOfTheEntry) {
  const std::string folder = ScratchFolder() + "\\Startup";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  SetShellFolder("Startup", folder);
  const std::string cmd = WriteScratchFile("cmd.exe", "MZ");
  MakeShortcut(folder + "\\plain.lnk", cmd, "", "");
  EnumStartupFolders();
  ASSERT_EQ(1, ItemCount());
  EXPECT_EQ(cmd, ReadItem(0).command);
  SnapshotMarkKnown(ReadItem(0).command.c_str(), kLocationStartupFolder);
  EXPECT_EQ(0, StartupChanged());

  MakeShortcut(folder + "\\evil.lnk", cmd, "/c C:\\evil.bat", "");
  EXPECT_EQ(1, StartupChanged());
  const ItemRow evil = FindByKey(folder + "\\evil.lnk");
  EXPECT_EQ("cmd", evil.title);
  EXPECT_EQ(cmd + " /c C:\\evil.bat", evil.command);
  EXPECT_EQ(folder + "\\evil.lnk", evil.key);

  ASSERT_EQ(1, RemoveStartupEntry(evil.title.c_str(), evil.command.c_str(), evil.key.c_str(),
                                  evil.code));
  EXPECT_FALSE(PathExists(evil.key));
  ASSERT_EQ(1, RestoreStartupEntry(evil.title.c_str(), evil.command.c_str(), evil.key.c_str(),
                                   evil.code));
  ItemListClear();
  EnumStartupFolders();
  EXPECT_EQ(cmd + " /c C:\\evil.bat", FindByKey(evil.key).command);
}
