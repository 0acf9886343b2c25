#include <windows.h>

#include <string>
#include <vector>

#include "categories/windows_settings.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kLiveUpdate[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kPrefixes[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kDefaultPrefix[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";

struct Asked {
  GuardedSetting setting;
  std::string caption;
  std::string text;
};
std::vector<Asked> g_asked;
std::vector<GuardedSetting> g_handedOver;
bool g_answerPutBack = false;

bool RecordAsk(GuardedSetting setting, const char* caption, const char* text) {
  g_asked.push_back({setting, caption, text});
  return g_answerPutBack;
}
void RecordHandOver(GuardedSetting setting) { g_handedOver.push_back(setting); }

class WindowsSettingsTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    g_asked.clear();
    g_handedOver.clear();
    g_answerPutBack = false;
    SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "http://");
  }
  static int Guard(bool handOver) {
    return GuardWindowsSettings({RecordAsk, handOver ? RecordHandOver : nullptr});
  }
  static void SetLiveMode(int mode) {
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, kLiveUpdate, "AUOptions", static_cast<DWORD>(mode));
  }
};

TEST_F(WindowsSettingsTest, FirstStartTakesTheLiveModeWithoutAQuestion) {
  SetLiveMode(4);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "ftp://");
  EXPECT_EQ(1, Guard(false));
  EXPECT_EQ(4, ApprovedUpdateMode());
  EXPECT_TRUE(g_asked.empty()) << "the prefix waits for the next pass";
  EXPECT_EQ(0, Guard(false));
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_EQ(GuardedSetting::Prefix, g_asked[0].setting);
}

// Machines without any update mode still have their prefix guarded.
TEST_F(WindowsSettingsTest, NoModeAnywhereStillGuardsThePrefix) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "ftp://");
  EXPECT_EQ(1, Guard(false));
  EXPECT_EQ(0, ApprovedUpdateMode());
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_EQ(GuardedSetting::Prefix, g_asked[0].setting);
}

TEST_F(WindowsSettingsTest, ModeFourToOneNamesBothModesAndNoApproves) {
  SetLiveMode(4);
  Guard(false);
  SetLiveMode(1);
  EXPECT_EQ(0, Guard(false));
  ASSERT_EQ(1u, g_asked.size());
  const std::string& text = g_asked[0].text;
  EXPECT_NE(std::string::npos,
            text.find("Previous Status:\nAutomatically download recommended updates for my "
                      "computer and install them.\n\nHas been changed to:\nTurn off Automatic "
                      "Updates.\n"))
      << text;
  const std::string caption = g_asked[0].caption;
  EXPECT_EQ(" - Windows Auto Update Settings",
            caption.substr(caption.size() - std::string(" - Windows Auto Update Settings").size()));
  EXPECT_EQ(1, ApprovedUpdateMode());
  EXPECT_EQ(1, LiveUpdateMode());
}

TEST_F(WindowsSettingsTest, YesWritesTheModeBackOrHandsTheWriteOver) {
  SetLiveMode(4);
  Guard(false);
  SetLiveMode(1);
  g_answerPutBack = true;
  Guard(true);
  EXPECT_EQ(1, LiveUpdateMode()) << "the hand-over changes nothing itself";
  ASSERT_EQ(1u, g_handedOver.size());
  EXPECT_EQ(GuardedSetting::UpdateMode, g_handedOver[0]);
  EXPECT_EQ(4, ApprovedUpdateMode());
  Guard(false);
  EXPECT_EQ(4, LiveUpdateMode());
  EXPECT_EQ(2u, g_asked.size()) << "asked again while the live value still differed";
}

TEST_F(WindowsSettingsTest, PrefixComparesWithoutLetterCase) {
  SetLiveMode(4);
  Guard(false);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "HTTP://");
  Guard(false);
  EXPECT_TRUE(g_asked.empty());

  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "http://search.example/?q=");
  g_answerPutBack = true;
  Guard(false);
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_NE(std::string::npos, g_asked[0].text.find("Previous Prefix:   http://\n\nHas been "
                                                    "changed to:  http://search.example/?q=\n"));
  EXPECT_EQ("http://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixes, "www"));
  EXPECT_EQ("http://", ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefix, ""));

  SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", "https://");
  g_answerPutBack = false;
  Guard(true);
  char approved[kPrefixSize] = "";
  ApprovedPrefix(approved, kPrefixSize);
  EXPECT_STREQ("https://", approved);
  EXPECT_TRUE(g_handedOver.empty());
}

}  // namespace
