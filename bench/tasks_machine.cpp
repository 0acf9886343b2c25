#include "tasks_machine.h"

#include <cwchar>
#include <cwctype>
#include <vector>

#include "categories/scheduled_tasks.h"
#include "foundation/handles.h"

namespace {

constexpr ULONG kNamesPerBatch = 5;
constexpr int kVendors = 40;

bool TaskAddTrigger(ITask* task, int index) {
  WORD slot = 0;
  ComPtr<ITaskTrigger> trigger;
  if (FAILED(task->CreateTrigger(&slot, trigger.Put()))) return false;
  TASK_TRIGGER when{};
  when.cbTriggerSize = sizeof when;
  when.wBeginYear = 2030;
  when.wBeginMonth = static_cast<WORD>(1 + index % 12);
  when.wBeginDay = static_cast<WORD>(1 + index % 28);
  when.wStartHour = static_cast<WORD>(index % 24);
  when.wStartMinute = static_cast<WORD>(index % 60);
  when.TriggerType = index % 2 ? TASK_TIME_TRIGGER_DAILY : TASK_TIME_TRIGGER_ONCE;
  if (index % 2) when.Type.Daily.DaysInterval = 1;
  return SUCCEEDED(trigger->SetTrigger(&when));
}

bool TaskSave(ITask* task) {
  ComPtr<IPersistFile> file;
  return SUCCEEDED(task->QueryInterface(IID_IPersistFile, file.PutVoid())) &&
         SUCCEEDED(file->Save(nullptr, TRUE));
}

bool TaskMake(ITaskScheduler* scheduler, int index) {
  wchar_t name[32];
  std::swprintf(name, 32, L"%ls%03d", kBenchTaskPrefix, index);
  wchar_t program[MAX_PATH];
  std::swprintf(program, MAX_PATH, L"C:\\Program Files\\Bench Vendor %02d\\updater%03d.exe",
                index % kVendors, index);
  ComPtr<ITask> task;
  if (FAILED(scheduler->NewWorkItem(name, kTaskClass, kTaskInterface,
                                    reinterpret_cast<IUnknown**>(task.Put()))))
    return false;
  task->SetApplicationName(program);
  task->SetParameters(L"/check /quiet");
  task->SetComment(L"Looks for a newer version of the bench vendor's program.");
  return TaskAddTrigger(task.get(), index) && TaskSave(task.get());
}

std::vector<std::wstring> TaskOurNames(ITaskScheduler* scheduler) {
  std::vector<std::wstring> ours;
  ComPtr<IEnumWorkItems> items;
  if (FAILED(scheduler->Enum(items.Put())) || !items) return ours;
  for (;;) {
    LPWSTR* names = nullptr;
    ULONG fetched = 0;
    const HRESULT read = items->Next(kNamesPerBatch, &names, &fetched);
    if (FAILED(read) || names == nullptr) return ours;
    for (ULONG i = 0; i < fetched; ++i) {
      const std::wstring plain = BenchTaskPlainName(names[i]);
      if (BenchTaskIsOurs(plain)) ours.push_back(plain);
      CoTaskMemFree(names[i]);
    }
    CoTaskMemFree(names);
    if (read != S_OK || fetched == 0) return ours;
  }
}

}  // namespace

std::wstring BenchTaskPlainName(const wchar_t* name) {
  std::wstring plain(name ? name : L"");
  const std::size_t dot = plain.rfind(L'.');
  if (dot != std::wstring::npos && lstrcmpiW(plain.c_str() + dot, L".job") == 0)
    plain.resize(dot);
  return plain;
}

bool BenchTaskIsOurs(const std::wstring& name) {
  const std::size_t length = std::wcslen(kBenchTaskPrefix);
  if (name.size() < length) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (std::towlower(name[i]) != kBenchTaskPrefix[i]) return false;
  return true;
}

bool TasksMachineBuild(ITaskScheduler* scheduler, int count) {
  for (int index = 0; index < count; ++index)
    if (!TaskMake(scheduler, index)) return false;
  return true;
}

int TasksMachineRemove(ITaskScheduler* scheduler) {
  const std::vector<std::wstring> ours = TaskOurNames(scheduler);
  for (const std::wstring& name : ours) scheduler->Delete(name.c_str());
  return static_cast<int>(ours.size());
}
