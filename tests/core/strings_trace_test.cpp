#include <gtest/gtest.h>

#include <string>

#include "strings_text.h"
#include "trace_text.h"

TEST(LineBreaks, PercentNBecomesALineBreakLeftToRight) {
  EXPECT_EQ("one\ntwo", ExpandLineBreaks("one%ntwo"));
  EXPECT_EQ("50% off %", ExpandLineBreaks("50% off %"));
  EXPECT_EQ("%\n", ExpandLineBreaks("%%n"));
  EXPECT_EQ("\nn", ExpandLineBreaks("%nn"));
  EXPECT_EQ("\n\n", ExpandLineBreaks("%n%n"));
  EXPECT_EQ("%N", ExpandLineBreaks("%N"));
}

TEST(LanguageCodes, TableLookupIgnoresAsciiCase) {
  EXPECT_EQ(9, LanguageNumberForCode("us"));
  EXPECT_EQ(7, LanguageNumberForCode("DE"));
  EXPECT_EQ(22, LanguageNumberForCode("Br"));
  EXPECT_EQ(25, LanguageNumberForCode("\xEA\xE0\xEA"));
  EXPECT_EQ(25, LanguageNumberForCode("ru"));
  EXPECT_EQ(4, LanguageNumberForCode("cn"));
  EXPECT_EQ(0, LanguageNumberForCode("usa"));
  EXPECT_EQ(0, LanguageNumberForCode(""));
  EXPECT_EQ(0, LanguageNumberForCode("en"));
}

TEST(OverrideConversions, MatchingConversionsAreAccepted) {
  EXPECT_TRUE(SameConversions("Hello", "Hallo"));
  EXPECT_TRUE(SameConversions("Delete %s?", "%s l\xF6schen?"));
  EXPECT_TRUE(SameConversions("%d of %s", "%5d von %-20s"));
  EXPECT_TRUE(SameConversions("%d items", "%u Eintr\xE4ge"));
  EXPECT_TRUE(SameConversions("100%% sure: %s", "Zu 100%% sicher: %s"));
  EXPECT_TRUE(SameConversions("%I64d bytes", "%lld Bytes"));
  EXPECT_TRUE(SameConversions("%*d", "%-*d"));
}

TEST(OverrideConversions, LineBreaksInTheOverrideAreNotConversions) {
  EXPECT_TRUE(SameConversions("First line\nsecond %s", "Erste Zeile%nzweite %s"));
  EXPECT_TRUE(SameConversions("%s", "%n%s%n"));
  // "%%n" expands to '%' and a line break, which is no conversion printf can take.
  EXPECT_FALSE(SameConversions("100%%", "100%%n"));
  EXPECT_TRUE(SameConversions("100%%", "100%%%n"));
  EXPECT_FALSE(SameConversions("%s", "%5n%s"));
  // In a built-in text "%n" would be a conversion that writes through its argument.
  EXPECT_FALSE(SameConversions("%n", "%n"));
}

TEST(OverrideConversions, DifferentArgumentsAreRejected) {
  EXPECT_FALSE(SameConversions("%s", "%s%s"));
  EXPECT_FALSE(SameConversions("%s%s", "%s"));
  EXPECT_FALSE(SameConversions("Hello", "%s"));
  EXPECT_FALSE(SameConversions("%d", "%s"));
  EXPECT_FALSE(SameConversions("%s %d", "%d %s"));
  EXPECT_FALSE(SameConversions("%d", "%ld"));
  EXPECT_FALSE(SameConversions("%d", "%f"));
  EXPECT_FALSE(SameConversions("%s", "%ls"));
  EXPECT_FALSE(SameConversions("%d", "%*d"));
  EXPECT_FALSE(SameConversions("%s", "%p"));
}

TEST(OverrideConversions, MalformedOrHostileTextIsRejected) {
  EXPECT_FALSE(SameConversions("%s", "%s %"));
  EXPECT_FALSE(SameConversions("%s", "%s 100% !"));
  EXPECT_FALSE(SameConversions("%s", "%1$s"));
  EXPECT_FALSE(SameConversions("%s", "%99999999s"));
  EXPECT_FALSE(SameConversions("%s", "%.5000s"));
  EXPECT_FALSE(SameConversions("%d", "%hhhd"));
  // printf reads "% o" as a conversion, so the built-in takes an int the override cannot.
  EXPECT_FALSE(SameConversions("50% off", "50% Rabatt"));
}

TEST(OverrideConversions, BoundedStringsStayBounded) {
  EXPECT_TRUE(SameConversions("%.8s", "%.4s"));
  EXPECT_FALSE(SameConversions("%.8s", "%s"));
  EXPECT_FALSE(SameConversions("%.8s", "%.9s"));
  EXPECT_TRUE(SameConversions("%.*s", "%.*s"));
  EXPECT_FALSE(SameConversions("%.*s", "%*s"));
  EXPECT_TRUE(SameConversions("%s", "%.3s"));
}

TEST(TraceText, KeysPrintTheTickAsASigned32BitNumber) {
  EXPECT_EQ("1000.1", TraceKey(1000, 1));
  EXPECT_EQ("-1.9000", TraceKey(0xFFFFFFFFu, 9000));
  EXPECT_EQ("-2147483648.2", TraceKey(0x80000000u, 2));
}

TEST(TraceText, LineValue) {
  EXPECT_EQ("03-07  09:05:01 VERIFY: Enter Verify function",
            TraceLineText(3, 7, 9, 5, 1, "VERIFY", "Enter Verify function"));
  EXPECT_EQ("12-31  23:59:59 : ", TraceLineText(12, 31, 23, 59, 59, "", ""));
}

TEST(TraceText, SpanValueAndMarker) {
  EXPECT_EQ(1u, TraceSpanValue(600000, true));
  EXPECT_EQ(8500u, TraceSpanValue(17000, false));
  EXPECT_EQ(0u, TraceSpanValue(1, false));
  EXPECT_EQ("", TraceSpanMarker(999));
  EXPECT_EQ("\t*", TraceSpanMarker(1000));
  EXPECT_EQ("\t********", TraceSpanMarker(TraceSpanValue(17000, false)));
  EXPECT_EQ("\t" + std::string(16, '*'), TraceSpanMarker(TraceSpanValue(40000, false)));
  EXPECT_EQ("\t" + std::string(16, '*'), TraceSpanMarker(0xFFFFFFFFu));
}

TEST(TraceText, SpanLine) {
  EXPECT_EQ("**:**:** NanoCycles: Startup Programs = 8500 \t********",
            TraceSpanText("Startup Programs", 8500));
  EXPECT_EQ("**:**:** NanoCycles: x = 1 ", TraceSpanText("x", 1));
  const std::string longLabel(300, 'L');
  EXPECT_EQ("**:**:** NanoCycles: " + std::string(255, 'L') + " = 0 ", TraceSpanText(longLabel, 0));
}
