#include <gtest/gtest.h>

#include "alert_sound_text.h"

TEST(AlertSound, EventKeysAndChoice) {
  for (int outside : {6, -1}) EXPECT_STREQ(AlertSoundKey(0), AlertSoundKey(outside));
  EXPECT_EQ(AlertSoundSource::kNone, AlertSoundChoice(0, "C:\\ding.wav"));
  EXPECT_EQ(AlertSoundSource::kBuiltIn, AlertSoundChoice(1, ""));
  EXPECT_EQ(AlertSoundSource::kSchemeFile, AlertSoundChoice(2, "C:\\ding.wav"));
}
