#include "categories/scheduled_tasks.h"

#include <windows.h>
#include <mstask.h>

#include <string>

#include "categories/scheduled_tasks_undo.h"
#include "categories/scheduled_tasks_v2.h"
#include "categories/service_handle.h"
#include "foundation/handles.h"
#include "foundation/platform.h"
#include "foundation/strings.h"
#include "history_text.h"
#include "resource.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr ULONG kNamesPerBatch = 5;
constexpr DWORD kEnumerateWaitMs = 10;
constexpr DWORD kLookupWaitMs = 1000;
constexpr char kServiceName[] = "Schedule";
constexpr char kAgentClass[] = "SAGEWINDOWCLASS";
constexpr char kAgentTitle[] = "SYSTEM AGENT COM WINDOW";
constexpr char kAgentProgram[] = "mstask.exe";

struct StatusString {
  HRESULT status;
  int number;
};
constexpr StatusString kStatusStrings[] = {{0x41301, IDS_TASK_STATUS_RUNNING},
                                           {0x41305, IDS_TASK_STATUS_NOT_SCHEDULED}};

bool g_startedByUs = false;

// The scheduler service opened with the given rights, and its current state.
struct ScheduleService {
  ServiceHandle manager;
  ServiceHandle service;
  SERVICE_STATUS status{};
  DWORD error = 0;

  explicit ScheduleService(DWORD access)
      : manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT)),
        service(manager ? OpenServiceA(manager.get(), kServiceName, access) : nullptr) {
    if (!service || !QueryServiceStatus(service.get(), &status)) error = GetLastError();
  }
  bool Running() const { return error == 0 && status.dwCurrentState == SERVICE_RUNNING; }
};

HWND AgentWindow() { return FindWindowA(kAgentClass, kAgentTitle); }

unsigned long StartAgent() {
  char path[MAX_PATH] = "";
  DWORD length = SearchPathA(nullptr, kAgentProgram, nullptr, MAX_PATH, path, nullptr);
  if (length == 0) return GetLastError();
  if (length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(path, nullptr, nullptr, nullptr, FALSE,
                      CREATE_NEW_PROCESS_GROUP | CREATE_NEW_CONSOLE, nullptr, nullptr, &startup,
                      &process))
    return GetLastError();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  g_startedByUs = true;
  return 0;
}

void StopAgent() {
  HWND agent = AgentWindow();
  DWORD processId = 0;
  if (agent) GetWindowThreadProcessId(agent, &processId);
  if (processId != 0) {
    Handle process(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    DWORD exitCode = 0;
    if (process && GetExitCodeProcess(process.get(), &exitCode))
      TerminateProcess(process.get(), exitCode);
  }
  RepaintTaskbar();
}

unsigned long StartScheduleService() {
  ScheduleService schedule(SERVICE_QUERY_STATUS | SERVICE_START);
  if (schedule.error != 0) return schedule.error;
  if (schedule.Running()) return 0;
  if (StartServiceA(schedule.service.get(), 0, nullptr)) return 0;
  DWORD error = GetLastError();
  // Someone else started it between our look and our start.
  if (error == ERROR_SERVICE_ALREADY_RUNNING) return 0;
  g_startedByUs = true;
  return error;
}

unsigned long StopScheduleService() {
  ScheduleService schedule(SERVICE_QUERY_STATUS | SERVICE_STOP);
  if (schedule.error != 0) return schedule.error;
  if (!schedule.Running()) return 0;
  SERVICE_STATUS status{};
  return ControlService(schedule.service.get(), SERVICE_CONTROL_STOP, &status) ? 0
                                                                              : GetLastError();
}

std::string Narrow(const wchar_t* wide) {
  if (wide == nullptr) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.resize(static_cast<size_t>(size - 1));
  return text;
}

std::string RunTimeText(HRESULT read, const SYSTEMTIME& time) {
  char never[64] = "";
  LocalString(IDS_NEVER, never, sizeof never);
  if (FAILED(read)) return never;
  return HistoryStampText(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, never);
}

std::string ApplicationName(ITask* task) {
  LPWSTR name = nullptr;
  std::string text;
  if (SUCCEEDED(task->GetApplicationName(&name))) text = Narrow(name);
  CoTaskMemFree(name);
  return text;
}

// Everything one scheduler operation needs, undone in reverse when it ends.
class SchedulerSession {
 public:
  explicit SchedulerSession(DWORD waitMs) {
    error_ = EnsureSchedulerRunning();
    ready_ = error_ == 0;
    if (!ready_) return;
    Sleep(waitMs);
    com_ = CoInitialize(nullptr);
    created_ = CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                kSchedulerInterface, scheduler_.PutVoid());
  }
  SchedulerSession(const SchedulerSession&) = delete;
  SchedulerSession& operator=(const SchedulerSession&) = delete;
  ~SchedulerSession() {
    if (!ready_) return;
    scheduler_.Reset();
    if (SUCCEEDED(com_)) CoUninitialize();
    if (g_startedByUs) StopScheduler();
  }
  bool Ready() const { return ready_; }
  unsigned long Error() const { return error_; }
  HRESULT Created() const { return created_; }
  ITaskScheduler* Get() const { return scheduler_.get(); }

 private:
  bool ready_ = false;
  unsigned long error_ = 0;
  HRESULT com_ = E_FAIL;
  HRESULT created_ = E_FAIL;
  ComPtr<ITaskScheduler> scheduler_;
};

// Hands every work-item name to visit, each batch from its last name to its first, until
// visit returns true; true when it did.
template <class Visit>
bool VisitTaskNames(ITaskScheduler* scheduler, Visit visit) {
  ComPtr<IEnumWorkItems> items;
  if (FAILED(scheduler->Enum(items.Put())) || !items) return false;
  for (;;) {
    LPWSTR* names = nullptr;
    ULONG fetched = 0;
    HRESULT read = items->Next(kNamesPerBatch, &names, &fetched);
    if (FAILED(read) || names == nullptr) return false;
    if (fetched > kNamesPerBatch) fetched = kNamesPerBatch;
    bool found = false;
    for (ULONG i = fetched; i-- > 0;) {
      if (!found && names[i] != nullptr) found = visit(names[i]);
      CoTaskMemFree(names[i]);
    }
    CoTaskMemFree(names);
    if (found) return true;
    if (read != S_OK || fetched == 0) return false;
  }
}

// Some schedulers enumerate names with the ".job" ending but look them up only without it.
std::wstring WithoutJobEnding(const wchar_t* name) {
  std::wstring plain(name);
  const size_t dot = plain.rfind(L'.');
  if (dot != std::wstring::npos && lstrcmpiW(plain.c_str() + dot, L".job") == 0) plain.resize(dot);
  return plain;
}

template <class Call>
HRESULT CallByName(const wchar_t* name, Call call) {
  HRESULT result = call(name);
  if (SUCCEEDED(result)) return result;
  const std::wstring plain = WithoutJobEnding(name);
  return plain == name ? result : call(plain.c_str());
}

bool ActivateTask(ITaskScheduler* scheduler, const wchar_t* name, ComPtr<ITask>& task) {
  return SUCCEEDED(CallByName(name, [&](const wchar_t* candidate) {
           return scheduler->Activate(candidate, kTaskInterface,
                                      reinterpret_cast<IUnknown**>(task.Put()));
         })) &&
         task;
}

bool AddTaskItem(ITaskScheduler* scheduler, const wchar_t* name) {
  ComPtr<ITask> task;
  if (!ActivateTask(scheduler, name, task)) return false;
  SYSTEMTIME last{};
  SYSTEMTIME next{};
  const std::string lastText = RunTimeText(task->GetMostRecentRunTime(&last), last);
  const std::string nextText = RunTimeText(task->GetNextRunTime(&next), next);
  return ItemAdd(Narrow(name).c_str(), ApplicationName(task.get()).c_str(), nextText.c_str(),
                 lastText.c_str(), kTaskScheduledCode, 0) != 0;
}

// Activates the task named taskName (case-insensitive) and hands it to read.
template <class Read>
void ReadNamedTask(const char* taskName, Read read) {
  if (taskName == nullptr) return;
  SchedulerSession session(kLookupWaitMs);
  ITaskScheduler* scheduler = session.Get();
  if (scheduler == nullptr) return;
  VisitTaskNames(scheduler, [&](const wchar_t* name) {
    if (!EqualsNoCase(Narrow(name), taskName)) return false;
    ComPtr<ITask> task;
    if (ActivateTask(scheduler, name, task)) read(task.get());
    return true;
  });
}

void SetOut(char* out, int capacity, const std::string& text) {
  if (out != nullptr && capacity > 0) CopyBounded(out, static_cast<size_t>(capacity), text);
}

int EnumerateWorkItems() {
  SchedulerSession session(kEnumerateWaitMs);
  if (!session.Ready()) return 0;
  ITaskScheduler* scheduler = session.Get();
  if (scheduler == nullptr) return FAILED(session.Created()) ? session.Created() : E_FAIL;
  int count = 0;
  VisitTaskNames(scheduler, [&](const wchar_t* name) {
    if (AddTaskItem(scheduler, name)) ++count;
    return false;
  });
  return count;
}

}  // namespace

unsigned long EnsureSchedulerRunning() {
  g_startedByUs = false;
  if (!IsWin9xFamily()) return StartScheduleService();
  return AgentWindow() ? 0 : StartAgent();
}

bool IsSchedulerRunning() {
  if (IsWin9xFamily()) return AgentWindow() != nullptr;
  return ScheduleService(SERVICE_QUERY_STATUS).Running();
}

unsigned long StopScheduler() {
  if (!IsWin9xFamily()) return StopScheduleService();
  StopAgent();
  g_startedByUs = false;
  return 0;
}

// The 2.0 tasks are listed whether or not the older scheduler object can be had: their files
// are read without it.
int EnumerateScheduledTasks() {
  ItemListClear();
  const int workItems = EnumerateWorkItems();
  const int tasks = TasksV2AddToList();
  return workItems < 0 && tasks == 0 ? workItems : (workItems > 0 ? workItems : 0) + tasks;
}

void TaskNextRunText(const char* taskName, char* out, int capacity) {
  SetOut(out, capacity, {});
  ReadNamedTask(taskName, [&](ITask* task) {
    SYSTEMTIME next{};
    SetOut(out, capacity, RunTimeText(task->GetNextRunTime(&next), next));
  });
}

void TaskStatusText(const char* taskName, char* out, int capacity) {
  SetOut(out, capacity, {});
  ReadNamedTask(taskName, [&](ITask* task) {
    HRESULT status = 0;
    if (FAILED(task->GetStatus(&status))) return;
    int number = IDS_TASK_STATUS_READY;
    for (const StatusString& entry : kStatusStrings)
      if (entry.status == status) number = entry.number;
    char text[128] = "";
    LocalString(number, text, sizeof text);
    SetOut(out, capacity, text);
  });
}

long DeleteScheduledTask(const char* taskName) {
  if (taskName == nullptr) return E_INVALIDARG;
  if (TaskV2Named(taskName)) return DeleteTaskV2(taskName);
  SchedulerSession session(kLookupWaitMs);
  if (!session.Ready()) return HRESULT_FROM_WIN32(session.Error());
  ITaskScheduler* scheduler = session.Get();
  if (scheduler == nullptr) return session.Created();
  HRESULT result = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  VisitTaskNames(scheduler, [&](const wchar_t* name) {
    if (!EqualsNoCase(Narrow(name), taskName)) return false;
    ScheduledTaskUndoRecord(taskName);
    result = CallByName(name, [&](const wchar_t* candidate) {
      return scheduler->Delete(candidate);
    });
    return true;
  });
  if (result == S_OK) ScheduledTaskRemovedLine(taskName);
  return result;
}
