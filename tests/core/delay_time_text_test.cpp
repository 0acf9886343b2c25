#include "delay_time_text.h"

#include <gtest/gtest.h>

TEST(DelayTimeText, SecondsAloneBelowAMinuteThenMinutesAndSeconds) {
  EXPECT_EQ(DelayTimeText(30, "Min.", "Sec."), "30 Sec.");
  EXPECT_EQ(DelayTimeText(0, "Min.", "Sec."), "0 Sec.");
  EXPECT_EQ(DelayTimeText(59, "Min.", "Sec."), "59 Sec.");
  EXPECT_EQ(DelayTimeText(60, "Min.", "Sec."), "1 Min. : 0 Sec.");
  EXPECT_EQ(DelayTimeText(80, "Min.", "Sec."), "1 Min. : 20 Sec.");
  EXPECT_EQ(DelayTimeText(3650, "Min.", "Sec."), "60 Min. : 50 Sec.");
  EXPECT_EQ(DelayTimeText(-5, "Min.", "Sec."), "0 Sec.");
}

TEST(DelayTimeText, SortKeysOrderByTheNumber) {
  EXPECT_EQ(DelaySortKey(30), "0030");
  EXPECT_LT(DelaySortKey(90), DelaySortKey(600));
  EXPECT_EQ(DelaySortKey(-1), "0000");
  EXPECT_EQ(DelaySortKey(123456), "9999");
}
