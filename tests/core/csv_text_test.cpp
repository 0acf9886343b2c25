#include "csv_text.h"

#include <gtest/gtest.h>

TEST(CsvTextTest, QuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
  EXPECT_EQ(CsvField("lf\nonly"), "\"lf\nonly\"");
  EXPECT_EQ(CsvField(" padded"), "\" padded\"");
}

TEST(CsvTextTest, FormulaStartsAreDefused) {
  for (const char* field : {"=cmd|' /C calc'!A0", "+1", "-2+3", "@SUM(A1)"})
    EXPECT_EQ(CsvField(field), std::string("'") + field) << field;
  EXPECT_EQ(CsvField("=a,b"), "\"'=a,b\"");
  EXPECT_EQ(CsvField("a=b"), "a=b");
  EXPECT_EQ(CsvField("'quoted"), "'quoted");
}

TEST(CsvTextTest, RecordsReadBackFieldForField) {
  const std::vector<std::string> fields = {"HKLM", "Run", "Evil, \"Inc\"\r\nline", "=cmd", ""};
  const std::string text = CsvRecord(fields) + CsvRecord({"x"});
  std::size_t pos = 0;
  std::vector<std::string> read;
  ASSERT_TRUE(CsvReadRecord(text, pos, read));
  EXPECT_EQ(read, (std::vector<std::string>{"HKLM", "Run", "Evil, \"Inc\"\r\nline", "'=cmd", ""}));
  ASSERT_TRUE(CsvReadRecord(text, pos, read));
  EXPECT_EQ(read, std::vector<std::string>{"x"});
  EXPECT_FALSE(CsvReadRecord(text, pos, read));
}

TEST(CsvTextTest, ReaderRejectsAnUnclosedQuoteAndTakesALastLineWithoutEnd) {
  std::size_t pos = 0;
  std::vector<std::string> read;
  EXPECT_FALSE(CsvReadRecord("\"open,field", pos, read));
  pos = 0;
  ASSERT_TRUE(CsvReadRecord("a,b", pos, read));
  EXPECT_EQ(read, (std::vector<std::string>{"a", "b"}));
}
