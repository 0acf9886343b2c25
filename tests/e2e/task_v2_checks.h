// A Task Scheduler 2.0 task as the pages' end-to-end tests look at it: by its file in the
// task folder.
#pragma once
#include <windows.h>

#include <string>

#include "categories/scheduled_tasks_v2.h"
#include "resource.h"
#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

inline std::string TaskV2FileOf(const char* path) { return TasksV2Folder() + path; }

inline bool TaskV2There(const char* path) {
  return GetFileAttributesA(TaskV2FileOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// After a page's Remove was confirmed: the row and the file go, the file waits in the vault as
// it was, and the history has the line.
inline void ExpectTaskV2Removed(HWND list, const char* path, const std::string& fileBefore) {
  EXPECT_TRUE(WaitUntil([path] { return !TaskV2There(path); }));
  EXPECT_TRUE(WaitRowsTitled(list, path, 0));
  TaskV2 removed;
  removed.file = TaskV2FileOf(path);
  EXPECT_EQ(fileBefore, FileText(TaskV2VaultCopy(removed)));
  EXPECT_TRUE(WaitHistoryHas(std::string("TASK_Remove\tTASK_SCHEDULED2\t") + path));
}

// Wine's task service cannot switch a task off: after a page's Disable, the page says so and
// the task stays.
inline void ExpectTaskV2DisableRefused(DWORD explorerId, const char* path) {
  const HWND box = WaitExplorerDialog(explorerId);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(DialogItemText(box, IDC_MESSAGE_TEXT), "could not be disabled"))
      << DialogItemText(box, IDC_MESSAGE_TEXT);
  ASSERT_TRUE(AnswerBox(box, IDOK));
  EXPECT_TRUE(TaskV2There(path));
}
