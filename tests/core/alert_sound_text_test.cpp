#include <gtest/gtest.h>

#include "alert_sound_text.h"

TEST(AlertSound, EventKeysAndChoice) {
  EXPECT_STREQ("AppEvents\\Schemes\\Apps\\Korvane\\FileType Alert\\.current", AlertSoundKey(5));
  for (int outside : {6, -1})
    EXPECT_STREQ("AppEvents\\Schemes\\Apps\\Korvane\\Open\\.current", AlertSoundKey(outside));
  EXPECT_EQ(AlertSoundSource::kNone, AlertSoundChoice(0, "C:\\ding.wav"));
  EXPECT_EQ(AlertSoundSource::kNone, AlertSoundChoice(-3, ""));
  EXPECT_EQ(AlertSoundSource::kBuiltIn, AlertSoundChoice(1, ""));
  EXPECT_EQ(AlertSoundSource::kSchemeFile, AlertSoundChoice(2, "C:\\ding.wav"));
}
