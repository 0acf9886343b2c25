#include "list_edit_text.h"

#include <gtest/gtest.h>

#include <string>

#include "text.h"

namespace {

// Stands in for the long path form: a short name maps onto its long name.
std::string LongForm(std::string_view item) {
  if (EqualsNoCase(item, "C:\\PROGRA~1\\b.dll")) return "C:\\Program Files\\b.dll";
  return std::string(item);
}

std::string Remove(std::string_view text, std::string_view item, const ListEditRule& rule,
                   int expectDropped) {
  std::string out;
  EXPECT_EQ(expectDropped, ListEditRemove(text, item, rule, LongForm, out)) << text;
  return out;
}

}  // namespace

TEST(ListEdit, RemovalKeepsTheOtherItems) {
  EXPECT_EQ("a.exe;c.exe;", Remove("a.exe;;B.EXE;c.exe;", "b.exe", kWinIniListRule, 1));
  EXPECT_EQ("", Remove("a.exe", "A.EXE", kWinIniListRule, 1));
  // Quoted and blank-led items are the same program; nothing found leaves the text as it was.
  EXPECT_EQ(" b.exe;", Remove("\"C:\\x y\\a.exe\"; b.exe", "C:\\x y\\a.exe", kWinIniListRule, 1));
  EXPECT_EQ("a.exe;;b.exe", Remove("a.exe;;b.exe", "c.exe", kWinIniListRule, 0));
  EXPECT_EQ("a.exe;b.exe", Remove("a.exe;b.exe", "", kWinIniListRule, 0));

  EXPECT_EQ("C:\\b.dll", Remove("C:\\a.dll,C:\\b.dll", "c:\\A.DLL", kAppInitListRule, 1));
  EXPECT_EQ("C:\\a.dll,C:\\c.dll", Remove("C:\\a.dll, C:\\PROGRA~1\\b.dll C:\\c.dll",
                                          "C:\\Program Files\\b.dll", kAppInitListRule, 1));
}

TEST(ListEdit, AppendAddsOnceAndKeepsTheExistingText) {
  std::string out;
  EXPECT_EQ(1, ListEditAppend("b.exe;", "a.exe", kWinIniListRule, nullptr, out));
  EXPECT_EQ("b.exe;a.exe", out);
  EXPECT_EQ(1, ListEditAppend("C:\\a.dll", "C:\\b.dll", kAppInitListRule, nullptr, out));
  EXPECT_EQ("C:\\a.dll,C:\\b.dll", out);

  EXPECT_EQ(0, ListEditAppend("x.exe;A.EXE", "a.exe", kWinIniListRule, nullptr, out));
  EXPECT_EQ("x.exe;A.EXE", out);
  EXPECT_EQ(0, ListEditAppend("C:\\PROGRA~1\\b.dll", "C:\\Program Files\\b.dll", kAppInitListRule,
                              LongForm, out));
  // An item that would split into two is refused rather than written as two.
  EXPECT_EQ(0, ListEditAppend("a.dll", "C:\\Program Files\\c.dll", kAppInitListRule, nullptr, out));
  EXPECT_EQ(0, ListEditAppend("a.exe", "b.exe;c.exe", kWinIniListRule, nullptr, out));
  EXPECT_EQ(0, ListEditAppend("a.exe", " \"\" ", kWinIniListRule, nullptr, out));
}
