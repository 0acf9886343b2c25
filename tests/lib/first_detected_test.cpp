#include "records/first_detected.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "text.h"

namespace {

constexpr char kStartup[] = "Software\\Tamsel\\Detected\\Startup";
constexpr char kTasks[] = "Software\\Tamsel\\Detected\\Tasks";
constexpr char kActiveTasks[] = "Software\\Tamsel\\Detected\\ActiveTasks";
constexpr char kActiveX[] = "Software\\Tamsel\\Detected\\ActiveX";

std::string Detected(int code, const char* name) {
  char text[24] = "unset";
  FirstDetectedText(name, code, text);
  return text;
}

using FirstDetectedTest = RegistrySandbox;

}  // namespace

TEST_F(FirstDetectedTest, RecordsTheProgramFileOnce) {
  const std::string file = WriteScratchFile("tool.exe", "MZ");
  const std::string command = file + " -min";
  const std::string record = UpperText(file);
  EXPECT_EQ(0, RecordFirstDetected(command.c_str(), "Startup"));
  const std::string first = ReadRegString(HKEY_CURRENT_USER, kStartup, record.c_str());
  ASSERT_FALSE(first.empty());
  EXPECT_LE(first.size(), 23u);
  EXPECT_EQ(first, Detected(252, record.c_str()));

  SettingsWriteString(HKEY_CURRENT_USER, kStartup, record.c_str(), "01/02/2003 4:05 AM");
  EXPECT_EQ(1, RecordFirstDetected(command.c_str(), "Startup"));
  EXPECT_EQ("01/02/2003 4:05 AM", ReadRegString(HKEY_CURRENT_USER, kStartup, record.c_str()));

  const std::string missing = ScratchFolder() + "\\gone.exe";
  EXPECT_EQ(0, RecordFirstDetected(missing.c_str(), "Startup"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kStartup, UpperText(missing).c_str()));

  EXPECT_EQ(0, RecordFirstDetected("{0000-CLSID} not a file", "ActiveX"));
  EXPECT_EQ(1, RecordFirstDetected("{0000-CLSID} not a file", "ActiveX"));
  EXPECT_NE("", Detected(1200, "{0000-CLSID} not a file"));
}

TEST_F(FirstDetectedTest, CodesChooseTheirCategory) {
  SettingsWriteString(HKEY_CURRENT_USER, kActiveTasks, "C:\\A.EXE", "active");
  SettingsWriteString(HKEY_CURRENT_USER, kStartup, "C:\\A.EXE", "startup");
  SettingsWriteString(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\Services", "C:\\A.EXE",
                      "service");
  EXPECT_EQ("active", Detected(600, "C:\\A.EXE"));
  EXPECT_EQ("active", Detected(999, "c:\\a.exe"));
  EXPECT_EQ("startup", Detected(252, "C:\\A.EXE"));
  EXPECT_EQ("startup", Detected(0, "C:\\A.EXE"));
  EXPECT_EQ("service", Detected(701, "C:\\A.EXE"));
  EXPECT_EQ("", Detected(800, "C:\\A.EXE"));
  EXPECT_EQ("", Detected(600, ""));

  SettingsWriteString(HKEY_CURRENT_USER, kStartup, "C:\\LONG.EXE", std::string(40, '9').c_str());
  EXPECT_EQ("", Detected(1, "C:\\LONG.EXE"));
}

TEST_F(FirstDetectedTest, InitFillsOnceAndKeepsRecords) {
  InitFirstDetected();
  const std::string marker = ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected", "");
  EXPECT_FALSE(marker.empty());
  EXPECT_EQ("P", ReadRegString(HKEY_CURRENT_USER, kActiveX, ""));
  for (const char* key :
       {"Startup", "IEHelper", "Services", "Tasks", "ActiveTasks", "FileTypes", "Hidden"})
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER,
                             (std::string("Software\\Tamsel\\Detected\\") + key).c_str()))
        << key;

  SettingsWriteString(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected", "", "earlier");
  InitFirstDetected();
  EXPECT_EQ("earlier", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected", ""));

  SettingsWriteString(HKEY_CURRENT_USER, kTasks, "C:\\KEPT.EXE", "kept");
  SettingsDeleteValue(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected", "");
  InitFirstDetected();
  EXPECT_NE("", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected", ""));
  EXPECT_EQ("kept", ReadRegString(HKEY_CURRENT_USER, kTasks, "C:\\KEPT.EXE"));
}

TEST_F(FirstDetectedTest, PruneDropsOnlyMissingFiles) {
  const std::string kept = UpperText(WriteScratchFile("kept.exe", "MZ"));
  const std::string gone = UpperText(ScratchFolder() + "\\gone.exe");
  SettingsWriteString(HKEY_CURRENT_USER, kTasks, kept.c_str(), "t");
  SettingsWriteString(HKEY_CURRENT_USER, kTasks, gone.c_str(), "t");
  SettingsWriteString(HKEY_CURRENT_USER, kTasks, "", "marker");
  SettingsWriteString(HKEY_CURRENT_USER, kTasks, std::string(300, 'N').c_str(), "t");
  for (int i = 0; i < 50; ++i)
    SettingsWriteString(HKEY_CURRENT_USER, kTasks, ("C:\\NOWHERE\\" + std::to_string(i)).c_str(),
                        "t");

  PruneFirstDetected(HKEY_CURRENT_USER, "Tasks");
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kTasks, kept.c_str()));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kTasks, gone.c_str()));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kTasks, "C:\\NOWHERE\\49"));
  EXPECT_EQ("marker", ReadRegString(HKEY_CURRENT_USER, kTasks, ""));
  PruneFirstDetected(HKEY_CURRENT_USER, "NoSuchCategory");
}
