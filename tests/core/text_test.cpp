#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "numbers_text.h"
#include "text.h"

TEST(BoundedCopy, NoCapacityAndUnterminatedDestinations) {
  char out[4] = "abc";
  EXPECT_EQ(0u, CopyBounded(out, 0, "xyz"));
  EXPECT_STREQ("abc", out);
  EXPECT_EQ(0u, CopyBounded(out, 1, "xyz"));
  EXPECT_STREQ("", out);
  // A destination that lost its terminator is cut at the capacity, not read past it.
  char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(3u, AppendBounded(full, sizeof full, "q"));
  EXPECT_STREQ("wxy", full);
}

TEST(NoCaseText, TextsOf773OrMoreNeverContainAnything) {
  EXPECT_TRUE(ContainsNoCase("C:\\Windows\\RunDll32.exe x", "RUNDLL32.EXE"));
  EXPECT_FALSE(ContainsNoCase(nullptr, "a"));
  EXPECT_FALSE(ContainsNoCase("a", nullptr));
  EXPECT_FALSE(EqualsNoCase("\xEA", "\xCA"));
  std::string text(772, 'a');
  text.replace(700, 6, "KoRvAn");
  EXPECT_TRUE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_TRUE(TextContainsNoCase(text, "KORVAN"));
  text += 'a';
  EXPECT_FALSE(ContainsNoCase(text.c_str(), "korvan"));
  EXPECT_FALSE(TextContainsNoCase(text, "KORVAN"));
}

TEST(Numbers, DecimalSaturatesAndGroupsOfThree) {
  EXPECT_EQ(17, ParseDecimal("  17 minutes"));
  EXPECT_EQ(0, ParseDecimal("0x1F"));
  EXPECT_EQ(INT_MAX, ParseDecimal(std::string(400, '9')));
  EXPECT_EQ(INT_MIN, ParseDecimal("-2147483649"));
  EXPECT_EQ("999", GroupThousands(999));
  EXPECT_EQ("-100,000", GroupThousands(-100000));
  EXPECT_EQ("-9,223,372,036,854,775,808", GroupThousands(INT64_MIN));
}
