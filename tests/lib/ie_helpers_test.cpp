#include "categories/ie_helpers.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "foundation/settings.h"
#include "records/history.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

struct Row {
  std::string title, command, key, extra;
  int code = 0;
  bool operator==(const Row&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << r.title << " | " << r.command << " | " << r.key << " | " << r.extra << " | "
               << r.code;
  }
};

Row At(int i) {
  char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize], extra[kItemExtraSize];
  ItemTitle(i, title);
  ItemCommand(i, command);
  ItemKey(i, key);
  ItemExtra(i, extra, sizeof extra);
  return {title, command, key, extra, ItemCode(i)};
}

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

class IEHelpersTest : public RegistrySandbox {
 protected:
  void TearDown() override {
    ItemListClear();
    RegistrySandbox::TearDown();
  }
};

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
  EXPECT_EQ((Row{"plain.dll", "plain.dll", "{B1}", "", kTypeBHO}), At(0));
  EXPECT_EQ((Row{"bar.dll", "C:\\nowhere\\bar.dll", "AB-1", "", kTypeToolbar}), At(1));
  EXPECT_EQ("", At(2).command);
  EXPECT_EQ((Row{"Related", "C:\\nowhere\\tool.exe", "{E1}", "C:\\nowhere\\tool.exe",
                 kTypeExtension}),
            At(3));
  EXPECT_EQ((Row{"Notes", "C:\\nowhere\\notes.htm", "{E2}", "C:\\nowhere\\hot.ico",
                 kTypeExtension}),
            At(4));
}

TEST_F(IEHelpersTest, RemovalTakesTheChosenEntryOnly) {
  char history[MAX_PATH];
  ASSERT_GT(HistoryFilePath(history, sizeof history), 0);
  DeleteFileA(history);
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
  std::ifstream in(history, std::ios::binary);
  EXPECT_NE(std::string::npos,
            std::string(std::istreambuf_iterator<char>(in), {}).find("fake.dll"));
  EXPECT_EQ(1, RemoveIEHelper("C:\\nowhere\\bar.dll", 2));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\other.dll", 7));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBHOKey));
  in.close();
  DeleteFileA(history);
}

TEST_F(IEHelpersTest, HostileEntriesAreSkippedOrCut) {
  Toolbar(std::string(300, 'x').c_str());
  const char raw[] = {'A', 'B', 'C'};
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, (std::string(kExtensionsKey) + "\\{E}").c_str(),
                  "ButtonText", REG_BINARY, raw, sizeof raw);
  Extension("{E}", "Exec", std::string(65536, 'e'));
  Extension("{F}", "ButtonText", std::string(2000, 'b'));
  Extension("{F}", "Exec", "C:\\nowhere\\f.exe");
  BHO("{B}");
  Server("{B}", "C:\\" + std::string(2000, 'p'));

  ASSERT_EQ(2, EnumerateIEHelpers());
  EXPECT_EQ(259u, At(0).command.size());
  EXPECT_EQ(std::string(127, 'b'), At(1).title);
}
