#include "cookies_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

std::string Line(const std::string& domain, const std::string& name, const std::string& value,
                 const char* end = "\n") {
  return domain + "\tTRUE\t/\tFALSE\t2000000000\t" + name + "\t" + value + end;
}

CookieNuts Nuts(std::initializer_list<const char*> texts) {
  CookieNuts nuts;
  for (const char* text : texts) CookieNutsAdd(nuts, text);
  return nuts;
}

}  // namespace

TEST(CookiesText, FieldsTitlesAndExpiry) {
  CookieFields fields;
  ASSERT_TRUE(CookieLineFields(".ads.example\tTRUE\t/p\tTRUE\t1700000000\tid\tv1\r", fields));
  EXPECT_EQ("ads.example - id", CookieTitle(fields));
  EXPECT_EQ(1700000000, CookieExpirySeconds(fields.expiry));
  ASSERT_TRUE(CookieLineFields("..x.org\tFALSE\t/\tfalse\t1\tn", fields));
  EXPECT_EQ(".x.org - n", CookieTitle(fields));
  EXPECT_EQ("", fields.value);
  for (const char* line : {"# Netscape HTTP Cookie File", "#x.org\tTRUE\t/\tFALSE\t1\tn\tv",
                           "no tabs at all\r", "\tTRUE\t/\tFALSE\t1\tn\tv", ""})
    EXPECT_FALSE(CookieLineFields(line, fields)) << line;
  const std::string big(10240, 'a');
  const std::string wide = Line(big, big, big, "");  // the fields point into it
  ASSERT_TRUE(CookieLineFields(wide, fields));
  EXPECT_EQ(kCookieTitleMax, CookieTitle(fields).size());
  EXPECT_EQ(big.size(), fields.value.size());
  EXPECT_EQ(INT64_MAX, CookieExpirySeconds("99999999999999999999999"));
  EXPECT_EQ(0, CookieExpirySeconds("-5"));
  EXPECT_EQ(12, CookieExpirySeconds("12abc"));
}

TEST(CookiesText, NutsMatchAnyCaseAndTitlesExactly) {
  const CookieNuts nuts = Nuts({"DoubleClick", "", "shop.example - SID"});
  EXPECT_EQ(2u, nuts.texts.size());
  EXPECT_TRUE(CookieNutMatches(nuts, "C:\\Cookies\\user@doubleclick[1].txt"));
  EXPECT_FALSE(CookieNutMatches(nuts, "C:\\Cookies\\user@double-click[1].txt"));
  EXPECT_TRUE(CookieNutNamed(nuts, "SHOP.EXAMPLE - sid"));
  EXPECT_FALSE(CookieNutNamed(nuts, "shop.example - sid2"));
  EXPECT_TRUE(CookieLineDropped(nuts, Line(".ads.DOUBLECLICK.net", "id", "1")));
  EXPECT_TRUE(CookieLineDropped(nuts, Line(".shop.example", "sid", "1")));
  EXPECT_FALSE(CookieLineDropped(nuts, Line(".shop.example", "sid2", "1")));
  EXPECT_FALSE(CookieLineDropped(nuts, "# doubleclick was here\n"));
  EXPECT_FALSE(CookieLineDropped(nuts, "doubleclick without tabs"));
  EXPECT_FALSE(CookieLineDropped(Nuts({""}), Line("any.org", "n", "v")));
  // A long line is still searched: a large value must not hide a cookie from its Nut.
  EXPECT_TRUE(CookieLineDropped(nuts, Line("x.org", "n", std::string(5000, 'v') + "doubleclick")));
}

TEST(CookiesText, FilterKeepsEveryOtherByteInPlace) {
  const CookieNuts nuts = Nuts({"tracker"});
  const std::string header = "# Netscape HTTP Cookie File\r\n\r\n";
  const std::string kept = Line("a.org", "n", "1", "\r\n");
  const std::string withNul = "b.org\tTRUE\t/\tFALSE\t1\tn\tv\0w\n"s;
  const std::string noTabs = "tracker line without tabs\n";
  const std::string last = Line("c.org", "n", "3", "");
  const std::string file = header + Line("x.tracker.com", "id", "9", "\r\n") + kept + withNul +
                           noTabs + Line("d.org", "TRACKER", "4") + last;
  EXPECT_EQ(header + kept + withNul + noTabs + last, CookieFilterText(file, nuts));
  EXPECT_EQ(header + kept, CookieFilterText(header + kept + Line("t.org", "tracker", "", ""),
                                            nuts));
  EXPECT_EQ("", CookieFilterText(Line("tracker.org", "n", "v", "\r"), nuts));
  // A title cut at its limit still names its cookie.
  for (const std::size_t length : {125u, 126u}) {
    const std::string domain(length, 'e');
    const std::string title = (domain + " - n").substr(0, kCookieTitleMax);
    EXPECT_EQ("", CookieFilterText(Line(domain, "n", "v"), Nuts({"other", title.c_str()})));
  }
}

// Every cookie's place holds a separator and every Mozilla line a "/": such a filter, or a
// blank one, would remove all cookies at once.
TEST(CookiesText, FiltersThatWouldMatchEveryCookieAreRefused) {
  for (const char* refused : {"", " ", "\t \r\n", "Cookies\\", "C:", "/", "a/b", "..\\x"})
    EXPECT_FALSE(CookieFilterAcceptable(refused)) << '"' << refused << '"';
  EXPECT_FALSE(CookieFilterAcceptable(std::string(kNutTextMax + 1, 'a')));
  for (const char* accepted : {"doubleclick", " ads ", "x.org - id", "@"})
    EXPECT_TRUE(CookieFilterAcceptable(accepted)) << accepted;
  EXPECT_TRUE(CookieFilterAcceptable(std::string(kNutTextMax, 'a')));
}
