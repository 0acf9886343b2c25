// The monitor's own autostart entry against foreign entries that borrow its name.
#include "startup/own_entry.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"
#include "startup/self_autostart.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_list.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

ItemRow FindByCommand(const std::string& command) {
  for (const ItemRow& row : ReadItems())
    if (row.command == command) return row;
  return {"(missing " + command + ")"};
}

using OwnEntryTest = RegistrySandbox;

}  // namespace

TEST_F(OwnEntryTest, AutostartValueIsQuotedAndKnownUnderTheListedCommand) {
  ASSERT_EQ(1, SetSelfAutostart(true));
  const std::string program = ProgramFile("korvane.exe");
  EXPECT_EQ("\"" + program + "\" -expressboot",
            ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane"));
  BuildStartupList(0);
  const ItemRow own = FindByCommand(program + " -expressboot");
  EXPECT_EQ(1, own.code) << own.title;
  EXPECT_EQ(1, SnapshotLookup(own.title.c_str(), own.command.c_str()));
  EXPECT_TRUE(IsSelfAutostart());
}

TEST_F(OwnEntryTest, OnlyOurProgramInOurFolderIsOurs) {
  EXPECT_TRUE(OwnEntryCommand(("\"" + ProgramFile("Korvane.exe") + "\" -expressboot").c_str()));
  EXPECT_TRUE(OwnEntryCommand(ProgramFile("korvaneex.exe").c_str()));
  EXPECT_TRUE(OwnEntryCommand("korvane.exe"));
  EXPECT_FALSE(OwnEntryCommand("C:\\Other\\korvane.exe -expressboot"));
  EXPECT_FALSE(OwnEntryCommand("C:\\Korvane Tools\\evil.exe"));
  EXPECT_FALSE(OwnEntryCommand((ProgramFile("korvane.exe.evil.exe")).c_str()));
  EXPECT_FALSE(OwnEntryCommand(nullptr));
}

TEST_F(OwnEntryTest, ForeignEntryTitledKorvaneKeepsItsTitleAndItsRemovalSparesOurs) {
  ASSERT_EQ(1, SetSelfAutostart(true));
  const std::string ours = ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane");
  ASSERT_TRUE(SettingsWriteString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane Helper",
                                  "C:\\Korvane Tools\\evil.exe"));
  BuildStartupList(0);
  const ItemRow foreign = FindByCommand("C:\\Korvane Tools\\evil.exe");
  EXPECT_EQ("Korvane Helper", foreign.title);

  EXPECT_EQ(1, RemoveStartupEntry(foreign.title.c_str(), foreign.command.c_str(),
                                  foreign.key.c_str(), foreign.code));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Korvane Helper"));
  EXPECT_EQ(ours, ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane"));
  EXPECT_NE(std::string::npos, HistoryText().find("\tKorvane Helper\tC:\\Korvane Tools\\evil.exe"))
      << HistoryText();
}

TEST_F(OwnEntryTest, RemovingAnEntryThatIsNotThereWritesNothingAndKeepsItKnown) {
  ASSERT_TRUE(SnapshotMarkKnown("C:\\G\\gone.exe", 11));
  EXPECT_EQ(0, RemoveStartupEntry("Gone", "C:\\G\\gone.exe", "", 11));
  EXPECT_EQ("", HistoryText());
  EXPECT_EQ(11, SnapshotLookup("Gone", "C:\\G\\gone.exe"));
}
