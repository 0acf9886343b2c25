#include "json_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(JsonQuote, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ("\"\"", JsonQuote(""));
  EXPECT_EQ("\"C:\\\\T\\\\tool.exe \\\"x\\\"\"", JsonQuote("C:\\T\\tool.exe \"x\""));
  EXPECT_EQ("\"a\\tb\\r\\nc\\b\\f\"", JsonQuote("a\tb\r\nc\b\f"));
  EXPECT_EQ("\"\\u0000\\u001f\x7F\"", JsonQuote(std::string("\0\x1F\x7F", 3)));
  EXPECT_EQ("\"</script>\"", JsonQuote("</script>"));
}

TEST(JsonQuote, KeepsValidUtf8) {
  EXPECT_EQ("\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"",
            JsonQuote("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_EQ("\"\xF4\x8F\xBF\xBF\"", JsonQuote("\xF4\x8F\xBF\xBF"));  // U+10FFFF
}

TEST(JsonQuote, InvalidBytesBecomeReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  // A Windows-1252 text that was not converted, a stray continuation, a cut sequence.
  EXPECT_EQ("\"Caf" + replacement + "\"", JsonQuote("Caf\xE9"));
  EXPECT_EQ("\"" + replacement + "a\"", JsonQuote("\x80" "a"));
  EXPECT_EQ("\"" + replacement + replacement + "\"", JsonQuote("\xE2\x82"));
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  EXPECT_EQ("\"" + replacement + replacement + "\"", JsonQuote("\xC0\xAF"));
  EXPECT_EQ("\"" + replacement + replacement + replacement + "\"", JsonQuote("\xED\xA0\x80"));
  EXPECT_EQ("\"" + replacement + replacement + replacement + replacement + "\"",
            JsonQuote("\xF4\x90\x80\x80"));
}
