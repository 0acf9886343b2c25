#include "records/history.h"

#include <sstream>
#include <string>
#include <thread>

#include "foundation/settings.h"
#include "sandbox.h"

using HistoryTest = RegistrySandbox;

TEST_F(HistoryTest, StampAndOneCrLfLinePerRecord) {
  const SYSTEMTIME t = {2026, 12, 0, 6, 14, 5, 0, 0};
  char stamp[64], small[8];
  HistoryStamp(t, stamp, sizeof stamp);
  EXPECT_STREQ("12/06/2026  2:05 PM", stamp);
  EXPECT_EQ(7, HistoryStamp(t, small, sizeof small));
  EXPECT_STREQ("12/06/2", small);

  ASSERT_EQ(1, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  ASSERT_EQ(1, HistoryWrite(nullptr, nullptr, nullptr, 23, kActRemoveTaskScheduler));
  const std::string log = HistoryText();
  std::istringstream lines(log);
  std::string line;
  for (const std::string tail : {"\t*START_Remove\tCURRENT_RUN\tTool\tC:\\T\\tool.exe\t\r",
                                 "\tREMOVE_TaskScheduler\tWOW64_RUNONCEEX\t\t\t\r"}) {
    ASSERT_TRUE(std::getline(lines, line)) << log;
    ASSERT_GT(line.size(), tail.size());
    EXPECT_EQ(tail, line.substr(line.size() - tail.size()));
    EXPECT_EQ("  ", line.substr(10, 2)) << line;
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(HistoryTest, HistoryOffOrFileLockedWritesNothing) {
  char path[MAX_PATH];
  ASSERT_GT(HistoryFilePath(path, sizeof path), 0);
  for (int off : {0, -3}) {
    OptionSet("History", off);
    EXPECT_EQ(0, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
  OptionSet("History", 1);
  HANDLE held = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(0, HistoryWrite("Tool", "C:\\T\\tool.exe", "", 11, kActStartRemove));
  CloseHandle(held);
  EXPECT_EQ("", HistoryText());
}

TEST_F(HistoryTest, TwoWritersAppendingAtOnceLoseNoLine) {
  constexpr int kLines = 10000;
  // Each thread opens the file through its own handles, as two processes do.
  auto writer = [](const char* title) {
    for (int i = 0; i < kLines; ++i) HistoryWrite(title, "C:\\T\\tool.exe", "", 11, kActStartRemove);
  };
  std::thread monitor(writer, "Monitor"), explorer(writer, "Explorer");
  monitor.join();
  explorer.join();
  std::istringstream lines(HistoryText());
  std::string line;
  int count = 0, whole = 0;
  while (std::getline(lines, line)) {
    ++count;
    if (line.size() > 2 && line.back() == '\r' &&
        line.find("\t*START_Remove\tCURRENT_RUN\t") != std::string::npos)
      ++whole;
  }
  EXPECT_EQ(2 * kLines, count);
  EXPECT_EQ(2 * kLines, whole);
}
