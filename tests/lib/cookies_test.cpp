#include "categories/cookies.h"

#include <shlobj.h>

#include <string>

#include "categories/cookies_folders.h"
#include "categories/cookies_mozilla.h"
#include "categories/cookies_nuts.h"
#include "categories/cookies_review.h"
#include "cookies_text.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

std::string Line(const std::string& domain, const std::string& name, const std::string& value,
                 const char* secure = "FALSE") {
  return domain + "\tTRUE\t/p\t" + secure + "\t2000000000\t" + name + "\t" + value + "\r\n";
}

class Cookies : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    CookieKindSet(kCookieKindIE);
  }
  void TearDown() override {
    CookieKindSet(kCookieKindIE);
    FreeNuts();
    if (window_) DestroyWindow(window_);
    RegistrySandbox::TearDown();
  }

  // Makes the folder and those on the way.
  std::string Folder(const std::string& name) {
    const std::string path = ScratchFolder() + "\\" + name;
    SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    return path;
  }
  static void Set(const char* subkey, const std::string& value, const std::string& text) {
    ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, subkey, value.c_str(), text.c_str()));
  }
  // An IE cookie folder with index.dat, named by IECookieFolder.
  std::string IEFolder() {
    const std::string folder = Folder("ie");
    WriteScratchFile("ie\\index.dat", "x");
    Set(kBaseKey, kIECookieFolderValue, folder);
    return folder;
  }
  // A Mozilla profile named by CookieFolder, with its cookies.txt.
  std::string Profile(const std::string& cookies) {
    const std::string folder = Folder("profile");
    WriteScratchFile("profile\\cookies.txt", cookies);
    Set(kBaseKey, kMozillaFolderValue, folder + "\\");
    CookieKindSet(kCookieKindMozilla);
    return folder;
  }
  // A running browser holds its cookie file: the filtered one must wait.
  void OpenBrowserWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MozillaWindowClass";
    RegisterClassA(&windowClass);
    window_ = CreateWindowA("MozillaWindowClass", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window_);
  }
  HWND window_ = nullptr;
};

int g_asked = 0;
bool AnswerYes() { return ++g_asked > 0; }

// What a folder search found, or "none: " and what it left in the buffer.
template <bool (*Find)(char*, int)>
std::string Found() {
  char folder[kPathSize] = "";
  return Find(folder, sizeof folder) ? std::string(folder) : "none: " + std::string(folder);
}

}  // namespace

TEST_F(Cookies, IEFolderIsTheFirstCandidateHoldingIndexDat) {
  EXPECT_EQ("none: Cookie Folder Not Found", Found<FindIECookieFolder>());
  const std::string shell = Folder("shell");
  WriteScratchFile("shell\\index.dat", "x");
  Set(kBaseKey, kIECookieFolderValue, Folder("empty"));
  SetShellFolder("Cookies", shell + "\\");
  EXPECT_EQ(shell + "\\", Found<FindIECookieFolder>());
  const std::string ie = IEFolder();
  EXPECT_EQ(ie + "\\", Found<FindIECookieFolder>());
  Set(kBaseKey, kIECookieFolderValue, ie + std::string(251 - ie.size(), '\\'));
  EXPECT_EQ(shell + "\\", Found<FindIECookieFolder>());
}

TEST_F(Cookies, MozillaProfileFromOverrideOrFirefox) {
  EXPECT_EQ("none: ", Found<FindMozillaProfileFolder>());
  SetShellFolder("AppData", Folder("appdata"));
  const std::string profiles = Folder("appdata\\Mozilla\\FireFox\\Profiles");
  Folder("appdata\\Mozilla\\FireFox\\Profiles\\ab12.default");
  EXPECT_EQ(profiles + "\\ab12.default", Found<FindMozillaProfileFolder>());
  Folder("appdata\\Mozilla\\FireFox\\Profiles\\default.xy");
  EXPECT_EQ(profiles + "\\default.xy", Found<FindMozillaProfileFolder>());
  Set(kBaseKey, kMozillaFolderValue, "D:\\Chosen");
  EXPECT_EQ("D:\\Chosen", Found<FindMozillaProfileFolder>());
}

TEST_F(Cookies, IEListTakesTxtFilesUpToMaxCookie) {
  const std::string folder = IEFolder();
  for (int i = 0; i < 12; ++i)
    WriteScratchFile(("ie\\u@site" + std::to_string(i) + ".txt").c_str(), "c");
  SetFileAttributesA(WriteScratchFile("ie\\u@system.txt", "c").c_str(), FILE_ATTRIBUTE_SYSTEM);
  WriteScratchFile("ie\\u@other.dat", "c");
  Folder("ie\\folder.txt");
  ASSERT_EQ(12, EnumerateCookies(0));
  const ItemRow first = ReadItem(0);
  EXPECT_EQ(kItemCookieCode, first.code);
  EXPECT_EQ(folder + "\\" + first.title, first.command);
  ItemListSetCookieLimit(5);
  EXPECT_EQ(5, EnumerateCookies(0));
  EXPECT_EQ(5, ItemCount());
  CookieKindSet(kCookieKindMozilla);
  EXPECT_EQ(0, EnumerateCookies(0));
}

TEST_F(Cookies, NutRemovesEveryIECookieWhosePathHoldsItInAnyCase) {
  IEFolder();
  for (int i = 0; i < 40; ++i)
    WriteScratchFile(("ie\\a@keep" + std::to_string(i) + ".txt").c_str(), "c");
  const std::string early = WriteScratchFile("ie\\b@DoubleClick[1].txt", "c");
  const std::string late = WriteScratchFile("ie\\z@ads.doubleclick[2].txt", "c");
  SetFileAttributesA(late.c_str(), FILE_ATTRIBUTE_READONLY);
  Set(kNutsKey, "doubleCLICK", "1");
  // The list is full after its first cookie; the filter must still get to every match.
  ItemListSetCookieLimit(1);
  EXPECT_EQ(1, EnumerateCookies(1));
  EXPECT_FALSE(PathExists(early));
  EXPECT_FALSE(PathExists(late));
  EXPECT_FALSE(MatchesNut("doubleclick"));
  ItemListSetCookieLimit(kDefaultCookieLimit);
  EXPECT_EQ(40, EnumerateCookies(0));
}

TEST_F(Cookies, MozillaListHasOneItemPerCookieLine) {
  Profile("# Netscape HTTP Cookie File\r\n\r\n" + Line(".shop.example", "sid", "v1", "TRUE") +
          "no tabs here\r\n" + Line("x.org", "n", std::string(600, 'v')) +
          "y.org\tTRUE\t/\tFALSE\t99999999999999999999\tm\tw");
  // Fields are parsed by the core; here: which field goes where, and the bounds.
  ASSERT_EQ(3, EnumerateCookies(0));
  EXPECT_EQ("shop.example - sid", ReadItem(0).title);
  EXPECT_EQ(kCookieMozillaCode, ItemCode(0));
  EXPECT_EQ(1, ItemValue(0));  // secure
  char text[kItemExtraSize];
  EXPECT_EQ(2, ItemCommand(0, text));
  EXPECT_EQ(2, ItemKey(0, text));
  EXPECT_EQ(kItemKeySize - 1, ItemKey(1, text));
  EXPECT_EQ(0, ItemExtra(2, text, sizeof text));
}

TEST_F(Cookies, OnceOnlyNutsSurviveUntilTheFilteredFileIsInPlace) {
  const std::string folder = Profile(Line("shop.example", "sid", "1") + Line("a.org", "n", "2"));
  Set(kKeptCookiesKey, "shop.example - sid", "1");
  EXPECT_EQ(0, ReplaceMozillaCookieFile());
  EXPECT_EQ(1, CookiesRemove("shop.example - sid"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKeptCookiesKey, "shop.example - sid"));
  EXPECT_EQ("2", ReadRegString(HKEY_CURRENT_USER, kNutsKey, "shop.example - sid"));
  EnumerateCookies(1);

  OpenBrowserWindow();
  EXPECT_EQ(0, ReplaceMozillaCookieFile());
  EXPECT_EQ(Line("shop.example", "sid", "1") + Line("a.org", "n", "2"),
            FileText(folder + "\\cookies.txt"));
  // The browser writes its file as it closes; what came since the filtering stays.
  WriteScratchFile("profile\\cookies.txt", Line("shop.example", "sid", "1") +
                                               Line("a.org", "n", "2") + Line("new.org", "n", "3"));
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_EQ("2", ReadRegString(HKEY_CURRENT_USER, kNutsKey, "shop.example - sid"));
  EXPECT_EQ(1, ReplaceMozillaCookieFile());
  EXPECT_EQ(Line("a.org", "n", "2") + Line("new.org", "n", "3"),
            FileText(folder + "\\cookies.txt"));
  Set(kNutsKey, "always", "1");
  Set(kNutsKey, "spaced", " 2 ");
  DropOnceNuts();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "shop.example - sid"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "spaced"));
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "always"));
}

// Each cycle filters again; whatever changed in between must reach the filtered file and the
// flag, whoever changed it.
TEST_F(Cookies, RepeatedFilteringFollowsEveryChangeInBetween) {
  const std::string folder = Profile(Line("ad.net", "t", "1") + Line("a.org", "n", "2"));
  const std::string filtered = folder + "\\cookiesnew.txt";
  Set(kNutsKey, "AD.NET", "1");
  EnumerateCookies(1);
  EXPECT_EQ(Line("a.org", "n", "2"), FileText(filtered));
  EXPECT_EQ(1, OptionGet(kUpdateCookieFileValue, 0));

  SetUpdateCookieFile(false);
  EnumerateCookies(1);
  EXPECT_EQ(1, OptionGet(kUpdateCookieFileValue, 0));

  WriteScratchFile("profile\\cookiesnew.txt", Line("b.org", "n", "2"));
  EnumerateCookies(1);
  EXPECT_EQ(Line("a.org", "n", "2"), FileText(filtered));

  ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, kNutsKey));
  Set(kNutsKey, "A.ORG", "1");
  EnumerateCookies(1);
  EXPECT_EQ(Line("ad.net", "t", "1"), FileText(filtered));
}

TEST_F(Cookies, LargeHostileFileIsFilteredWholeAndListedUpToItsLimit) {
  const std::string wide(10240, 'w');
  std::string file = "# big\r\n";
  std::string expected = file;
  int listable = 0;
  for (int i = 0; file.size() <= 2 * kCookieFileListMax; ++i) {
    if (file.size() < kCookieFileListMax) ++listable;
    std::string cookie = std::to_string(i);
    cookie.insert(0, 1, 's');
    cookie += ".org\t" + wide + "\t" + wide + "\t" + wide + "\t" + wide + "\t" + wide +
              std::string("\0\t", 2) + wide + "\r\n";
    file += cookie + "no tabs\r\n";
    expected += (i == 1 || i == 5 ? "" : cookie) + "no tabs\r\n";
  }
  const std::string folder = Profile(file);
  Set(kNutsKey, "S1.ORG", "1");
  Set(kNutsKey, "s5.org - " + std::string(118, 'W'), "1");
  EnumerateCookies(1);
  EXPECT_TRUE(FileText(folder + "\\cookiesnew.txt") == expected);
  EXPECT_EQ(listable, EnumerateCookies(0));
}

TEST_F(Cookies, NutsAreAddedRemovedAndLoadedWithinBounds) {
  IEFolder();
  const std::string doomed = WriteScratchFile("ie\\u@promo[1].txt", "c");
  EXPECT_EQ(0, AddNut(""));
  EXPECT_EQ(1, AddNut("PROMO"));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kNutsKey, "PROMO"));
  EXPECT_FALSE(PathExists(doomed));
  EXPECT_EQ(1, RemoveNut("promo"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "PROMO"));
  const std::string longText(600, 'L');
  EXPECT_EQ(1, NutsWrite(longText.c_str(), kNutOnce));
  EXPECT_EQ("2", ReadRegString(HKEY_CURRENT_USER, kNutsKey, longText.substr(0, 511).c_str()));

  // The empty name would match every cookie; an overlong one cannot be read whole.
  Set(kNutsKey, "", "1");
  RegSetKeyValueA(HKEY_CURRENT_USER, kNutsKey, std::string(700, 'x').c_str(), REG_SZ, "1", 2);
  LoadNuts();
  EXPECT_FALSE(MatchesNut("any cookie"));
  EXPECT_TRUE(MatchesNut(("a" + longText).c_str()));
  EXPECT_FALSE(MatchesNut(std::string(800, 'x').c_str()));
  CookieListFree();
  EXPECT_FALSE(MatchesNut(("a" + longText).c_str()));

  // A list kept from an earlier load is not taken once the key has changed.
  ASSERT_EQ(1, AddNut("FreshNut"));
  LoadNuts();
  EXPECT_TRUE(MatchesNut("a freshnut b"));
  ASSERT_EQ(1, RemoveNut("FreshNut"));
  LoadNuts();
  EXPECT_FALSE(MatchesNut("a freshnut b"));
}

TEST_F(Cookies, ReviewAsksOnceForUnkeptCookiesUnlessNoToAllAndRemovesByName) {
  IEFolder();
  const std::string kept = WriteScratchFile("ie\\u@a[1].txt", "c");
  WriteScratchFile("ie\\u@b[1].txt", "c");
  const std::string outside = WriteScratchFile("outside.txt", "c");
  Set(kKeptCookiesKey, "u@a[1].txt", "1");
  Set(kKeptCookiesKey, "u@b[1].txt", "");
  g_asked = 0;
  UserHooks hooks;
  hooks.askCookieReview = AnswerYes;
  UserHooksInstall(hooks);
  EXPECT_TRUE(CookiesAskReview(false));
  EXPECT_EQ(1, g_asked);
  EXPECT_EQ("u@b[1].txt", ReadItem(CookiesFirstUnkept()).title);
  EXPECT_FALSE(CookiesAskReview(true));
  EXPECT_EQ(1, CookiesKeep("u@b[1].txt"));
  EXPECT_FALSE(CookiesAskReview(false));
  EXPECT_EQ(1, g_asked);
  UserHooksInstall({});

  EXPECT_EQ(0, CookiesRemove("..\\outside.txt"));
  EXPECT_TRUE(PathExists(outside));
  EXPECT_EQ(1, CookiesRemove("u@a[1].txt"));
  EXPECT_FALSE(PathExists(kept));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKeptCookiesKey, "u@a[1].txt"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kNutsKey, "u@a[1].txt"));
}

// The folder's path is in every cookie's place: a filter must name cookies, not the folder.
TEST_F(Cookies, FilterMatchesCookieNamesNeverTheFolderAndRefusesWhatWouldMatchAll) {
  IEFolder();
  const std::string a = WriteScratchFile("ie\\a@shop.txt", "c");
  const std::string b = WriteScratchFile("ie\\b@ads.txt", "c");
  EXPECT_EQ(0, AddNut(""));
  EXPECT_EQ(0, AddNut("   "));
  EXPECT_EQ(0, AddNut("ie\\"));
  EXPECT_EQ(0, AddNut("C:"));
  EXPECT_EQ(0, AddNut("/"));
  EXPECT_TRUE(NutsTexts(kNutAlways).empty());
  // "ie" is the cookie folder's name; only the file names count.
  EXPECT_EQ(1, AddNut("ie"));
  EXPECT_TRUE(PathExists(a));
  EXPECT_TRUE(PathExists(b));
  EXPECT_EQ(1, AddNut("ADS"));
  EXPECT_TRUE(PathExists(a));
  EXPECT_FALSE(PathExists(b));
  const auto filters = NutsTexts(kNutAlways);
  EXPECT_EQ(2u, filters.size());
  EXPECT_TRUE(NutsTexts(kNutOnce).empty());
}

TEST_F(Cookies, RemovingByTitleStaysInTheCookieFolderAndKeepingIsRead) {
  const std::string folder = IEFolder();
  const std::string outside = WriteScratchFile("outside.txt", "c");
  const std::string inside = WriteScratchFile("ie\\k@keep.txt", "c");
  EXPECT_EQ(0, CookiesRemove("..\\outside.txt"));
  EXPECT_TRUE(PathExists(outside));
  EXPECT_FALSE(CookieIsKept("k@keep.txt"));
  EXPECT_EQ(1, CookiesKeep("k@keep.txt"));
  EXPECT_TRUE(CookieIsKept("k@keep.txt"));
  EXPECT_EQ(1, CookiesRemove("k@keep.txt"));
  EXPECT_FALSE(CookieIsKept("k@keep.txt"));
  EXPECT_FALSE(PathExists(inside));
}
