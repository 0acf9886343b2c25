// Every delayed record's delay read at once answers each record as its own read does, from
// the store its code chooses.
#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/delayed_records.h"

namespace {

constexpr char kTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";

using DelayedTimesTest = RegistrySandbox;

}  // namespace

TEST_F(DelayedTimesTest, EachRecordReadsFromTheStoreOfItsCode) {
  SettingsWriteString(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\MINE.EXE", "80");
  SettingsWriteString(HKEY_LOCAL_MACHINE, kTimeKey, "C:\\T\\MINE.EXE", "600");
  SettingsWriteString(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\ODD.EXE", "ten");
  SettingsWriteNumber(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\NUMBER.EXE", 30);

  const DelayedTimes times = DelayedRecordTimes();
  for (int code : {1, 7, 11, 200})
    for (const char* program : {"C:\\T\\MINE.EXE", "c:\\t\\mine.exe", "C:\\T\\ODD.EXE",
                                "C:\\T\\NUMBER.EXE", "C:\\T\\OTHER.EXE", ""})
      EXPECT_EQ(DelayedRecordSeconds(program, code), DelayedRecordTimesFind(times, program, code))
          << code << " " << program;
  EXPECT_EQ(80, DelayedRecordTimesFind(times, "c:\\t\\mine.exe", 11));
  EXPECT_EQ(600, DelayedRecordTimesFind(times, "C:\\T\\MINE.EXE", 1));
  EXPECT_EQ(0, DelayedRecordTimesFind(times, nullptr, 11));
}
