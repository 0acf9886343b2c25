// A category's first-detected store read whole answers every item as the read of that one
// item does: by name in any case, and nothing for values that are no date text.
#include "records/first_detected_store.h"

#include <string>

#include "foundation/settings.h"
#include "item_codes.h"
#include "records/first_detected.h"
#include "sandbox.h"

namespace {

constexpr char kStartup[] = "Software\\Tamsel\\Detected\\Startup";
constexpr char kHidden[] = "Software\\Tamsel\\Detected\\Hidden";
constexpr int kStartupCode = 11;

std::string Single(int code, const char* name) {
  char text[24] = "unset";
  FirstDetectedText(name, code, text);
  return text;
}

using FirstDetectedStoreTest = RegistrySandbox;

}  // namespace

TEST_F(FirstDetectedStoreTest, AnswersEveryItemAsItsOwnReadDoes) {
  SettingsWriteString(HKEY_CURRENT_USER, kStartup, "C:\\T\\TOOL.EXE", "01/02/2003 4:05");
  SettingsWriteString(HKEY_CURRENT_USER, kStartup, "C:\\T\\LONG.EXE", std::string(40, '9').c_str());
  SettingsWriteString(HKEY_CURRENT_USER, kStartup, "C:\\T\\EMPTY.EXE", "");
  SettingsWriteNumber(HKEY_CURRENT_USER, kStartup, "C:\\T\\NUMBER.EXE", 7);
  WriteRegValue(HKEY_CURRENT_USER, kStartup, "C:\\T\\RAW.EXE", REG_SZ, "12/31/1999 23:59");
  SettingsWriteString(HKEY_CURRENT_USER, kHidden, "C:\\T\\TOOL.EXE", "other category");

  const FirstDetectedStore store = FirstDetectedStoreRead(kStartupCode);
  for (const char* name : {"C:\\T\\TOOL.EXE", "c:\\t\\tool.exe", "C:\\T\\LONG.EXE", "C:\\T\\EMPTY.EXE",
                           "C:\\T\\NUMBER.EXE", "C:\\T\\RAW.EXE", "C:\\T\\MISSING.EXE", ""})
    EXPECT_EQ(Single(kStartupCode, name), FirstDetectedStoreText(store, name)) << name;
  EXPECT_EQ("01/02/2003 4:05", FirstDetectedStoreText(store, "c:\\t\\tool.exe"));
  EXPECT_EQ("12/31/1999 23:59", FirstDetectedStoreText(store, "C:\\T\\RAW.EXE"));
  EXPECT_EQ("", FirstDetectedStoreText(store, nullptr));
  EXPECT_EQ("other category",
            FirstDetectedStoreText(FirstDetectedStoreRead(kTypeHidden), "C:\\T\\TOOL.EXE"));
  // A category never recorded has an empty store.
  EXPECT_TRUE(FirstDetectedStoreRead(kTaskScheduledCode).byName.empty());
}
