#include "categories/ie_helpers.h"

#include <fstream>
#include <iterator>
#include <string>

#include "foundation/settings.h"
#include "records/history.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

class IEHelpersTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    ASSERT_GT(HistoryFilePath(history_, sizeof history_), 0);
    DeleteFileA(history_);
  }
  void TearDown() override {
    ItemListClear();
    DeleteFileA(history_);
    RegistrySandbox::TearDown();
  }
  static void Server(const std::string& clsid, const char* path) {
    SettingsWriteString(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid + "\\InprocServer32").c_str(), "",
                        path);
  }
  static void BHO(const std::string& clsid) {
    SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + clsid).c_str());
  }
  static void Extension(const std::string& clsid, const char* value, const char* text) {
    SettingsWriteString(HKEY_LOCAL_MACHINE, (std::string(kExtensionsKey) + "\\" + clsid).c_str(),
                        value, text);
  }
  std::string History() const {
    std::ifstream in(history_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  char history_[MAX_PATH] = "";
};

struct Seen {
  std::string title, command, key, extra;
  int code;
};

Seen At(int i) {
  char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize], extra[kItemExtraSize];
  ItemTitle(i, title);
  ItemCommand(i, command);
  ItemKey(i, key);
  ItemExtra(i, extra, sizeof extra);
  return {title, command, key, extra, ItemCode(i)};
}

}  // namespace

TEST_F(IEHelpersTest, ToolbarsAndExtensionsWithoutHelperObjects) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, "AB-1", "");
  Server("{AB-1}", "C:\\nowhere\\bar.dll");
  Extension("{E1}", "ButtonText", "@C:\\WINDOWS\\System32\\SHDOCLC.DLL,-864");
  Extension("{E1}", "Exec", "C:\\nowhere\\tool.exe");
  Extension("{E2}", "ButtonText", "Notes");
  Extension("{E2}", "script", "C:\\nowhere\\notes.htm");
  Extension("{E2}", "HotIcon", "C:\\nowhere\\hot.ico");
  Extension("{E3}", "Exec", "C:\\nowhere\\nobutton.exe");

  ASSERT_EQ(3, EnumerateIEHelpers());
  const Seen toolbar = At(0), related = At(1), script = At(2);
  EXPECT_EQ("bar.dll", toolbar.title);
  EXPECT_EQ("C:\\nowhere\\bar.dll", toolbar.command);
  EXPECT_EQ("AB-1", toolbar.key);
  EXPECT_EQ(kTypeToolbar, toolbar.code);
  EXPECT_EQ("Related", related.title);
  EXPECT_EQ("C:\\nowhere\\tool.exe", related.extra);
  EXPECT_EQ(kTypeExtension, related.code);
  EXPECT_EQ("Notes", script.title);
  EXPECT_EQ("C:\\nowhere\\notes.htm", script.command);
  EXPECT_EQ("C:\\nowhere\\hot.ico", script.extra);
}

TEST_F(IEHelpersTest, HelperObjectsComeFirstAndNeedAServer) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}", "");
  BHO("{B1}");
  Server("{B1}", "plain.dll");
  BHO("{B2}");
  ASSERT_EQ(2, EnumerateIEHelpers());
  EXPECT_EQ("plain.dll", At(0).title);
  EXPECT_EQ(kTypeBHO, At(0).code);
  EXPECT_EQ("", At(1).command);  // a toolbar without server is still listed
}

TEST_F(IEHelpersTest, RemovalTakesTheChosenEntryOnly) {
  const char* fake = "C:\\nowhere at all\\fake.dll";
  BHO("{B1}");
  Server("{B1}", fake);
  BHO("{B2}");
  Server("{B2}", "C:\\nowhere\\other.dll");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}", "");
  Server("{T}", "C:\\nowhere\\bar.dll");
  ASSERT_EQ(3, EnumerateIEHelpers());

  EXPECT_EQ(1, RemoveIEHelper("c:\\NOWHERE AT ALL\\fake.dll", 0));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B1}").c_str()));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B2}").c_str()));
  EXPECT_NE(std::string::npos, History().find("fake.dll"));

  EXPECT_EQ(1, RemoveIEHelper("C:\\nowhere\\bar.dll", 2));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\other.dll", 7));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBHOKey));
}

TEST_F(IEHelpersTest, HostileEntriesAreSkippedOrCut) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, std::string(300, 'x').c_str(), "");
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kExtensionsKey) + "\\{E}").c_str(),
                            0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const char raw[] = {'A', 'B', 'C'};
  RegSetValueExA(key, "ButtonText", 0, REG_BINARY, reinterpret_cast<const BYTE*>(raw), 3);
  RegCloseKey(key);
  Extension("{E}", "Exec", std::string(65536, 'e').c_str());
  Extension("{F}", "ButtonText", std::string(2000, 'b').c_str());
  Extension("{F}", "Exec", "C:\\nowhere\\f.exe");

  BHO("{B}");
  Server("{B}", ("C:\\" + std::string(2000, 'p')).c_str());

  ASSERT_EQ(2, EnumerateIEHelpers());
  EXPECT_EQ(259u, At(0).command.size());
  EXPECT_EQ(std::string(127, 'b'), At(1).title);
}
