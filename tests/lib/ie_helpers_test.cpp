#include "categories/ie_helpers.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

void Server(const std::string& clsid, const std::string& path) {
  SettingsWriteString(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid + "\\InprocServer32").c_str(), "",
                      path.c_str());
}
void BHO(const std::string& clsid) {
  SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + clsid).c_str());
}
void Toolbar(const char* name) { SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, name, ""); }
void Extension(const std::string& clsid, const char* value, const std::string& text) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, (std::string(kExtensionsKey) + "\\" + clsid).c_str(),
                      value, text.c_str());
}

using IEHelpersTest = RegistrySandbox;

}  // namespace

TEST_F(IEHelpersTest, HelperObjectsWithServersThenToolbarsThenExtensions) {
  BHO("{B1}");
  Server("{B1}", "plain.dll");
  BHO("{B2}");  // no server: not listed
  Toolbar("AB-1");
  Server("{AB-1}", "C:\\nowhere\\bar.dll");
  Toolbar("{T}");  // listed without a server
  Extension("{E1}", "ButtonText", "@C:\\WINDOWS\\System32\\SHDOCLC.DLL,-864");
  Extension("{E1}", "Exec", "C:\\nowhere\\tool.exe");
  Extension("{E2}", "ButtonText", "Notes");
  Extension("{E2}", "script", "C:\\nowhere\\notes.htm");
  Extension("{E2}", "HotIcon", "C:\\nowhere\\hot.ico");
  Extension("{E3}", "Exec", "C:\\nowhere\\nobutton.exe");

  ASSERT_EQ(5, EnumerateIEHelpers());
  EXPECT_EQ((ItemRow{"plain.dll", "plain.dll", "{B1}", "", kTypeBHO}), ReadItem(0));
  EXPECT_EQ((ItemRow{"bar.dll", "C:\\nowhere\\bar.dll", "AB-1", "", kTypeToolbar}), ReadItem(1));
  EXPECT_EQ("", ReadItem(2).command);
  EXPECT_EQ((ItemRow{"Related", "C:\\nowhere\\tool.exe", "{E1}", "C:\\nowhere\\tool.exe",
                     kTypeExtension}),
            ReadItem(3));
  EXPECT_EQ(
      (ItemRow{"Notes", "C:\\nowhere\\notes.htm", "{E2}", "C:\\nowhere\\hot.ico", kTypeExtension}),
      ReadItem(4));
}

TEST_F(IEHelpersTest, RemovalTakesTheChosenEntryOnly) {
  BHO("{B1}");
  Server("{B1}", "C:\\nowhere at all\\fake.dll");
  BHO("{B2}");
  Server("{B2}", "C:\\nowhere\\other.dll");
  Toolbar("{T}");
  Server("{T}", "C:\\nowhere\\bar.dll");
  ASSERT_EQ(3, EnumerateIEHelpers());

  EXPECT_EQ(1, RemoveIEHelper("c:\\NOWHERE AT ALL\\fake.dll", 0));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B1}").c_str()));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B2}").c_str()));
  EXPECT_NE(std::string::npos, HistoryText().find("fake.dll"));
  EXPECT_EQ(1, RemoveIEHelper("C:\\nowhere\\bar.dll", 2));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\other.dll", 7));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBHOKey));
}

TEST_F(IEHelpersTest, RemovalThatTheRegistryRefusesWritesNoHistory) {
  Toolbar("{T}");
  Server("{T}", "C:\\nowhere\\bar.dll");
  ASSERT_EQ(1, EnumerateIEHelpers());
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, true));
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\bar.dll", 0));
  EXPECT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, false));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ("", HistoryText());
}

TEST_F(IEHelpersTest, HostileEntriesAreSkippedOrCut) {
  Toolbar(std::string(300, 'x').c_str());
  WriteRegValue(HKEY_LOCAL_MACHINE, std::string(kExtensionsKey) + "\\{E}", "ButtonText", REG_BINARY,
                "ABC");
  Extension("{E}", "Exec", std::string(65536, 'e'));
  Extension("{F}", "ButtonText", std::string(2000, 'b'));
  Extension("{F}", "Exec", "C:\\nowhere\\f.exe");
  BHO("{B}");
  Server("{B}", "C:\\" + std::string(2000, 'p'));

  ASSERT_EQ(2, EnumerateIEHelpers());
  EXPECT_EQ(259u, ReadItem(0).command.size());
  EXPECT_EQ(std::string(127, 'b'), ReadItem(1).title);
}
