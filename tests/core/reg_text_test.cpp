#include "reg_text.h"

#include <gtest/gtest.h>

namespace {
RegValue Value(std::string name, std::uint32_t type, std::string data) {
  return RegValue{std::move(name), type, std::move(data)};
}
std::string Sz(std::string text) { return text + '\0'; }
}  // namespace

TEST(RegTextTest, StringsEscapeBackslashAndQuote) {
  EXPECT_EQ(RegValueLine(Value("Tool", kRegString, Sz("C:\\T\\tool.exe"))),
            "\"Tool\"=\"C:\\\\T\\\\tool.exe\"\r\n");
  EXPECT_EQ(RegValueLine(Value("", kRegString, Sz("x"))), "@=\"x\"\r\n");
  EXPECT_EQ(RegValueLine(Value("a\"b\\c", kRegString, Sz("say \"hi\""))),
            "\"a\\\"b\\\\c\"=\"say \\\"hi\\\"\"\r\n");
  EXPECT_EQ(RegKeyLine("HKEY_CURRENT_USER", "Software\\Tamsel\\Korvane"),
            "[HKEY_CURRENT_USER\\Software\\Tamsel\\Korvane]\r\n");
}

TEST(RegTextTest, NumbersAndOtherTypesKeepTheirType) {
  EXPECT_EQ(RegValueLine(Value("N", kRegDword, std::string("\x2a\0\0\x80", 4))),
            "\"N\"=dword:8000002a\r\n");
  EXPECT_EQ(RegValueLine(Value("B", kRegBinary, std::string("\x01\xff", 2))),
            "\"B\"=hex:01,ff\r\n");
  EXPECT_EQ(RegValueLine(Value("E", kRegExpandString, Sz("%A%"))),
            "\"E\"=hex(2):25,41,25,00\r\n");
  EXPECT_EQ(RegValueLine(Value("M", kRegMultiString, std::string("a\0\0", 3))),
            "\"M\"=hex(7):61,00,00\r\n");
  EXPECT_EQ(RegValueLine(Value("Q", 11, std::string(8, '\0'))),
            "\"Q\"=hex(b):00,00,00,00,00,00,00,00\r\n");
  EXPECT_EQ(RegValueLine(Value("Short", kRegDword, "\x01")), "\"Short\"=hex(4):01\r\n");
}

TEST(RegTextTest, StringsThatALineCannotHoldGoAsBytes) {
  EXPECT_EQ(RegValueLine(Value("L", kRegString, Sz("a\r\nb"))),
            "\"L\"=hex(1):61,0d,0a,62,00\r\n");
  EXPECT_EQ(RegValueLine(Value("U", kRegString, "ab")), "\"U\"=hex(1):61,62\r\n");
  EXPECT_EQ(RegValueLine(Value("Z", kRegString, std::string("a\0b\0", 4))),
            "\"Z\"=hex(1):61,00,62,00\r\n");
}

TEST(RegTextTest, LongDataWrapsAndReadsBack) {
  const RegValue value = Value("Big", kRegBinary, std::string(300, '\x5a'));
  const std::string line = RegValueLine(value);
  std::size_t start = 0;
  for (std::size_t end; (end = line.find("\r\n", start)) != std::string::npos; start = end + 2)
    EXPECT_LE(end - start, 80u);
  EXPECT_NE(line.find(",\\\r\n  "), std::string::npos);
  const auto back = RegParseValueLine(line);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->data, value.data);
  EXPECT_EQ(back->type, kRegBinary);
}

TEST(RegTextTest, EveryShapeReadsBackToItsBytes) {
  const RegValue values[] = {
      Value("Tool", kRegString, Sz("C:\\T\\tool.exe")), Value("", kRegString, Sz("")),
      Value("q\"\\", kRegString, Sz("\"\\\\server\\\"")),
      Value("D", kRegDword, std::string("\0\0\0\0", 4)), Value("E", kRegExpandString, Sz("%x%")),
      Value("N", kRegNone, ""), Value("S", kRegString, Sz(std::string(1000, 'w')))};
  for (const RegValue& value : values) {
    const auto back = RegParseValueLine(RegValueLine(value));
    ASSERT_TRUE(back.has_value()) << value.name;
    EXPECT_EQ(back->name, value.name);
    EXPECT_EQ(back->type, value.type);
    EXPECT_EQ(back->data, value.data);
  }
}

TEST(RegTextTest, ParserRefusesWhatIsNoValueLine) {
  for (const char* line : {"[HKEY_CURRENT_USER\\X]", "", "\"open=\"x\"", "\"a\"=dword:123456789",
                           "\"a\"=hex(zz):00", "\"a\"=hex:0", "\"a\"=\"x\" trailing", "\"\"=\"x\""})
    EXPECT_FALSE(RegParseValueLine(line).has_value()) << line;
}
