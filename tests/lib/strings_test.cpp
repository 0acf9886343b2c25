#include "foundation/strings.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr int kName = 1;       // "Korvane"
constexpr int kCode = 634;     // "us"
constexpr int kAbsent = 1166;  // beyond the table's numbers
constexpr int kPrompt = 707;   // one "%s" and nothing else to convert

class StringsTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    g_languageId = 0;
  }
  void TearDown() override {
    g_languageId = 0;
    RegistrySandbox::TearDown();
  }
  static void Override(int number, const std::string& text) {
    const std::string name = "LString" + std::to_string(number);
    ASSERT_EQ(1, SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, name.c_str(), text.c_str()));
  }
  std::string Local(int number, int capacity = 1024) {
    char out[1024] = "unchanged";
    length_ = LocalString(number, out, capacity);
    return out;
  }
  int length_ = 0;
};

TEST_F(StringsTest, LanguageCodeSwitchesOverridesOn) {
  EXPECT_EQ("Kor", Local(kName, 4));
  EXPECT_EQ(3, length_);
  EXPECT_EQ("", Local(kAbsent));
  Override(kName, "Anders");
  EXPECT_EQ("Anders", Local(kName));  // language not chosen yet
  ChooseLanguage();
  EXPECT_EQ(9, g_languageId);
  EXPECT_EQ("Korvane", Local(kName));
  Override(kCode, "DE");
  ChooseLanguage();
  EXPECT_EQ(7, g_languageId);
  EXPECT_EQ("Anders", Local(kName));
  Override(kCode, "xx");
  ChooseLanguage();
  EXPECT_EQ(0, g_languageId);
}

TEST_F(StringsTest, OverridesExpandLineBreaksAndAreCut) {
  Override(kName, "Zeile%nZwei");
  EXPECT_EQ("Zeile\nZwei", Local(kName));
  EXPECT_EQ(11, length_);  // before the expansion
  Override(kName, "abcdefghij");
  EXPECT_EQ("abcd", Local(kName, 5));
  Override(kName, std::string(771, 'x'));
  EXPECT_EQ(std::string(771, 'x'), Local(kName));
  Override(kName, std::string(772, 'x'));  // too long for the store: absent
  EXPECT_EQ("Korvane", Local(kName));
}

TEST_F(StringsTest, OverridesMustKeepTheBuiltInConversions) {
  const std::string builtIn = Local(kPrompt);
  ASSERT_NE(std::string::npos, builtIn.find("%s"));
  Override(kPrompt, "%d Programme");
  EXPECT_EQ(builtIn, Local(kPrompt));
  Override(kPrompt, "%s l\xe4uft.%nBeenden?");
  EXPECT_EQ("%s l\xe4uft.\nBeenden?", Local(kPrompt));
  Override(kAbsent, "%s");
  EXPECT_EQ("", Local(kAbsent));
  Override(kAbsent, "In Gebrauch");
  EXPECT_EQ("In Gebrauch", Local(kAbsent));
}

TEST_F(StringsTest, ResetTranslationDeletesOverridesAndPlacements) {
  for (int number : {0, 1165, 1166}) Override(number, "x");
  for (const char* value : {"dyPos", "xPosAlert", "Version"})
    SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, value, "1");
  ResetTranslation();
  for (const char* gone : {"LString0", "LString1165"})
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kBaseKey, gone)) << gone;
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kBaseKey, "LString1166"));
  for (const char* gone : {"dyPos", "xPosAlert"})
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBaseKey, gone)) << gone;
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kBaseKey, "Version"));
}

}  // namespace
