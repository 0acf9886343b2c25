// A service the real service manager runs for a test (the test service program), and a Task
// Scheduler job of a test's.
#pragma once
#include <windows.h>
#include <mstask.h>

#include <initializer_list>
#include <string>

#include "categories/scheduled_tasks.h"
#include "monitor_driver.h"

class ProbeService {
 public:
  constexpr ProbeService(const char* name, const char* display) : name_(name), display_(display) {}

  // With create, made first when missing, on demand start.
  SC_HANDLE Open(DWORD access, bool create = false) const {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr) return nullptr;
    SC_HANDLE service = OpenServiceA(manager, name_, access);
    if (!service && create)
      service = CreateServiceA(manager, name_, display_, access, SERVICE_WIN32_OWN_PROCESS,
                               SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                               (BinFolder() + "\\kv_test_service.exe").c_str(), nullptr, nullptr,
                               nullptr, nullptr, nullptr);
    CloseServiceHandle(manager);
    return service;
  }
  // 0 when the service is not there or does not answer.
  DWORD State() const {
    SC_HANDLE service = Open(SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    if (service && !QueryServiceStatus(service, &status)) status.dwCurrentState = 0;
    if (service) CloseServiceHandle(service);
    return status.dwCurrentState;
  }
  // Makes the service when missing and waits until it runs.
  bool Start() const {
    SC_HANDLE service = Open(SERVICE_ALL_ACCESS, true);
    if (service == nullptr) return false;
    const bool started = StartServiceA(service, 0, nullptr) != FALSE;
    CloseServiceHandle(service);
    return started && WaitUntil([this] { return State() == SERVICE_RUNNING; });
  }
  // Stops it, waits until it no longer runs, and deletes it.
  void Remove() const {
    if (SC_HANDLE service = Open(SERVICE_ALL_ACCESS)) {
      SERVICE_STATUS status;
      ControlService(service, SERVICE_CONTROL_STOP, &status);
      WaitUntil([this] { return State() != SERVICE_RUNNING; });
      DeleteService(service);
      CloseServiceHandle(service);
    }
  }

 private:
  const char* name_;
  const char* display_;
};

inline std::string TaskJobPath(const char* title) {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\Tasks\\" + title;
}

// A work item running Notepad, saved through the scheduler's own object; true once its job
// file is there.
inline bool AddNotepadJob(const wchar_t* name, const char* title) {
  if (EnsureSchedulerRunning() != 0) return false;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ITaskScheduler* scheduler = nullptr;
  ITask* task = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                 kSchedulerInterface, reinterpret_cast<void**>(&scheduler))) &&
      SUCCEEDED(scheduler->NewWorkItem(name, kTaskClass, kTaskInterface,
                                       reinterpret_cast<IUnknown**>(&task))) &&
      SUCCEEDED(task->SetApplicationName(L"C:\\windows\\system32\\notepad.exe")) &&
      SUCCEEDED(task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
    saved = file->Save(nullptr, TRUE) == S_OK;
  for (IUnknown* object : std::initializer_list<IUnknown*>{file, task, scheduler})
    if (object) object->Release();
  CoUninitialize();
  return saved && GetFileAttributesA(TaskJobPath(title).c_str()) != INVALID_FILE_ATTRIBUTES;
}
