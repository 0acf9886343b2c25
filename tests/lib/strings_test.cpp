#include "foundation/strings.h"

#include <cstdio>
#include <string>

#include "foundation/placement.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr int kName = 1;        // "Korvane"
constexpr int kCode = 634;      // "us"
constexpr int kAbsent = 1166;   // beyond the table's numbers
constexpr int kPrompt = 707;    // one "%s" and nothing else to convert

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
    char name[32];
    std::snprintf(name, sizeof name, "LString%d", number);
    ASSERT_EQ(1, SettingsWriteString(HKEY_LOCAL_MACHINE, kBaseKey, name, text.c_str()));
  }
  static std::string Local(int number, int capacity = 1024, int expectedLength = -1) {
    char out[1024] = "unchanged";
    int length = LocalString(number, out, capacity);
    if (expectedLength >= 0) {
      EXPECT_EQ(expectedLength, length) << out;
    }
    return out;
  }
};

TEST_F(StringsTest, LanguageCodeSwitchesOverridesOn) {
  EXPECT_EQ("Kor", Local(kName, 4, 3));
  EXPECT_EQ("", Local(kAbsent, 1024, 0));
  Override(kName, "Anders");
  EXPECT_EQ("Anders", Local(kName));  // language not chosen yet
  ChooseLanguage();
  EXPECT_EQ(9, g_languageId);
  EXPECT_EQ("Korvane", Local(kName));
  Override(kCode, "DE");
  ChooseLanguage();
  EXPECT_EQ(7, g_languageId);
  EXPECT_EQ("Anders", Local(kName, 1024, 6));
  Override(kCode, "xx");
  ChooseLanguage();
  EXPECT_EQ(0, g_languageId);
}

TEST_F(StringsTest, OverridesExpandLineBreaksAndAreCut) {
  Override(kName, "Zeile%nZwei");
  EXPECT_EQ("Zeile\nZwei", Local(kName, 1024, 11));  // length before the expansion
  Override(kName, "abcdefghij");
  EXPECT_EQ("abcd", Local(kName, 5, 5));
  Override(kName, std::string(771, 'x'));
  EXPECT_EQ(std::string(771, 'x'), Local(kName, 1024, 771));
  Override(kName, std::string(772, 'x'));  // too long for the store: absent
  EXPECT_EQ("Korvane", Local(kName));
}

TEST_F(StringsTest, OverridesMustKeepTheBuiltInConversions) {
  const std::string builtIn = Local(kPrompt);
  ASSERT_NE(std::string::npos, builtIn.find("%s"));
  for (const char* unsafe : {"%s%s%s", "Ohne Platzhalter", "%d Programme", "%n%s%n%"}) {
    Override(kPrompt, unsafe);
    EXPECT_EQ(builtIn, Local(kPrompt)) << unsafe;
  }
  Override(kPrompt, "%s l\xe4uft.%nBeenden?");
  EXPECT_EQ("%s l\xe4uft.\nBeenden?", Local(kPrompt));
  Override(kName, "Korvane %s");
  EXPECT_EQ("Korvane", Local(kName));
  Override(kAbsent, "%s");
  EXPECT_EQ("", Local(kAbsent));
  Override(kAbsent, "In Gebrauch");
  EXPECT_EQ("In Gebrauch", Local(kAbsent));
}

TEST_F(StringsTest, SetDialogTextKeepsTheTemplateTextForMissingStrings) {
  HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                nullptr, nullptr);
  HWND control = CreateWindowExA(0, "STATIC", "template", WS_CHILD, 0, 0, 9, 9, dialog,
                                 reinterpret_cast<HMENU>(INT_PTR{100}), nullptr, nullptr);
  char text[64];
  SetDialogText(dialog, kAbsent, 100);
  GetWindowTextA(control, text, sizeof text);
  EXPECT_STREQ("template", text);
  SetDialogText(dialog, kName, 100);
  GetWindowTextA(control, text, sizeof text);
  EXPECT_STREQ("Korvane", text);
  DestroyWindow(dialog);
}

TEST_F(StringsTest, ResetTranslationDeletesOverridesAndPlacements) {
  for (int number : {0, 1, 1165, 1166}) Override(number, "x");
  for (const PlacementNames& names : kPlacementNames)
    for (const char* value : {names.left, names.top, names.width, names.height})
      SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, value, "1");
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "1");
  ResetTranslation();
  for (const char* gone : {"LString0", "LString1", "LString1165"})
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kBaseKey, gone)) << gone;
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kBaseKey, "LString1166"));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kBaseKey, 0, KEY_READ, &key));
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(1u, values);  // only Version is left
}

}  // namespace
