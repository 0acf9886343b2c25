#include "categories/activex.h"

#include <string>

#include "foundation/settings.h"
#include "records/first_detected.h"
#include "setup/first_detected_fill.h"
#include "sandbox.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr char kA[] = "{0A000000-0000-4000-8000-00000000000A}";
constexpr char kB[] = "{0B000000-0000-4000-8000-00000000000B}";
constexpr char kC[] = "{0C000000-0000-4000-8000-00000000000C}";
constexpr char kD[] = "{0D000000-0000-4000-8000-00000000000D}";
constexpr char kFlags[] = "Compatibility Flags";

void Class(const char* clsid, const char* className, const std::string& server) {
  const std::string key = std::string("CLSID\\") + clsid;
  SettingsWriteString(HKEY_CLASSES_ROOT, key.c_str(), "", className);
  if (!server.empty())
    SettingsWriteString(HKEY_CLASSES_ROOT, (key + "\\InprocServer32").c_str(), "", server.c_str());
}

// A control the browser loaded: its statistics entry (type < 0: none) and its class.
void Control(const char* clsid, const char* className, const std::string& server, int type) {
  const std::string stats = std::string(kActiveXStatsKey) + "\\" + clsid + "\\iexplore";
  if (type >= 0)
    SettingsWriteNumber(HKEY_CURRENT_USER, stats.c_str(), "Type", static_cast<DWORD>(type));
  else
    SettingsCreateKey(HKEY_CURRENT_USER, stats.c_str());
  Class(clsid, className, server);
}

std::string Entry(const char* clsid) {
  return std::string(kActiveXCompatibilityKey) + "\\" + clsid;
}
void SetFlags(const char* clsid, DWORD flags) {
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, Entry(clsid).c_str(), kFlags, flags);
}
DWORD StoredFlags(const char* clsid) {
  return ReadRegDword(HKEY_LOCAL_MACHINE, Entry(clsid).c_str(), kFlags);
}

class ActiveXTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    sample_ = ScratchFolder() + "\\sample.exe";
    CopyFileA(ProgramFile("kv_versioned_sample.exe").c_str(), sample_.c_str(), FALSE);
  }
  std::string sample_;
};

}  // namespace

TEST_F(ActiveXTest, StatisticsListControlsTheBrowserHostsWithServers) {
  Control(kA, "Sample Control", sample_, 1);
  Control(kB, "Toolbar Kind", sample_, 2);
  Control(kC, "No Server", "", 0);
  Control(kD, "", sample_, -1);
  SetFlags(kA, 0x80000401u);
  ItemAdd("kept", "C:\\kept.exe", "", "", 1, 0);

  ASSERT_EQ(3, EnumerateActiveX(1));
  const std::string server = UpperText(sample_);
  // All 32 bits of the flags; without a class name the title is the server's file name.
  EXPECT_EQ((ItemRow{"Sample Control", server, kA, "1.2.3.4", kTypeActiveX,
                     static_cast<int>(0x80000401u)}),
            ReadItem(1));
  EXPECT_EQ((ItemRow{"SAMPLE", server, kD, "1.2.3.4", kTypeActiveX, 0}), ReadItem(2));
  EXPECT_EQ(2, EnumerateActiveX(0));
}

TEST_F(ActiveXTest, MicrosoftFilterAndCompatibilityListWithAlternateClass) {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string systemDll = std::string(system) + "\\shell32.dll";  // made by Microsoft
  Control(kA, "Sample Control", sample_, 0);
  Control(kB, "System Control", systemDll, 0);
  EXPECT_EQ(2, EnumerateActiveX(0));
  OptionSet("HideMicrosoftActiveX", 1);
  ASSERT_EQ(1, EnumerateActiveX(0));
  EXPECT_EQ(kA, ReadItem(0).key);

  Class(kC, "Alternate Control", sample_);
  SettingsWriteString(HKEY_LOCAL_MACHINE, Entry(kD).c_str(), "AlternateCLSID", kC);
  SetFlags(kC, 0x401);
  SetFlags(kB, kActiveXKillBit);
  SetFlags("{0E000000-0000-4000-8000-00000000000E}", kActiveXKillBit);  // no class at all
  ASSERT_EQ(3, EnumerateAllActiveX()) << "the alternate's own entry, and the entry naming it";
  EXPECT_EQ(kC, ReadItem(1).key);
  EXPECT_EQ(kC, ReadItem(2).key);
  EXPECT_EQ("Alternate Control", ReadItem(2).title);
  EXPECT_EQ(0x401, ReadItem(2).value);
}

TEST_F(ActiveXTest, KillBitIsSetAndClearedKeepingTheOtherFlags) {
  EXPECT_EQ(0u, ReadCompatibilityFlags(kA));
  KillActiveX(kA);
  EXPECT_EQ(kActiveXKillBit, StoredFlags(kA));
  SetFlags(kB, 0x80800081u);
  KillActiveX(kB);
  EXPECT_EQ(0x80800481u, ReadCompatibilityFlags(kB));
  EnableActiveX(kB);
  EXPECT_EQ(0x80800081u, StoredFlags(kB));
  SetFlags(kC, 0x401);
  EnableActiveX(kC);
  EXPECT_EQ(0x001u, ReadCompatibilityFlags(kC));

  KillActiveX("");
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kActiveXCompatibilityKey, kFlags));
  SettingsWriteString(HKEY_LOCAL_MACHINE, Entry(kD).c_str(), kFlags, "1024");
  EXPECT_EQ(0u, ReadCompatibilityFlags(kD)) << "not a number";
}

TEST_F(ActiveXTest, SnapshotAndFirstDetectedAreFilledOnceUntilTheirMarkersGo) {
  Control(kA, "Sample Control", sample_, 0);
  SettingsWriteString(HKEY_CURRENT_USER, kActiveXSnapshotKey, "", "old");
  SettingsWriteString(HKEY_CURRENT_USER, kActiveXSnapshotKey, kD, "1200");
  BuildActiveXSnapshot();
  EXPECT_EQ("P", ReadRegString(HKEY_CURRENT_USER, kActiveXSnapshotKey, ""));
  EXPECT_EQ("1200", ReadRegString(HKEY_CURRENT_USER, kActiveXSnapshotKey, kA));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kActiveXSnapshotKey, kD));
  EXPECT_EQ(0, ItemCount());

  Control(kB, "Later Control", sample_, 0);
  BuildActiveXSnapshot();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kActiveXSnapshotKey, kB));
  SettingsDeleteValue(HKEY_CURRENT_USER, kActiveXSnapshotKey, "");
  BuildActiveXSnapshot();
  EXPECT_EQ("1200", ReadRegString(HKEY_CURRENT_USER, kActiveXSnapshotKey, kB));

  // The other categories count as filled, so only the ActiveX part runs.
  SettingsWriteString(HKEY_CURRENT_USER, kDetectedKey, "", "2008/01/01 10:00");
  InitFirstDetected();
  const std::string detected = std::string(kDetectedKey) + "\\ActiveX";
  EXPECT_EQ("P", ReadRegString(HKEY_CURRENT_USER, detected.c_str(), ""));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, detected.c_str(), UpperText(sample_).c_str())
                   .empty());
}
