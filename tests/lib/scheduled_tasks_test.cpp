#include "categories/scheduled_tasks.h"

#include <windows.h>
#include <mstask.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "startup/item_list.h"

namespace {


struct Listed {
  std::string command, next, last;
  int code = 0;
};

std::string TasksFolderFile(const char* name) {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\Tasks\\" + name;
}

bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

  // A job at 4 March 2030, hour:minute; no trigger when hour is negative.
  void MakeTask(const wchar_t* name, const wchar_t* application, int hour = -1, int minute = 0) {
    ITask* task = nullptr;
    ASSERT_EQ(S_OK, scheduler_->NewWorkItem(name, kTaskClass, kTaskInterface,
                                            reinterpret_cast<IUnknown**>(&task)));
    made_.push_back(name);
    task->SetApplicationName(application);
    if (hour >= 0) AddTrigger(task, static_cast<WORD>(hour), static_cast<WORD>(minute));
    IPersistFile* file = nullptr;
    task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(S_OK, file->Save(nullptr, TRUE));
    file->Release();
    task->Release();
  }
  static void AddTrigger(ITask* task, WORD hour, WORD minute) {
    WORD index = 0;
    ITaskTrigger* trigger = nullptr;
    ASSERT_EQ(S_OK, task->CreateTrigger(&index, &trigger));
    TASK_TRIGGER when{};
    when.cbTriggerSize = sizeof when;
    when.wBeginYear = 2030;
    when.wBeginMonth = 3;
    when.wBeginDay = 4;
    when.wStartHour = hour;
    when.wStartMinute = minute;
    when.TriggerType = TASK_TIME_TRIGGER_ONCE;
    EXPECT_EQ(S_OK, trigger->SetTrigger(&when));
    trigger->Release();
  }

  static std::map<std::string, Listed> ListTasks() {
    std::map<std::string, Listed> listed;
    const int count = EnumerateScheduledTasks();
    EXPECT_EQ(count, ItemCount());
    for (int i = 0; i < ItemCount(); ++i) {
      char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize],
          extra[kItemExtraSize];
      ItemTitle(i, title);
      ItemCommand(i, command);
      ItemKey(i, key);
      ItemExtra(i, extra, sizeof extra);
      listed[title] = {command, key, extra, ItemCode(i)};
    }
    return listed;
  }

  ITaskScheduler* scheduler_ = nullptr;
  std::vector<std::wstring> made_;
};

TEST_F(ScheduledTasksTest, ListsSevenTasksFetchedInTwoBatches) {
  for (int i = 0; i < 7; ++i) {
    const std::wstring digit = std::to_wstring(i);
    MakeTask((L"kv" + digit).c_str(), (L"C:\\kv\\p" + digit + L".exe").c_str(), 9, i);
  }
  const auto listed = ListTasks();
  for (int i = 0; i < 7; ++i) {
    const std::string title = "kv" + std::to_string(i) + ".job";
    ASSERT_EQ(1u, listed.count(title)) << title;
    const Listed& item = listed.at(title);
    EXPECT_EQ("C:\\kv\\p" + std::to_string(i) + ".exe", item.command);
    EXPECT_EQ("03/04/2030  9:0" + std::to_string(i) + " AM", item.next);
    EXPECT_EQ("Never", item.last);
    EXPECT_EQ(kTaskScheduledCode, item.code);
  }
}

TEST_F(ScheduledTasksTest, RunTimesOnTheTwelveHourClock) {
  MakeTask(L"kvMidnight", L"C:\\kv\\a.exe", 0, 5);
  MakeTask(L"kvNoon", L"C:\\kv\\b.exe", 12, 30);
  MakeTask(L"kvAfternoon", L"C:\\kv\\c.exe", 13, 7);
  MakeTask(L"kvUnscheduled", L"C:\\kv\\d.exe");
  const auto listed = ListTasks();
  EXPECT_EQ("03/04/2030  12:05 AM", listed.at("kvMidnight.job").next);
  EXPECT_EQ("03/04/2030  12:30 PM", listed.at("kvNoon.job").next);
  EXPECT_EQ("03/04/2030  1:07 PM", listed.at("kvAfternoon.job").next);
  EXPECT_EQ("Never", listed.at("kvUnscheduled.job").next);

  char text[kItemKeySize] = "stale";
  TaskNextRunText("KVAFTERNOON.JOB", text, sizeof text);
  EXPECT_STREQ("03/04/2030  1:07 PM", text);
  TaskNextRunText("kvMissing.job", text, sizeof text);
  EXPECT_STREQ("", text);
  char status[32] = "stale";
  TaskStatusText("kvMissing.job", status, sizeof status);
  EXPECT_STREQ("", status);
}

TEST_F(ScheduledTasksTest, DeleteRemovesTheJobAndReportsAMissingOne) {
  MakeTask(L"kvDoomed", L"C:\\kv\\doomed.exe", 8, 0);
  ASSERT_TRUE(FileThere(TasksFolderFile("kvDoomed.job")));
  EXPECT_EQ(S_OK, DeleteScheduledTask("kvdoomed.job"));
  EXPECT_FALSE(FileThere(TasksFolderFile("kvDoomed.job")));
  EXPECT_EQ(0u, ListTasks().count("kvDoomed.job"));
  EXPECT_TRUE(FAILED(DeleteScheduledTask("kvDoomed.job")));
  EXPECT_TRUE(FAILED(DeleteScheduledTask(nullptr)));
}

TEST_F(ScheduledTasksTest, OddJobsDoNotStopTheList) {
  MakeTask(L"kvNoProgram", L"", 8, 0);
  MakeTask(L"kvFine", L"C:\\kv\\fine.exe", 8, 0);
  std::ofstream(TasksFolderFile("bad.job"), std::ios::binary) << std::string(300, '\xA5');
  const auto listed = ListTasks();
  ASSERT_EQ(1u, listed.count("kvNoProgram.job"));
  EXPECT_EQ("", listed.at("kvNoProgram.job").command);
  EXPECT_EQ(1u, listed.count("kvFine.job"));
}

}  // namespace
