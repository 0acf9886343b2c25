#include <gtest/gtest.h>

#include <string>

#include "strings_text.h"
#include "trace_text.h"

TEST(LineBreaks, PercentNBecomesALineBreakLeftToRight) {
  EXPECT_EQ("one\ntwo", ExpandLineBreaks("one%ntwo"));
  EXPECT_EQ("50% off %", ExpandLineBreaks("50% off %"));
  EXPECT_EQ("%\n", ExpandLineBreaks("%%n"));
  EXPECT_EQ("\nn", ExpandLineBreaks("%nn"));
  EXPECT_EQ("%N", ExpandLineBreaks("%N"));
}

TEST(OverrideConversions, OnlyTheSameArgumentsInTheSameOrderAreAccepted) {
  const char* const same[][2] = {
      {"Hello", "Hallo"}, {"Delete %s?", "%s l\xF6schen?"}, {"%d of %s", "%5d von %-20s"},
      {"%d items", "%u Eintr\xE4ge"}, {"100%% sure: %s", "Zu 100%% sicher: %s"},
      {"%I64d bytes", "%lld Bytes"}, {"%*d", "%-*d"}, {"%.8s", "%.4s"}, {"%.*s", "%.*s"},
      {"%s", "%.3s"},
      // Line breaks in the override are no conversions.
      {"First line\nsecond %s", "Erste Zeile%nzweite %s"}, {"%s", "%n%s%n"},
      {"100%%", "100%%%n"},
  };
  for (const auto& pair : same) EXPECT_TRUE(SameConversions(pair[0], pair[1])) << pair[1];

  const char* const different[][2] = {
      {"%s", "%s%s"}, {"%s%s", "%s"}, {"Hello", "%s"}, {"%d", "%s"}, {"%s %d", "%d %s"},
      {"%d", "%ld"}, {"%d", "%f"}, {"%s", "%ls"}, {"%d", "%*d"}, {"%s", "%p"},
      // "%%n" expands to '%' and a line break, which is no conversion printf can take.
      {"100%%", "100%%n"}, {"%s", "%5n%s"},
      // In a built-in text "%n" would be a conversion that writes through its argument.
      {"%n", "%n"},
      // Malformed or hostile.
      {"%s", "%s %"}, {"%s", "%s 100% !"}, {"%s", "%1$s"}, {"%s", "%99999999s"},
      {"%s", "%.5000s"}, {"%d", "%hhhd"},
      // printf reads "% o" as a conversion, so the built-in takes an int the override cannot.
      {"50% off", "50% Rabatt"},
      // A bounded string stays bounded.
      {"%.8s", "%s"}, {"%.8s", "%.9s"}, {"%.*s", "%*s"},
  };
  for (const auto& pair : different) EXPECT_FALSE(SameConversions(pair[0], pair[1])) << pair[1];
}

TEST(TraceText, KeysLinesAndSpans) {
  EXPECT_EQ("-1.9000", TraceKey(0xFFFFFFFFu, 9000));
  EXPECT_EQ("-2147483648.2", TraceKey(0x80000000u, 2));
  EXPECT_EQ("03-07  09:05:01 VERIFY: Enter Verify function",
            TraceLineText(3, 7, 9, 5, 1, "VERIFY", "Enter Verify function"));
  EXPECT_EQ(1u, TraceSpanValue(600000, true));
  EXPECT_EQ(8500u, TraceSpanValue(17000, false));
  EXPECT_EQ("", TraceSpanMarker(999));
  EXPECT_EQ("\t" + std::string(16, '*'), TraceSpanMarker(0xFFFFFFFFu));
  EXPECT_EQ("**:**:** NanoCycles: Startup Programs = 8500 \t********",
            TraceSpanText("Startup Programs", 8500));
  EXPECT_EQ("**:**:** NanoCycles: " + std::string(255, 'L') + " = 0 ",
            TraceSpanText(std::string(300, 'L'), 0));
}
