#include "task_service_probe.h"

#include <objbase.h>
#include <taskschd.h>

#include "categories/scheduled_tasks_v2.h"
#include "foundation/handles.h"

namespace {

std::wstring ProbeTaskXml(const std::wstring& command, const std::wstring& arguments) {
  return L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
         L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
         L"<RegistrationInfo><Author>Probe Author</Author></RegistrationInfo>"
         L"<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>"
         L"<Settings><Enabled>true</Enabled></Settings>"
         L"<Actions Context=\"Author\"><Exec><Command>" + command + L"</Command><Arguments>" +
         arguments + L"</Arguments></Exec></Actions></Task>";
}

struct ProbeBstr {
  BSTR b;
  explicit ProbeBstr(const std::wstring& text) : b(SysAllocString(text.c_str())) {}
  ~ProbeBstr() { SysFreeString(b); }
  ProbeBstr(const ProbeBstr&) = delete;
  ProbeBstr& operator=(const ProbeBstr&) = delete;
};

HRESULT ProbeFolder(ITaskService* service, const std::wstring& folder, ComPtr<ITaskFolder>& out) {
  ComPtr<ITaskFolder> root;
  HRESULT result = service->GetFolder(ProbeBstr(L"\\").b, root.Put());
  if (FAILED(result) || folder.empty()) {
    if (SUCCEEDED(result)) result = service->GetFolder(ProbeBstr(L"\\").b, out.Put());
    return result;
  }
  if (SUCCEEDED(root->GetFolder(ProbeBstr(folder).b, out.Put()))) return S_OK;
  VARIANT empty;
  VariantInit(&empty);
  return root->CreateFolder(ProbeBstr(folder).b, empty, out.Put());
}

}  // namespace

HRESULT RegisterProbeTask(const std::wstring& folder, const std::wstring& name,
                          const std::wstring& command, const std::wstring& arguments) {
  ComPtr<ITaskService> service;
  HRESULT result = CoCreateInstance(kTaskServiceClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kTaskServiceInterface, service.PutVoid());
  if (FAILED(result)) return result;
  VARIANT empty;
  VariantInit(&empty);
  if (FAILED(result = service->Connect(empty, empty, empty, empty))) return result;
  ComPtr<ITaskFolder> target;
  if (FAILED(result = ProbeFolder(service.get(), folder, target))) return result;
  ComPtr<IRegisteredTask> task;
  return target->RegisterTask(ProbeBstr(name).b, ProbeBstr(ProbeTaskXml(command, arguments)).b,
                              TASK_CREATE_OR_UPDATE, empty, empty, TASK_LOGON_INTERACTIVE_TOKEN,
                              empty, task.Put());
}

void TaskServiceSandbox::SetUp() {
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD length = sizeof computer;
  ASSERT_TRUE(GetComputerNameA(computer, &length));
  RegistrySandbox::SetUp();
  // The task service's client asks the machine's name of HKLM before it connects.
  for (const char* key : {"ActiveComputerName", "ComputerName"})
    WriteRegString(HKEY_LOCAL_MACHINE,
                   std::string("System\\CurrentControlSet\\Control\\ComputerName\\") + key,
                   "ComputerName", computer);
  SetShellFolder("AppData", ScratchFolder());
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  folder_ = TasksV2Folder();
  ASSERT_NE("", folder_);
}

void TaskServiceSandbox::TearDown() {
  CoUninitialize();
  RegistrySandbox::TearDown();
}

std::string Utf16WithMark(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}
