#include "records/history.h"

#include <fstream>
#include <sstream>
#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

class HistoryTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    ASSERT_GT(HistoryFilePath(path_, sizeof path_), 0);
    DeleteFileA(path_);
  }
  void TearDown() override {
    DeleteFileA(path_);
    RegistrySandbox::TearDown();
  }
  std::string Log() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  char path_[MAX_PATH] = "";
};

std::string Stamp(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME t = {year, month, 0, day, hour, minute, 0, 0};
  char text[64];
  HistoryStamp(t, text, sizeof text);
  return text;
}

}  // namespace

TEST_F(HistoryTest, StampOfATimeAndOfNoDate) {
  EXPECT_EQ("12/06/2026  2:05 PM", Stamp(2026, 12, 6, 14, 5));
  EXPECT_EQ("Never", Stamp(0, 0, 0, 9, 30));
  char small[8];
  SYSTEMTIME t = {2026, 12, 0, 6, 14, 5, 0, 0};
  EXPECT_EQ(7, HistoryStamp(t, small, sizeof small));
  EXPECT_STREQ("12/06/2", small);
}

TEST_F(HistoryTest, AppendsOneLinePerRecord) {
  ASSERT_EQ(1, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  ASSERT_EQ(1, HistoryWrite("x", "y", "z", 16, kActServiceDisabled));
  ASSERT_EQ(1, HistoryWrite(nullptr, nullptr, nullptr, 23, kActRemoveTaskScheduler));
  const std::string log = Log();
  std::istringstream lines(log);
  const char* const tails[] = {
      "\t*START_Remove\tCURRENT_RUN\tTool\tC:\\T\\tool.exe\t\r",
      "\tSERVICE_Disabled\tTYPE_UNKNOWN\tx\ty\tz\r",
      "\tREMOVE_TaskScheduler\tWOW64_RUNONCEEX\t\t\t\r",
  };
  std::string line;
  for (const char* tail : tails) {
    ASSERT_TRUE(std::getline(lines, line)) << log;
    const std::string expectedTail(tail);
    ASSERT_GT(line.size(), expectedTail.size());
    EXPECT_EQ(expectedTail, line.substr(line.size() - expectedTail.size()));
    EXPECT_EQ("  ", line.substr(10, 2)) << line;
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(HistoryTest, HistoryOffOrFileLockedWritesNothing) {
  OptionSet("History", 0);
  EXPECT_EQ(0, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  OptionSet("History", -3);
  EXPECT_EQ(0, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_));

  OptionSet("History", 1);
  HANDLE held = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(0, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  CloseHandle(held);
  EXPECT_EQ("", Log());
}

TEST_F(HistoryTest, OverlongRecordIsCutButKeepsItsLineEnd) {
  const std::string title(2000, 'T');
  ASSERT_EQ(1, HistoryWrite(title.c_str(), "C:\\T\\tool.exe", "extra", 11, kActStartRemove));
  ASSERT_EQ(1, HistoryWrite("next", "", "", 11, kActStartAlert));
  const std::string log = Log();
  const size_t first = log.find('\n');
  ASSERT_NE(std::string::npos, first);
  EXPECT_LE(first + 1, 1025u);
  EXPECT_EQ('\r', log[first - 1]);
  EXPECT_EQ("TTT\r\n", log.substr(first - 4, 5));
  EXPECT_NE(std::string::npos, log.find("\tSTART_Alert\tCURRENT_RUN\tnext\t\t\r\n", first));
}
