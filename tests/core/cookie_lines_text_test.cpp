#include "cookie_lines_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Line(const std::string& domain, const std::string& name, const char* end = "\n") {
  return domain + "\tTRUE\t/\tFALSE\t2000000000\t" + name + "\tv" + end;
}

CookieNuts Nuts(std::initializer_list<const char*> texts) {
  CookieNuts nuts;
  for (const char* text : texts) CookieNutsAdd(nuts, text);
  return nuts;
}

}  // namespace

// What the filter drops is exactly what it leaves out, so the two together are the file.
TEST(CookieLinesText, DroppedLinesAreWhatTheFilterLeavesOut) {
  const std::string file = "# Netscape HTTP Cookie File\n" + Line("ads.net", "t", "\r\n") +
                           Line("a.org", "n") + Line("ads.net", "u", "");
  const CookieNuts nuts = Nuts({"ADS.NET"});
  const std::string dropped = CookieLinesDropped(file, nuts);
  EXPECT_EQ(Line("ads.net", "t", "\r\n") + Line("ads.net", "u"), dropped);
  EXPECT_EQ("", CookieLinesDropped(file, CookieNuts{}));
  EXPECT_EQ("", CookieLinesDropped(file, Nuts({"nowhere"})));
  const std::string kept = CookieFilterText(file, nuts);
  EXPECT_EQ("# Netscape HTTP Cookie File\n" + Line("a.org", "n"), kept);
  // Put back into the filtered file, every line is there again.
  const std::string back = CookieLinesAdded(kept, dropped);
  EXPECT_EQ(kept + dropped, back);
  EXPECT_EQ(kept, CookieLinesRemoved(back, dropped));
}

// Cookies that came since stay; a line the file holds already (with or without its CR) is
// not doubled; a file without a last line feed gets one before the first added line.
TEST(CookieLinesText, AddingKeepsNewerCookiesAndNeverDoubles) {
  const std::string lines = Line("ads.net", "t") + Line("ads.net", "u", "\r\n") + "\n  \n";
  EXPECT_EQ(lines.substr(0, lines.size() - 4), CookieLinesAdded("", lines));
  const std::string since = Line("new.org", "n") + Line("ads.net", "u", "");
  EXPECT_EQ(since + "\n" + Line("ads.net", "t"), CookieLinesAdded(since, lines));
  const std::string again = CookieLinesAdded(CookieLinesAdded(since, lines), lines);
  EXPECT_EQ(CookieLinesAdded(since, lines), again);
  EXPECT_EQ(Line("a.org", "n") + Line("x", "y"),
            CookieLinesAdded(Line("a.org", "n"), Line("x", "y") + Line("x", "y")));
}

// Taking them out again removes only those lines, wherever they now are; blank lines and
// every other byte stay.
TEST(CookieLinesText, RemovingTakesOnlyTheGivenLines) {
  const std::string lines = Line("ads.net", "t") + Line("ads.net", "u");
  const std::string file = Line("ads.net", "u", "\r\n") + "\n" + Line("a.org", "n") +
                           Line("ads.net", "t", "");
  EXPECT_EQ("\n" + Line("a.org", "n"), CookieLinesRemoved(file, lines));
  EXPECT_EQ(file, CookieLinesRemoved(file, ""));
  EXPECT_EQ("", CookieLinesRemoved("", lines));
}
