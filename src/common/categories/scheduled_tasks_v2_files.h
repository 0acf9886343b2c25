// The task files of the Task Scheduler 2.0, read where the task service lists nothing, and the
// conversions between the service's wide texts and this program's code page.
#pragma once
#include <string>
#include <vector>

#include "categories/scheduled_tasks_v2.h"
#include "task_xml_text.h"

std::string TaskV2Ansi(const wchar_t* wide);
std::wstring TaskV2Wide(const std::string& ansi);
std::wstring TaskV2WideOfUtf8(const std::string& utf8);
// Command, author and state from what the task's XML says.
void TaskV2Describe(const TaskXmlFacts& facts, TaskV2& task);
// One task per file below folder, sub-folders included; a file too large or unreadable is
// still listed, by its name, so that it cannot hide.
std::vector<TaskV2> TaskV2FromFiles(const std::string& folder);
// Copies the task's file to the vault path, making the vault folder on the way.
bool TaskV2KeepCopy(const std::string& file, const std::string& vault);
