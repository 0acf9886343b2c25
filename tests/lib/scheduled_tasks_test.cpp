#include "categories/scheduled_tasks.h"

#include <windows.h>
#include <mstask.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "sandbox.h"
#include "startup/item_list.h"

namespace {

std::string TasksFolderFile(const char* name) {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\Tasks\\" + name;
}

// Jobs are made and removed through the scheduler itself, not through the code under test.
class ScheduledTasksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_EQ(0u, EnsureSchedulerRunning());
    ASSERT_EQ(S_OK, CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                     kSchedulerInterface, reinterpret_cast<void**>(&scheduler_)));
  }
  void TearDown() override {
    for (const std::wstring& name : made_) scheduler_->Delete(name.c_str());
    DeleteFileA(TasksFolderFile("bad.job").c_str());
    if (scheduler_) scheduler_->Release();
    ItemListClear();
    CoUninitialize();
  }

  // A job once on 4 March 2030 at hour:minute; no trigger when hour is negative.
  void MakeTask(const std::wstring& name, const std::wstring& application, int hour,
                int minute = 0) {
    ITask* task = nullptr;
    ASSERT_EQ(S_OK, scheduler_->NewWorkItem(name.c_str(), kTaskClass, kTaskInterface,
                                            reinterpret_cast<IUnknown**>(&task)));
    made_.push_back(name);
    task->SetApplicationName(application.c_str());
    if (hour >= 0) {
      WORD index = 0;
      ITaskTrigger* trigger = nullptr;
      ASSERT_EQ(S_OK, task->CreateTrigger(&index, &trigger));
      TASK_TRIGGER when{.cbTriggerSize = sizeof(TASK_TRIGGER),
                        .wBeginYear = 2030,
                        .wBeginMonth = 3,
                        .wBeginDay = 4,
                        .wStartHour = static_cast<WORD>(hour),
                        .wStartMinute = static_cast<WORD>(minute),
                        .TriggerType = TASK_TIME_TRIGGER_ONCE};
      EXPECT_EQ(S_OK, trigger->SetTrigger(&when));
      trigger->Release();
    }
    IPersistFile* file = nullptr;
    task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(S_OK, file->Save(nullptr, TRUE));
    file->Release();
    task->Release();
  }

  // By title; the key holds the next run time and the extra the last.
  static std::map<std::string, ItemRow> ListTasks() {
    const int count = EnumerateScheduledTasks();
    EXPECT_EQ(count, ItemCount());
    std::map<std::string, ItemRow> listed;
    for (const ItemRow& row : ReadItems()) listed[row.title] = row;
    return listed;
  }

  ITaskScheduler* scheduler_ = nullptr;
  std::vector<std::wstring> made_;
};

}  // namespace

// Seven, so that the scheduler hands them over in two batches.
TEST_F(ScheduledTasksTest, ListsSevenTasksWithRunTimesOnTheTwelveHourClock) {
  const struct {
    int hour, minute;
    const char* next;
  } cases[7] = {{0, 5, "03/04/2030  12:05 AM"}, {12, 30, "03/04/2030  12:30 PM"},
                {13, 7, "03/04/2030  1:07 PM"}, {-1, 0, "Never"},
                {9, 0, "03/04/2030  9:00 AM"},  {9, 1, "03/04/2030  9:01 AM"},
                {23, 59, "03/04/2030  11:59 PM"}};
  for (int i = 0; i < 7; ++i) {
    const std::wstring digit = std::to_wstring(i);
    MakeTask(L"kv" + digit, L"C:\\kv\\p" + digit + L".exe", cases[i].hour, cases[i].minute);
  }
  const auto listed = ListTasks();
  for (int i = 0; i < 7; ++i) {
    const std::string title = "kv" + std::to_string(i) + ".job";
    ASSERT_EQ(1u, listed.count(title)) << title;
    const ItemRow& item = listed.at(title);
    EXPECT_EQ("C:\\kv\\p" + std::to_string(i) + ".exe", item.command);
    EXPECT_EQ(cases[i].next, item.key);
    EXPECT_EQ("Never", item.extra);
    EXPECT_EQ(kTaskScheduledCode, item.code);
  }
  char text[kItemKeySize] = "stale";
  TaskNextRunText("KV2.JOB", text, sizeof text);
  EXPECT_STREQ("03/04/2030  1:07 PM", text);
}

TEST_F(ScheduledTasksTest, DeleteRemovesTheJobAndOddOrMissingJobsDoNotStopTheList) {
  MakeTask(L"kvDoomed", L"C:\\kv\\doomed.exe", 8);
  MakeTask(L"kvNoProgram", L"", 8);
  std::ofstream(TasksFolderFile("bad.job"), std::ios::binary) << std::string(300, '\xA5');
  EXPECT_EQ(S_OK, DeleteScheduledTask("kvdoomed.job"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TasksFolderFile("kvDoomed.job").c_str()));
  const auto listed = ListTasks();
  EXPECT_EQ(0u, listed.count("kvDoomed.job"));
  ASSERT_EQ(1u, listed.count("kvNoProgram.job"));
  EXPECT_EQ("", listed.at("kvNoProgram.job").command);
  EXPECT_TRUE(FAILED(DeleteScheduledTask("kvDoomed.job")));
  EXPECT_TRUE(FAILED(DeleteScheduledTask(nullptr)));

  char text[kItemKeySize] = "stale";
  TaskNextRunText("kvMissing.job", text, sizeof text);
  EXPECT_STREQ("", text);
  std::strcpy(text, "stale");
  TaskStatusText("kvMissing.job", text, sizeof text);
  EXPECT_STREQ("", text);
}
