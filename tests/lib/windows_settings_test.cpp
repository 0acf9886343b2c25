#include <string>
#include <vector>

#include "categories/windows_settings.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kLiveUpdate[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kPrefixes[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kDefaultPrefix[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";

struct Asked {
  GuardedSetting setting;
  std::string caption;
  std::string text;
};
std::vector<Asked> g_asked;
std::vector<GuardedSetting> g_handedOver;
bool g_answerPutBack = false;

class WindowsSettingsTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    g_asked.clear();
    g_handedOver.clear();
    g_answerPutBack = false;
    SetPrefix("http://");
  }
  static int Guard(bool handOver) {
    const auto ask = [](GuardedSetting setting, const char* caption, const char* text) {
      g_asked.push_back({setting, caption, text});
      return g_answerPutBack;
    };
    const auto handed = [](GuardedSetting setting) { g_handedOver.push_back(setting); };
    UserHooks hooks;
    hooks.askGuardedSetting = ask;
    if (handOver) hooks.handOverGuardedSetting = handed;
    UserHooksInstall(hooks);
    const int result = GuardWindowsSettings();
    UserHooksInstall({});
    return result;
  }
  static void SetLiveMode(DWORD mode) {
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, kLiveUpdate, "AUOptions", mode);
  }
  static void SetPrefix(const char* prefix) {
    SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixes, "www", prefix);
  }
};

TEST_F(WindowsSettingsTest, InitTakesTheApprovedModeOnFirstSightOnly) {
  InitApprovedUpdateMode();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBaseKey, "AUOptions"));
  for (DWORD mode : {4, 1}) {
    SetLiveMode(mode);
    InitApprovedUpdateMode();
    EXPECT_EQ(4, ApprovedUpdateMode());
  }
}

// Machines without any update mode still have their prefix guarded; the pass that first
// takes a live mode asks nothing.
TEST_F(WindowsSettingsTest, FirstStartTakesTheLiveModeWithoutAQuestion) {
  SetPrefix("ftp://");
  EXPECT_EQ(1, Guard(false));
  EXPECT_EQ(0, ApprovedUpdateMode());
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_EQ(GuardedSetting::Prefix, g_asked[0].setting);

  SetLiveMode(4);
  SetPrefix("gopher://");
  EXPECT_EQ(1, Guard(false));
  EXPECT_EQ(4, ApprovedUpdateMode());
  EXPECT_EQ(1u, g_asked.size());
  EXPECT_EQ(0, Guard(false));
  ASSERT_EQ(2u, g_asked.size());
  EXPECT_EQ(GuardedSetting::Prefix, g_asked[1].setting);
}

TEST_F(WindowsSettingsTest, ModeFourToOneIsPutBackOrHandedOverOnYesAndApprovedOnNo) {
  SetLiveMode(4);
  Guard(false);
  SetLiveMode(1);
  g_answerPutBack = true;
  EXPECT_EQ(0, Guard(true));
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_NE(std::string::npos,
            g_asked[0].text.find("Previous Status:\nAutomatically download recommended updates "
                                 "for my computer and install them.\n\nHas been changed to:\n"
                                 "Turn off Automatic Updates.\n"))
      << g_asked[0].text;
  EXPECT_TRUE(g_asked[0].caption.ends_with(" - Windows Auto Update Settings"));
  EXPECT_EQ(std::vector{GuardedSetting::UpdateMode}, g_handedOver);
  EXPECT_EQ(1, LiveUpdateMode()) << "the hand-over changes nothing itself";
  Guard(false);
  EXPECT_EQ(2u, g_asked.size()) << "asked again while the live value still differed";
  EXPECT_EQ(4, LiveUpdateMode());

  SetLiveMode(1);
  g_answerPutBack = false;
  Guard(false);
  EXPECT_EQ(1, ApprovedUpdateMode());
  EXPECT_EQ(1, LiveUpdateMode());
}

TEST_F(WindowsSettingsTest, PrefixComparesWithoutLetterCase) {
  SetLiveMode(4);
  Guard(false);
  SetPrefix("HTTP://");
  Guard(false);
  EXPECT_TRUE(g_asked.empty());

  SetPrefix("http://search.example/?q=");
  g_answerPutBack = true;
  Guard(false);
  ASSERT_EQ(1u, g_asked.size());
  EXPECT_NE(std::string::npos, g_asked[0].text.find("Previous Prefix:   http://\n\nHas been "
                                                    "changed to:  http://search.example/?q=\n"));
  EXPECT_EQ("http://", ReadRegString(HKEY_LOCAL_MACHINE, kPrefixes, "www"));
  EXPECT_EQ("http://", ReadRegString(HKEY_LOCAL_MACHINE, kDefaultPrefix, ""));

  SetPrefix("https://");
  g_answerPutBack = false;
  Guard(true);
  char approved[kPrefixSize] = "";
  ApprovedPrefix(approved, kPrefixSize);
  EXPECT_STREQ("https://", approved);
  EXPECT_TRUE(g_handedOver.empty());
}

}  // namespace
