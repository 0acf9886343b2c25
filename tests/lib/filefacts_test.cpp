#include "foundation/filefacts.h"

#include <string>

#include "foundation/datetime.h"
#include "foundation/settings.h"
#include "records/first_detected.h"
#include "sandbox.h"

namespace {

void Patterns(const char* shortDate, const char* timeFormat) {
  SettingsWriteString(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate", shortDate);
  SettingsWriteString(HKEY_CURRENT_USER, "Control Panel\\International", "sTimeFormat",
                      timeFormat);
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  const SYSTEMTIME local = {year, month, 0, day, hour, minute, 0, 0};
  FILETIME localTime = {}, utc = {};
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  return utc;
}

void ExpectVersion(const char* sample, const std::string (&expected)[kVersionFieldCount]) {
  VersionStrings v;
  EXPECT_TRUE(ReadVersionStrings(ProgramFile(sample).c_str(), &v));
  for (int i = 0; i < kVersionFieldCount; ++i) EXPECT_EQ(expected[i], v.text[i]) << i;
}

using FileFactsTest = RegistrySandbox;

TEST_F(FileFactsTest, VersionStringsFollowTheTranslationTable) {
  // The second translation lacks ProductName: the first one's texts stand, the longest kept.
  ExpectVersion("kv_versioned_sample.exe",
                {"Versioned Sample", "1.2.3.4", "Korvane Tests", "Sample program",
                 "Copyright (C) Korvane Tests, a text of exactly one hundred and twenty-seven "
                 "characters, the longest a version text may have. .."});
  // The second overwrites the first; its company name is one character too long, it has
  // no copyright, and its product names an operating system.
  ExpectVersion("kv_versioned_sample_os.exe", {"Sample Driver", "2.0", "", "Sample Driver", ""});
  // A file without a version resource leaves every text empty.
  VersionStrings v;
  ASSERT_TRUE(ReadVersionStrings(ProgramFile("kv_versioned_sample.exe").c_str(), &v));
  EXPECT_FALSE(ReadVersionStrings(WriteScratchFile("plain.txt", "text").c_str(), &v));
  for (const auto& text : v.text) EXPECT_STREQ("", text);
}

// The patterns themselves are the core's; here they are read, and file times are local.
TEST_F(FileFactsTest, FactsCarryLocalTimesInTheRegionalPatternsAndGroupedSize) {
  char stamp[kDateTimeTextSize];
  EXPECT_EQ(1, FormatDateTime(SYSTEMTIME{2008, 12, 0, 6, 14, 7, 59, 0}, stamp));
  EXPECT_STREQ("12/06/2008 2:07 PM", stamp);  // no patterns stored
  Patterns("yyyy-MM-dd", "HH:mm:ss");
  const std::string path = WriteScratchFile("facts.bin", std::string(1234567, 'k'));
  HANDLE file =
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME accessed = Utc(2009, 1, 2, 3, 4), written = Utc(2010, 5, 6, 17, 8);
  EXPECT_TRUE(SetFileTime(file, nullptr, &accessed, &written));
  CloseHandle(file);

  FileFactsRecord facts;
  ASSERT_EQ(1, ReadFileFacts(path.c_str(), 300, &facts));
  EXPECT_STREQ("1,234,567", facts.text[kFactSize]);
  EXPECT_STREQ("2009-01-02 03:04", facts.text[kFactAccessed]);
  EXPECT_STREQ("2010-05-06 17:08", facts.text[kFactWritten]);
  EXPECT_EQ(16u, std::string(facts.text[kFactCreated]).size()) << facts.text[kFactCreated];
  EXPECT_STREQ("", facts.text[kFactFirstDetected]);
  char writtenText[kFactSlotSize], size[kFactSlotSize];
  EXPECT_EQ(16, ReadSizeAndWritten(path.c_str(), writtenText, size));
  EXPECT_STREQ("2010-05-06 17:08", writtenText);
  EXPECT_STREQ("1234567", size);

  const std::string missing = ScratchFolder() + "\\missing.bin";
  EXPECT_EQ(0, ReadFileFacts(missing.c_str(), 300, &facts));
  for (const auto& text : facts.text) EXPECT_STREQ("", text);
  EXPECT_EQ(0, ReadSizeAndWritten(missing.c_str(), writtenText, size));
  EXPECT_STREQ("", size);
}

}  // namespace
