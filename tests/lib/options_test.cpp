#include <set>
#include <string>

#include "foundation/options.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

void PutOption(const char* name, const char* text) {
  ASSERT_EQ(1, SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, name, text));
}

std::string Option(const char* name) { return ReadRegString(HKEY_CURRENT_USER, kOptionsKey, name); }

using OptionsTest = RegistrySandbox;

TEST_F(OptionsTest, GetReadsDecimalTextOrTheDefault) {
  EXPECT_EQ(7, OptionGet("Services", 7));
  const struct {
    std::string text;
    int value;
  } cases[] = {{"", 7}, {"abc", 0}, {"12minutes", 12}, {"-3", -3}, {std::string(128, '5'), 7}};
  for (const auto& c : cases) {
    PutOption("Services", c.text.c_str());
    EXPECT_EQ(c.value, OptionGet("Services", 7)) << c.text;
  }
}

TEST_F(OptionsTest, SetWritesDecimalTextAndLeavesUpdateAtOne) {
  EXPECT_EQ(1, OptionSet("HideStartup", 2));
  EXPECT_EQ("2", Option("HideStartup"));
  EXPECT_EQ("1", Option("Update"));
  PutOption("Update", "0");
  OptionSet("Sound", -1);
  EXPECT_EQ("-1", Option("Sound"));
  EXPECT_EQ("1", Option("Update"));
  OptionSet("Update", 0);
  EXPECT_EQ("1", Option("Update"));
}

TEST_F(OptionsTest, LoadSkipsOnDemandRowsAndResetsCountdownsButWinInitOnlyRises) {
  for (int i = 0; i < kOptionCount; ++i) EXPECT_EQ(i, kOptionTable[i].id);
  OptionsRecord record{};
  record.value[kOptTrayIcon] = record.value[kOptDebug] = -5;
  record.countdown[kOptServices] = 30;
  record.countdown[kOptWinInit] = 9;
  record.secondHalf = true;
  PutOption("Debug", "1");
  PutOption("Start", "4");
  PutOption("WinInit", "6");
  LoadOptions(record);
  EXPECT_EQ(315, record.value[kOptMaxCookie]);
  EXPECT_EQ(-5, record.value[kOptTrayIcon]);
  EXPECT_EQ(-5, record.value[kOptDebug]);
  EXPECT_FALSE(record.secondHalf);
  EXPECT_EQ(4, record.countdown[kOptStart]);
  EXPECT_EQ(7, record.countdown[kOptServices]);
  EXPECT_EQ(6, record.value[kOptWinInit]);
  EXPECT_EQ(9, record.countdown[kOptWinInit]);
  PutOption("WinInit", "12");
  LoadOptions(record);
  EXPECT_EQ(12, record.countdown[kOptWinInit]);
}

TEST_F(OptionsTest, ExplorerWriterStoresExactlyTheWritableRows) {
  OptionsRecord record{};
  for (int i = 0; i < kOptionCount; ++i) record.value[i] = 100 + i;
  ExplorerWriteOptions(record);
  const std::set<std::string> notWritten = {"MaxCookie", "TrayIcon",       "Cleanup",
                                            "Debug",     "BrowserFailure", "StartTab"};
  for (const OptionRow& row : kOptionTable)
    EXPECT_EQ(notWritten.count(row.name) == 0,
              RegValueExists(HKEY_CURRENT_USER, kOptionsKey, row.name))
        << row.name;
  EXPECT_EQ("1", Option("Update"));
  EXPECT_EQ("101", Option("HideTobbit"));

  OptionsRecord reread{};
  ExplorerLoadOptions(reread);
  EXPECT_EQ(100 + kOptRealtimeHidden, reread.value[kOptRealtimeHidden]);
  EXPECT_EQ(4096, reread.value[kOptMaxCookie]);
}

}  // namespace
