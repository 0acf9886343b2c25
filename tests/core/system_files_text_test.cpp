#include "system_files_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemFilesTextTest, TypeZeroNeedsDateAndSize) {
  EXPECT_FALSE(SystemFileChanged("1/2/2008 10:00", "1/2/2008 10:00", "10", "99", 0));
  EXPECT_FALSE(SystemFileChanged("1/2/2008 10:00", "1/3/2008 11:00", "10", "10", 0));
  EXPECT_TRUE(SystemFileChanged("1/2/2008 10:00", "1/3/2008 11:00", "10", "11", 0));
  for (int other : {2, -1})
    EXPECT_TRUE(SystemFileChanged("1/2/2008 10:00", "1/3/2008 11:00", "10", "10", other));
  EXPECT_FALSE(SystemFileChanged("1/2/2008 10:00", "1/2/2008 10:00", "10", "10", 1));
}

// The same minute, a time put back or the same size: only the bytes tell, and they decide.
TEST(SystemFilesTextTest, KnownFingerprintsDecideWhateverTheTimesSay) {
  const char* stamp = "1/2/2008 10:00";
  EXPECT_TRUE(SystemFileContentChanged({stamp, "10", "ab"}, {stamp, "10", "cd"}, 0));
  EXPECT_TRUE(SystemFileContentChanged({stamp, "10", "ab"}, {"1/1/2007 09:00", "10", "cd"}, 1));
  EXPECT_FALSE(SystemFileContentChanged({stamp, "10", "ab"}, {"1/3/2008 11:00", "11", "AB"}, 1));
  // Without both fingerprints the times and sizes decide as before.
  EXPECT_FALSE(SystemFileContentChanged({stamp, "10", ""}, {stamp, "10", "cd"}, 1));
  EXPECT_TRUE(SystemFileContentChanged({stamp, "10", "ab"}, {"1/3/2008 11:00", "10", ""}, 1));
}

TEST(SystemFilesTextTest, RestartTextLinesAndBounds) {
  EXPECT_EQ(RestartCommandsShown("[rename]\nNUL=C:\\A.EXE\n"),
            "[rename]\r\nNUL=C:\\A.EXE\r\n");
  EXPECT_EQ(RestartCommandsShown("NUL=A\r\nNUL=B"), "NUL=A\r\nNUL=B");
  EXPECT_EQ(RestartCommandsShown(std::string("A\0B\n", 4)), "A B\r\n");
  EXPECT_EQ(RestartCommandsShown(""), "");
}

TEST(SystemFilesTextTest, RestartDeleteAppendixAddsHeadingAndLineEndOnce) {
  EXPECT_EQ(RestartDeleteAppendix("", "C:\\OLD~1.EXE"), "[rename]\r\nNUL=C:\\OLD~1.EXE\r\n");
  EXPECT_EQ(RestartDeleteAppendix("[Rename]\r\nNUL=C:\\A.EXE", "C:\\B.EXE"),
            "\r\nNUL=C:\\B.EXE\r\n");
  EXPECT_EQ(RestartDeleteAppendix("[rename]\n", "C:\\B.EXE"), "NUL=C:\\B.EXE\r\n");
}
