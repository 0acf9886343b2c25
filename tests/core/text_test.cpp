#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "numbers_text.h"
#include "text.h"

TEST(BoundedCopy, TruncatesToCapacityAndAlwaysTerminates) {
  char out[6];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(5u, CopyBounded(out, sizeof out, "abcdefgh"));
  EXPECT_STREQ("abcde", out);
  EXPECT_EQ(0u, CopyBounded(out, 0, "abc"));
  EXPECT_STREQ("abcde", out);
  EXPECT_EQ(0u, CopyBounded(out, 1, "abc"));
  EXPECT_STREQ("", out);
  EXPECT_EQ(0u, CopyBounded(out, sizeof out, std::string_view()));
}

TEST(BoundedCopy, AppendStopsAtCapacity) {
  char out[8] = "abc";
  EXPECT_EQ(6u, AppendBounded(out, sizeof out, "def"));
  EXPECT_EQ(7u, AppendBounded(out, sizeof out, "ghijk"));
  EXPECT_STREQ("abcdefg", out);
  EXPECT_EQ(7u, AppendBounded(out, sizeof out, "z"));
  EXPECT_STREQ("abcdefg", out);
  // A destination that lost its terminator is cut at the capacity, not read past it.
  char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(3u, AppendBounded(full, sizeof full, "q"));
  EXPECT_STREQ("wxy", full);
}

TEST(NoCaseContainment, IgnoresCaseAndRejectsNulls) {
  EXPECT_TRUE(ContainsNoCase("C:\\Windows\\RunDll32.exe x", "RUNDLL32.EXE"));
  EXPECT_FALSE(ContainsNoCase("C:\\Windows\\run.exe", "rundll"));
  EXPECT_FALSE(ContainsNoCase(nullptr, "a"));
  EXPECT_FALSE(ContainsNoCase("a", nullptr));
  EXPECT_FALSE(ContainsNoCase("ab", "abc"));
  EXPECT_TRUE(ContainsNoCase("abc", ""));
}

TEST(NoCaseContainment, TextsOf773OrMoreNeverContainAnything) {
  std::string text(772, 'a');
  text.replace(700, 6, "KoRvAn");
  EXPECT_TRUE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_TRUE(TextContainsNoCase(text, "KORVAN"));
  text += 'a';
  EXPECT_FALSE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_FALSE(TextContainsNoCase(text, "KORVAN"));
  EXPECT_FALSE(ContainsNoCase(text.c_str(), "a"));
}

TEST(NoCaseText, LeavesNonAsciiBytesAlone) {
  EXPECT_EQ("ABC\xEA\xE0-1", UpperText("aBc\xEA\xE0-1"));
  EXPECT_TRUE(EqualsNoCase("M/d/YYYY", "m/D/yyyy"));
  EXPECT_FALSE(EqualsNoCase("\xEA", "\xCA"));
  EXPECT_FALSE(EqualsNoCase("ab", "abc"));
}

TEST(TextEdits, SkipBlanksAndReplaceChar) {
  EXPECT_EQ("x y ", SkipBlanks(" \t x y "));
  EXPECT_EQ("", SkipBlanks("   "));

  char quoted[] = "\"C:\\a b\\c.exe\" -x \"\"";
  ReplaceChar(quoted, '"', '\0');
  EXPECT_STREQ("C:\\a b\\c.exe -x ", quoted);
  char path[] = "a/b/c";
  ReplaceChar(path, '/', '\\');
  EXPECT_STREQ("a\\b\\c", path);
  ReplaceChar(nullptr, 'a', 'b');
}

TEST(DecimalText, ReadsLikeAPlainConversion) {
  EXPECT_EQ(0, ParseDecimal(""));
  EXPECT_EQ(0, ParseDecimal("abc"));
  EXPECT_EQ(0, ParseDecimal("-"));
  EXPECT_EQ(17, ParseDecimal("  17 minutes"));
  EXPECT_EQ(-42, ParseDecimal("\t-42x"));
  EXPECT_EQ(5, ParseDecimal("+5"));
  EXPECT_EQ(0, ParseDecimal("- 5"));
  EXPECT_EQ(0, ParseDecimal("0x1F"));
}

TEST(DecimalText, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(INT_MAX, ParseDecimal("2147483647"));
  EXPECT_EQ(INT_MAX, ParseDecimal("2147483648"));
  EXPECT_EQ(INT_MIN, ParseDecimal("-2147483648"));
  EXPECT_EQ(INT_MIN, ParseDecimal("-2147483649"));
  EXPECT_EQ(INT_MAX, ParseDecimal(std::string(400, '9')));
  EXPECT_EQ(7, ParseDecimal("00000000000000000000007"));
}

TEST(ThousandsGrouping, PutsCommasBetweenGroupsOfThree) {
  EXPECT_EQ("0", GroupThousands(0));
  EXPECT_EQ("999", GroupThousands(999));
  EXPECT_EQ("1,000", GroupThousands(1000));
  EXPECT_EQ("1,234,567", GroupThousands(1234567));
  EXPECT_EQ("-999", GroupThousands(-999));
  EXPECT_EQ("-100,000", GroupThousands(-100000));
  EXPECT_EQ("9,223,372,036,854,775,807", GroupThousands(INT64_MAX));
  EXPECT_EQ("-9,223,372,036,854,775,808", GroupThousands(INT64_MIN));
}
