#include "change_probes.h"

#include <mstask.h>
#include <objbase.h>

#include <initializer_list>

#include "categories/scheduled_tasks.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr wchar_t kProbeTaskName[] = L"KvWatchTask";
inline constexpr char kHelperObjectsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
inline constexpr char kClassesKey[] = "Software\\Classes\\CLSID\\";
inline constexpr int kProfileLineSize = 1024;

SC_HANDLE OpenProbeService(DWORD access, bool create) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return nullptr;
  SC_HANDLE service = OpenServiceA(manager, kProbeServiceName, access);
  if (!service && create)
    service = CreateServiceA(manager, kProbeServiceName, kProbeServiceDisplay, access,
                             SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                             (BinFolder() + "\\kv_test_service.exe").c_str(), nullptr, nullptr,
                             nullptr, nullptr, nullptr);
  CloseServiceHandle(manager);
  return service;
}

bool SaveProbeTask(ITaskScheduler* scheduler) {
  ITask* task = nullptr;
  IPersistFile* file = nullptr;
  const bool saved =
      SUCCEEDED(scheduler->NewWorkItem(kProbeTaskName, kTaskClass, kTaskInterface,
                                       reinterpret_cast<IUnknown**>(&task))) &&
      SUCCEEDED(task->SetApplicationName(L"C:\\windows\\system32\\notepad.exe")) &&
      SUCCEEDED(task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      file->Save(nullptr, TRUE) == S_OK;
  for (IUnknown* object : std::initializer_list<IUnknown*>{file, task})
    if (object) object->Release();
  return saved;
}

}  // namespace

SavedValue::SavedValue(HKEY root, const char* subkey, const char* name)
    : root_(root), subkey_(subkey), name_(name),
      text_(ReadRegString(root, subkey, name)),
      existed_(RegValueExists(root, subkey, name)) {}

SavedValue::~SavedValue() {
  if (existed_)
    RegSetKeyValueA(root_, subkey_.c_str(), name_.c_str(), REG_SZ, text_.c_str(),
                    static_cast<DWORD>(text_.size() + 1));
  else
    RegDeleteKeyValueA(root_, subkey_.c_str(), name_.c_str());
}

SavedWinIniLine::SavedWinIniLine(const char* key) : key_(key) {
  char text[kProfileLineSize] = "";
  GetProfileStringA("windows", key, "", text, sizeof text);
  text_ = text;
}

SavedWinIniLine::~SavedWinIniLine() {
  WriteProfileStringA("windows", key_.c_str(), text_.empty() ? nullptr : text_.c_str());
}

std::string HostsFilePath() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

std::string UserStartupFolder() {
  return ReadRegString(HKEY_CURRENT_USER,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       "Startup");
}

bool AddProbeService() {
  SC_HANDLE service = OpenProbeService(SERVICE_ALL_ACCESS, true);
  if (!service) return false;
  CloseServiceHandle(service);
  return true;
}

void RemoveProbeService() {
  if (SC_HANDLE service = OpenProbeService(SERVICE_ALL_ACCESS, false)) {
    DeleteService(service);
    CloseServiceHandle(service);
  }
}

bool AddProbeTask() {
  if (EnsureSchedulerRunning() != 0) return false;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ITaskScheduler* scheduler = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                 kSchedulerInterface, reinterpret_cast<void**>(&scheduler)))) {
    saved = SaveProbeTask(scheduler);
    scheduler->Release();
  }
  CoUninitialize();
  return saved;
}

void RemoveProbeTask() { DeleteScheduledTask(kProbeTaskTitle); }

void AddProbeClass(const char* id, const std::string& server) {
  WriteRegString(HKEY_LOCAL_MACHINE, std::string(kClassesKey) + id + "\\InprocServer32", "",
                 server);
}

void RemoveProbeClass(const char* id) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kClassesKey) + id).c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kClassesKey) + id).c_str());
}

bool AddProbeHelper() {
  AddProbeClass(kProbeHelperId, BinFolder() + "\\Tarvex.dll");
  HKEY key = nullptr;
  const bool made = RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                                    (std::string(kHelperObjectsKey) + kProbeHelperId).c_str(), 0,
                                    nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS;
  if (made) RegCloseKey(key);
  return made;
}

void RemoveProbeHelper() {
  const std::string helper = std::string(kHelperObjectsKey) + kProbeHelperId;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, helper.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, helper.c_str());
  RemoveProbeClass(kProbeHelperId);
}
