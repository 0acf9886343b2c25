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

  char text[8] = "abc";
  EXPECT_EQ(7u, AppendBounded(text, sizeof text, "defghijk"));
  EXPECT_STREQ("abcdefg", text);
  EXPECT_EQ(7u, AppendBounded(text, sizeof text, "z"));
  // A destination that lost its terminator is cut at the capacity, not read past it.
  char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(3u, AppendBounded(full, sizeof full, "q"));
  EXPECT_STREQ("wxy", full);
}

TEST(NoCaseText, ContainmentIgnoresCaseAndRejectsNulls) {
  EXPECT_TRUE(ContainsNoCase("C:\\Windows\\RunDll32.exe x", "RUNDLL32.EXE"));
  EXPECT_FALSE(ContainsNoCase(nullptr, "a"));
  EXPECT_FALSE(ContainsNoCase("a", nullptr));
  EXPECT_FALSE(ContainsNoCase("ab", "abc"));
  EXPECT_EQ("ABC\xEA\xE0-1", UpperText("aBc\xEA\xE0-1"));
  EXPECT_FALSE(EqualsNoCase("\xEA", "\xCA"));
}

TEST(NoCaseText, TextsOf773OrMoreNeverContainAnything) {
  std::string text(772, 'a');
  text.replace(700, 6, "KoRvAn");
  EXPECT_TRUE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_TRUE(TextContainsNoCase(text, "KORVAN"));
  text += 'a';
  EXPECT_FALSE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_FALSE(TextContainsNoCase(text, "KORVAN"));
  EXPECT_FALSE(ContainsNoCase(text.c_str(), "a"));
}

TEST(TextEdits, SkipBlanksAndReplaceChar) {
  EXPECT_EQ("x y ", SkipBlanks(" \t x y "));
  char quoted[] = "\"C:\\a b\\c.exe\" -x \"\"";
  ReplaceChar(quoted, '"', '\0');
  EXPECT_STREQ("C:\\a b\\c.exe -x ", quoted);
  ReplaceChar(nullptr, 'a', 'b');
}

TEST(DecimalText, ReadsLikeAPlainConversionAndSaturates) {
  const struct {
    std::string text;
    int value;
  } cases[] = {
      {"", 0}, {"abc", 0}, {"-", 0}, {"- 5", 0}, {"0x1F", 0}, {"  17 minutes", 17},
      {"\t-42x", -42}, {"+5", 5}, {"2147483647", INT_MAX}, {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN}, {std::string(400, '9'), INT_MAX},
      {"00000000000000000000007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, ParseDecimal(c.text)) << c.text;
}

TEST(ThousandsGrouping, PutsCommasBetweenGroupsOfThree) {
  EXPECT_EQ("999", GroupThousands(999));
  EXPECT_EQ("1,000", GroupThousands(1000));
  EXPECT_EQ("1,234,567", GroupThousands(1234567));
  EXPECT_EQ("-100,000", GroupThousands(-100000));
  EXPECT_EQ("-9,223,372,036,854,775,808", GroupThousands(INT64_MIN));
}
