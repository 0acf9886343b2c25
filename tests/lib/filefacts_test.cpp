#include "foundation/filefacts.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

std::string Sample(const char* name) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + name;
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME local = {year, month, 0, day, hour, minute, 0, 0};
  FILETIME localTime = {}, utc = {};
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  return utc;
}

class FileFactsTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    const char* key = "Control Panel\\International";
    SettingsWriteString(HKEY_CURRENT_USER, key, "sShortDate", "yyyy-MM-dd");
    SettingsWriteString(HKEY_CURRENT_USER, key, "sTimeFormat", "HH:mm:ss");
  }
  // A file whose last access is 2009-01-02 03:04 and last write 2010-05-06 17:08.
  std::string DatedFile(const char* name, size_t size) {
    const std::string path = WriteScratchFile(name, std::string(size, 'k'));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    const FILETIME accessed = Utc(2009, 1, 2, 3, 4), written = Utc(2010, 5, 6, 17, 8);
    EXPECT_TRUE(SetFileTime(file, nullptr, &accessed, &written));
    CloseHandle(file);
    return path;
  }
  static void ExpectVersion(const char* sample, const std::string (&expected)[5]) {
    VersionStrings v;
    EXPECT_TRUE(ReadVersionStrings(Sample(sample).c_str(), &v));
    for (int i = 0; i < kVersionFieldCount; ++i) EXPECT_EQ(expected[i], v.text[i]) << i;
  }
};

TEST_F(FileFactsTest, VersionStringsFollowTheTranslationTable) {
  // The second translation lacks ProductName: the first one's texts stand, the longest kept.
  ExpectVersion("kv_versioned_sample.exe",
                {"Versioned Sample", "1.2.3.4", "Korvane Tests", "Sample program",
                 "Copyright (C) Korvane Tests, a text of exactly one hundred and twenty-seven "
                 "characters, the longest a version text may have. .."});
  // The second overwrites the first; its company name is one character too long, it has
  // no copyright, and its product names an operating system.
  ExpectVersion("kv_versioned_sample_os.exe",
                {"Sample Driver", "2.0", "", "Sample Driver", ""});
}

TEST_F(FileFactsTest, FactsCarryTimesAndGroupedSize) {
  FileFactsRecord facts;
  ASSERT_EQ(1, ReadFileFacts(DatedFile("facts.bin", 1234567).c_str(), 300, &facts));
  EXPECT_STREQ("1,234,567", facts.text[kFactSize]);
  EXPECT_STREQ("2009-01-02 03:04", facts.text[kFactAccessed]);
  EXPECT_STREQ("2010-05-06 17:08", facts.text[kFactWritten]);
  EXPECT_EQ(16u, std::string(facts.text[kFactCreated]).size()) << facts.text[kFactCreated];
  EXPECT_STREQ("", facts.text[kFactFirstDetected]);

  char written[kFactSlotSize], size[kFactSlotSize];
  EXPECT_EQ(16, ReadSizeAndWritten(DatedFile("plain.bin", 1234567).c_str(), written, size));
  EXPECT_STREQ("2010-05-06 17:08", written);
  EXPECT_STREQ("1234567", size);
}

TEST_F(FileFactsTest, PlainOrMissingFileLeavesEveryTextEmpty) {
  VersionStrings v;
  const std::string missing = ScratchFolder() + "\\missing.bin";
  for (const std::string& path : {WriteScratchFile("plain.txt", "text"), missing}) {
    ASSERT_TRUE(ReadVersionStrings(Sample("kv_versioned_sample.exe").c_str(), &v));
    EXPECT_FALSE(ReadVersionStrings(path.c_str(), &v));
    for (const auto& text : v.text) EXPECT_STREQ("", text);
  }
  FileFactsRecord facts;
  EXPECT_EQ(0, ReadFileFacts(missing.c_str(), 300, &facts));
  for (const auto& text : facts.text) EXPECT_STREQ("", text);
  char written[kFactSlotSize] = "old", size[kFactSlotSize] = "old";
  EXPECT_EQ(0, ReadSizeAndWritten(missing.c_str(), written, size));
  EXPECT_STREQ("", written);
  EXPECT_STREQ("", size);
}

}  // namespace
