#include "records/first_detected.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "setup/first_detected_fill.h"
#include "text.h"

namespace {

constexpr char kDetected[] = "Software\\Tamsel\\Detected";
constexpr char kStartup[] = "Software\\Tamsel\\Detected\\Startup";
constexpr char kTasks[] = "Software\\Tamsel\\Detected\\Tasks";

void Put(const char* key, const std::string& name, const char* value) {
  SettingsWriteString(HKEY_CURRENT_USER, key, name.c_str(), value);
}
std::string Get(const char* key, const std::string& name) {
  return ReadRegString(HKEY_CURRENT_USER, key, name.c_str());
}
std::string Detected(int code, const char* name) {
  char text[24] = "unset";
  FirstDetectedText(name, code, text);
  return text;
}

using FirstDetectedTest = RegistrySandbox;

}  // namespace

TEST_F(FirstDetectedTest, RecordsTheProgramFileOnceAndReadsItByCode) {
  const std::string file = WriteScratchFile("tool.exe", "MZ");
  const std::string record = UpperText(file);
  EXPECT_EQ(0, RecordFirstDetected((file + " -min").c_str(), "Startup"));
  const std::string first = Get(kStartup, record);
  ASSERT_FALSE(first.empty());
  EXPECT_LE(first.size(), 23u);
  EXPECT_EQ(first, Detected(252, record.c_str()));
  Put(kStartup, record, "01/02/2003 4:05 AM");
  EXPECT_EQ(1, RecordFirstDetected((file + " -min").c_str(), "Startup"));
  EXPECT_EQ("01/02/2003 4:05 AM", Get(kStartup, record));
  const std::string missing = ScratchFolder() + "\\gone.exe";
  EXPECT_EQ(0, RecordFirstDetected(missing.c_str(), "Startup"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kStartup, UpperText(missing).c_str()));
  EXPECT_EQ(0, RecordFirstDetected("{0000-CLSID} not a file", "ActiveX"));
  EXPECT_EQ(1, RecordFirstDetected("{0000-CLSID} not a file", "ActiveX"));

  Put("Software\\Tamsel\\Detected\\ActiveTasks", "C:\\A.EXE", "active");
  Put(kStartup, "C:\\LONG.EXE", std::string(40, '9').c_str());
  EXPECT_EQ("active", Detected(999, "c:\\a.exe"));
  EXPECT_EQ("", Detected(800, record.c_str()));
  EXPECT_EQ("", Detected(1, "C:\\LONG.EXE"));
}

TEST_F(FirstDetectedTest, InitFillsOnceAndKeepsRecords) {
  InitFirstDetected();
  EXPECT_NE("", Get(kDetected, ""));
  Put(kDetected, "", "earlier");
  InitFirstDetected();
  EXPECT_EQ("earlier", Get(kDetected, ""));
  Put(kTasks, "C:\\KEPT.EXE", "kept");
  SettingsDeleteValue(HKEY_CURRENT_USER, kDetected, "");
  InitFirstDetected();
  EXPECT_NE("", Get(kDetected, ""));
  EXPECT_EQ("kept", Get(kTasks, "C:\\KEPT.EXE"));
}

TEST_F(FirstDetectedTest, PruneDropsOnlyMissingFiles) {
  const std::string kept = UpperText(WriteScratchFile("kept.exe", "MZ"));
  Put(kTasks, kept, "t");
  Put(kTasks, "", "marker");
  Put(kTasks, std::string(300, 'N'), "t");
  // Deleting while enumerating must not skip the value after each deleted one.
  for (int i = 0; i < 50; ++i) Put(kTasks, "C:\\NOWHERE\\" + std::to_string(i), "t");
  PruneFirstDetected(HKEY_CURRENT_USER, "Tasks");
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kTasks, kept.c_str()));
  for (const char* gone : {"C:\\NOWHERE\\0", "C:\\NOWHERE\\1", "C:\\NOWHERE\\49"})
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kTasks, gone)) << gone;
  EXPECT_EQ("marker", Get(kTasks, ""));
  PruneFirstDetected(HKEY_CURRENT_USER, "NoSuchCategory");
}
