#include "records/first_detected_records.h"

#include <string>

#include "records/first_detected.h"
#include "sandbox.h"

namespace {

using FirstDetectedRecordsTest = RegistrySandbox;

}  // namespace

TEST_F(FirstDetectedRecordsTest, EveryTextRecordOfTheCategoryByItsUpperCaseName) {
  const std::string key = FirstDetectedPath("Startup");
  WriteRegString(HKEY_CURRENT_USER, key, "C:\\Tools\\App.exe", "12/06/2008 2:07 PM");
  WriteRegString(HKEY_CURRENT_USER, key, "C:\\T\\EMPTY.EXE", "");
  WriteRegString(HKEY_CURRENT_USER, key, "C:\\T\\LONG.EXE", std::string(24, '1'));
  WriteRegString(HKEY_CURRENT_USER, key, "C:\\T\\FITS.EXE", std::string(23, '2'));
  WriteRegValue(HKEY_CURRENT_USER, key, "C:\\T\\NUMBER.EXE", REG_DWORD, std::string(4, '\1'));
  WriteRegString(HKEY_CURRENT_USER, FirstDetectedPath("Services"), "C:\\S\\SVC.EXE", "1/1/2009 0:05 AM");

  const FirstDetectedRecordMap records = FirstDetectedRecords(FirstDetectedKeyOf(11));
  ASSERT_EQ(2u, records.size());
  EXPECT_EQ("12/06/2008 2:07 PM", records.at("C:\\TOOLS\\APP.EXE"));
  EXPECT_EQ(std::string(23, '2'), records.at("C:\\T\\FITS.EXE"));
  // The same answers as the look-up of one record gives.
  char one[24];
  EXPECT_EQ(0, FirstDetectedText("C:\\T\\LONG.EXE", 11, one));
  EXPECT_EQ(1u, FirstDetectedRecords(FirstDetectedKeyOf(700)).count("C:\\S\\SVC.EXE"));
  EXPECT_TRUE(FirstDetectedRecords("NoSuchCategory").empty());
}
