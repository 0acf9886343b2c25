#include "html_text.h"

#include <gtest/gtest.h>

#include <string>

#include "lookup_text.h"
#include "report_cell_text.h"

TEST(HtmlEscape, AHostileTitleStaysText) {
  EXPECT_EQ("&lt;script&gt;alert(1)&lt;/script&gt;&lt;b&gt;x",
            HtmlEscape("<script>alert(1)</script><b>x"));
  EXPECT_EQ("Tom &amp; Jerry &quot;Tools&quot; &#39;Inc&#39;", HtmlEscape("Tom & Jerry \"Tools\" 'Inc'"));
  // An escaped text escaped again shows its references, not what they stand for.
  EXPECT_EQ("&amp;lt;", HtmlEscape("&lt;"));
  EXPECT_EQ("", HtmlEscape(""));
}

TEST(HtmlEscape, ControlsBecomeBlanksAndOtherBytesStay) {
  EXPECT_EQ("a\tb\r\nc", HtmlEscape("a\tb\r\nc"));
  EXPECT_EQ("a b c d", HtmlEscape(std::string("a\0b\x1B" "c\x7F" "d", 7)));
  // Windows-1252 and Shift-JIS bytes pass unchanged; their trail bytes are never markup.
  EXPECT_EQ("Caf\xE9 \x83\x5C\x83\x74\x83\x67", HtmlEscape("Caf\xE9 \x83\x5C\x83\x74\x83\x67"));
}

TEST(HtmlEscape, TheInfoLinkCannotLeaveItsAttribute) {
  LookupRequest request;
  request.kind = 11;
  request.location = "en";
  request.normalised = "C:\\TOOLS\\IT'S <BAD>.EXE";
  request.company = "A&B' onmouseover='x";
  const std::string link = HtmlEscape(ShortLookupAddress(kLookupBaseDefault, request));
  EXPECT_EQ(std::string::npos, link.find('\''));
  EXPECT_EQ(std::string::npos, link.find('<'));
  EXPECT_NE(std::string::npos, link.find("program=IT&#39;S%20%3CBAD%3E.EXE&amp;vendor=A+B&#39;"));
}

TEST(HtmlCharsetName, KnownCodePagesAndTheFallback) {
  EXPECT_EQ("windows-1252", HtmlCharsetName(1252));
  EXPECT_EQ("windows-1251", HtmlCharsetName(1251));
  EXPECT_EQ("shift_jis", HtmlCharsetName(932));
  EXPECT_EQ("utf-8", HtmlCharsetName(65001));
  EXPECT_EQ("windows-1252", HtmlCharsetName(437));
  EXPECT_EQ("windows-1252", HtmlCharsetName(0));
}

TEST(ReportTextCell, TabsAndLineBreaksBecomeBlanks) {
  EXPECT_EQ("a b  c d", ReportTextCell("a\tb\r\nc\nd"));
  EXPECT_EQ("C:\\T\\tool.exe /x", ReportTextCell("C:\\T\\tool.exe /x"));
}
