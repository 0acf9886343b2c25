#include "point_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;
using Items = std::vector<std::string>;

TEST(PointItems, EachKindSplitsTrimsAndDropsEmptyItems) {
  EXPECT_EQ((Items{"C:\\a.exe -x"}), PointItems(" C:\\a.exe -x \0junk"s, PointListKind::kSingle));
  EXPECT_EQ((Items{"a.exe", "b.exe"}),
            PointItems("a.exe, ,b.exe,\0c.exe"s, PointListKind::kCommaList));
  EXPECT_EQ((Items{"autocheck autochk *", "evil"}),
            PointItems("autocheck autochk *\0\0 evil \0\0"s, PointListKind::kMultiString));
  // A multi-string without its final NULs still gives its last item.
  EXPECT_EQ((Items{"a", "b"}), PointItems("a\0b"s, PointListKind::kMultiString));
  EXPECT_TRUE(PointItems("", PointListKind::kMultiString).empty());
  EXPECT_TRUE(PointItems("\0\0\0"s, PointListKind::kCommaList).empty());
  EXPECT_TRUE(PointItems("   ", PointListKind::kSingle).empty());
}

TEST(PointIsDefault, ExactOrPrefixIgnoringCase) {
  const std::vector<std::string_view> defaults = {"autocheck autochk *", "msv1_0"};
  EXPECT_TRUE(PointIsDefault("AUTOCHECK AUTOCHK *", defaults));
  EXPECT_TRUE(PointIsDefault("autocheck autochk /q \\??\\C:", defaults));
  EXPECT_TRUE(PointIsDefault("MSV1_0", defaults));
  EXPECT_FALSE(PointIsDefault("msv1_0x", defaults));
  EXPECT_FALSE(PointIsDefault("autocheck", defaults));
  EXPECT_FALSE(PointIsDefault("anything", {}));
}

TEST(PointListWithout, RemovesOneItemAndKeepsTheListShape) {
  bool removed = false;
  EXPECT_EQ("a\0c\0\0"s, PointListWithout("a\0B\0c\0\0"s, PointListKind::kMultiString, "b",
                                          removed));
  EXPECT_TRUE(removed);
  EXPECT_EQ("a.exe,c.exe", PointListWithout("a.exe, b.exe ,c.exe,", PointListKind::kCommaList,
                                            "B.EXE", removed));
  EXPECT_TRUE(removed);
  // Only the first of two equal items goes.
  EXPECT_EQ("x,x", PointListWithout("x,x,x", PointListKind::kCommaList, "x", removed));
  EXPECT_EQ("", PointListWithout("C:\\d.exe", PointListKind::kSingle, "c:\\D.exe", removed));
  EXPECT_TRUE(removed);
  EXPECT_EQ("a,b", PointListWithout("a,b", PointListKind::kCommaList, "c", removed));
  EXPECT_FALSE(removed);
  EXPECT_EQ("a,b", PointListWithout("a,b", PointListKind::kCommaList, "", removed));
  EXPECT_FALSE(removed);
  EXPECT_EQ("\0"s, PointListWithout("z\0\0"s, PointListKind::kMultiString, "z", removed));
}

TEST(PointListWithout, AMultiStringKeepsItsGapsSoDormantItemsStayDormant) {
  bool removed = false;
  // Windows stops at the first empty item: "d" is dormant before and after.
  EXPECT_EQ("\0d\0\0"s, PointListWithout("a\0\0d\0\0"s, PointListKind::kMultiString, "a", removed));
  EXPECT_TRUE(removed);
  EXPECT_EQ("a\0\0\0"s, PointListWithout("a\0\0d\0\0"s, PointListKind::kMultiString, "d", removed));
  // The other items keep their bytes, and a value cut short is ended whole.
  EXPECT_EQ(" b \0\0"s, PointListWithout(" b \0c"s, PointListKind::kMultiString, "c", removed));
  EXPECT_EQ("a\0b"s, PointListWithout("a\0b"s, PointListKind::kMultiString, "x", removed));
  EXPECT_FALSE(removed);
}

TEST(PointListWithout, AnItemCutByTheListStillMatches) {
  const std::string stored(400, 'q');
  const std::string listed = stored.substr(0, 259);
  bool removed = false;
  EXPECT_EQ("a", PointListWithout("a," + stored, PointListKind::kCommaList, listed, removed));
  EXPECT_TRUE(removed);
  // A short prefix is another item, not a cut one.
  EXPECT_EQ("abc", PointListWithout("abc", PointListKind::kCommaList, "ab", removed));
  EXPECT_FALSE(removed);
}

TEST(PointListWith, AppendsOnceAndRoundTripsWithWithout) {
  EXPECT_EQ("a\0b\0\0"s, PointListWith("a\0\0"s, PointListKind::kMultiString, "b"));
  EXPECT_EQ("a,b", PointListWith("a", PointListKind::kCommaList, " b "));
  EXPECT_EQ("a,B", PointListWith("a,B", PointListKind::kCommaList, "b")) << "held already";
  EXPECT_EQ("new", PointListWith("old", PointListKind::kSingle, "new"));
  EXPECT_EQ("b\0\0"s, PointListWith("", PointListKind::kMultiString, "b"));
  bool removed = false;
  const std::string list = "autocheck autochk *\0C:\\evil.exe\0\0"s;
  const std::string without =
      PointListWithout(list, PointListKind::kMultiString, "C:\\evil.exe", removed);
  EXPECT_EQ(list, PointListWith(without, PointListKind::kMultiString, "C:\\evil.exe"));
}

TEST(PointApproved, OddFirstByteIsOffAndTheWrittenDataReadsBack) {
  EXPECT_FALSE(PointApprovedDisabled(""));
  EXPECT_FALSE(PointApprovedDisabled("\x02\0\0\0"s));
  EXPECT_FALSE(PointApprovedDisabled("\x06"s));
  EXPECT_TRUE(PointApprovedDisabled("\x03\0\0\0"s));
  EXPECT_TRUE(PointApprovedDisabled("\x07"s));
  const std::string off = PointApprovedData(true, 0x0102030405060708ULL);
  ASSERT_EQ(12u, off.size());
  EXPECT_TRUE(PointApprovedDisabled(off));
  EXPECT_EQ('\x08', off[4]);
  EXPECT_EQ('\x01', off[11]);
  const std::string on = PointApprovedData(false, 0x0102030405060708ULL);
  EXPECT_EQ(std::string("\x02") + std::string(11, '\0'), on);
}

TEST(PointSameFolder, IgnoresCaseAndFinalBackslash) {
  EXPECT_TRUE(PointSameFolder("C:\\Users\\A\\Startup\\", "c:\\users\\a\\startup"));
  EXPECT_FALSE(PointSameFolder("C:\\A", "C:\\B"));
  EXPECT_FALSE(PointSameFolder("", "\\"));
}

TEST(PointTitle, FileNameWithoutFolderArgumentsOrExtension) {
  EXPECT_EQ("native", PointTitle("C:\\Bad\\native.exe"));
  EXPECT_EQ("y", PointTitle("\"C:\\Program Files\\x\\y.exe\" /a"));
  EXPECT_EQ("evilauth", PointTitle("evilauth"));
  EXPECT_EQ("once", PointTitle("C:\\Bad\\once.dll|Go"));
  EXPECT_EQ(".hidden", PointTitle("C:\\.hidden"));
  EXPECT_EQ("", PointTitle("C:\\dir\\"));
  EXPECT_EQ("", PointTitle(""));
}

TEST(PointSameItem, QuotesBlanksAndCaseDoNotMatter) {
  EXPECT_TRUE(PointSameItem("\"C:\\A B\\x.exe\" /q", "c:\\a b\\X.EXE /q"));
  EXPECT_TRUE(PointSameItem("  a.dll ", "a.dll"));
  EXPECT_FALSE(PointSameItem("a.dll", ""));
  EXPECT_FALSE(PointSameItem("a.dll", "b.dll"));
}
