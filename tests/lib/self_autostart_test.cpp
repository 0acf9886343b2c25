#include "sandbox.h"

#include "foundation/paths.h"
#include "records/history.h"
#include "startup/self_autostart.h"

namespace {

constexpr char kMachineRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SelfAutostartTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    HistoryFilePath(history_, sizeof history_);
    DeleteFileA(history_);
  }
  void TearDown() override {
    DeleteFileA(history_);
    RegistrySandbox::TearDown();
  }
  char history_[kPathSize] = "";
};

TEST_F(SelfAutostartTest, OnThenOffLeavesNoMonitorEntryBehind) {
  ASSERT_EQ(1, SetSelfAutostart(true));
  EXPECT_TRUE(IsSelfAutostart());
  EXPECT_EQ(1, g_selfAutostart);

  EXPECT_EQ(1, SetSelfAutostart(false));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kMachineRun, "Korvane"));
  EXPECT_FALSE(IsSelfAutostart());
  EXPECT_EQ(0, g_selfAutostart);
}

TEST_F(SelfAutostartTest, OffWithoutAnEntryChangesNothing) {
  g_selfAutostart = 1;
  EXPECT_EQ(0, SetSelfAutostart(false));
  EXPECT_EQ(1, g_selfAutostart);
}

}  // namespace
