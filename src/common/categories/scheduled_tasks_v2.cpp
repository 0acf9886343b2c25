#include "categories/scheduled_tasks_v2.h"

#include <windows.h>
#include <taskschd.h>

#include <string>
#include <vector>

#include "categories/hidden_files.h"
#include "categories/scheduled_tasks_v2_files.h"
#include "categories/scheduled_tasks_v2_undo.h"
#include "foundation/handles.h"
#include "records/history.h"
#include "startup/item_list.h"
#include "task_xml_text.h"
#include "text.h"

namespace {

constexpr int kFolderDepthMax = 16;

class TaskServiceSession {
 public:
  TaskServiceSession() {
    com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    VARIANT empty;
    VariantInit(&empty);
    if (FAILED(CoCreateInstance(kTaskServiceClass, nullptr, CLSCTX_INPROC_SERVER,
                                kTaskServiceInterface, service_.PutVoid())) ||
        !service_ || FAILED(service_->Connect(empty, empty, empty, empty)))
      service_.Reset();
  }
  ~TaskServiceSession() {
    service_.Reset();
    if (SUCCEEDED(com_)) CoUninitialize();
  }
  TaskServiceSession(const TaskServiceSession&) = delete;
  TaskServiceSession& operator=(const TaskServiceSession&) = delete;
  ITaskService* Get() const { return service_.get(); }

 private:
  HRESULT com_ = E_FAIL;
  ComPtr<ITaskService> service_;
};

class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : b_(SysAllocString(text.c_str())) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR* Put() { SysFreeString(b_); b_ = nullptr; return &b_; }
  BSTR get() const { return b_; }

 private:
  BSTR b_ = nullptr;
};

// The task's XML as the service hands it over, read as the file would be.
void TaskV2FromXml(BSTR xml, TaskV2& task) {
  if (xml == nullptr) return;
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(xml), SysStringByteLen(xml));
  TaskV2Describe(TaskXmlRead(bytes), task);
}

void TaskV2AddRegistered(IRegisteredTask* registered, std::vector<TaskV2>& tasks) {
  Bstr path;
  if (FAILED(registered->get_Path(path.Put())) || path.get() == nullptr) return;
  TaskV2 task;
  task.path = TaskV2Ansi(path.get());
  task.file = TasksV2Folder() + task.path;
  Bstr xml;
  if (SUCCEEDED(registered->get_Xml(xml.Put()))) TaskV2FromXml(xml.get(), task);
  VARIANT_BOOL enabled = VARIANT_TRUE;
  if (SUCCEEDED(registered->get_Enabled(&enabled))) task.enabled = enabled != VARIANT_FALSE;
  tasks.push_back(std::move(task));
}

void TaskV2WalkFolder(ITaskFolder* folder, int depth, std::vector<TaskV2>& tasks) {
  ComPtr<IRegisteredTaskCollection> collection;
  LONG count = 0;
  if (SUCCEEDED(folder->GetTasks(TASK_ENUM_HIDDEN, collection.Put())) && collection &&
      SUCCEEDED(collection->get_Count(&count)))
    for (LONG i = 1; i <= count; ++i) {
      VARIANT index;
      VariantInit(&index);
      index.vt = VT_I4;
      index.lVal = i;
      ComPtr<IRegisteredTask> registered;
      if (SUCCEEDED(collection->get_Item(index, registered.Put())) && registered)
        TaskV2AddRegistered(registered.get(), tasks);
    }
  ComPtr<ITaskFolderCollection> folders;
  if (depth >= kFolderDepthMax || FAILED(folder->GetFolders(0, folders.Put())) || !folders ||
      FAILED(folders->get_Count(&count)))
    return;
  for (LONG i = 1; i <= count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<ITaskFolder> child;
    if (SUCCEEDED(folders->get_Item(index, child.Put())) && child)
      TaskV2WalkFolder(child.get(), depth + 1, tasks);
  }
}

std::vector<TaskV2> TaskV2FromService() {
  std::vector<TaskV2> tasks;
  TaskServiceSession session;
  ComPtr<ITaskFolder> root;
  Bstr rootPath(L"\\");
  if (session.Get() && SUCCEEDED(session.Get()->GetFolder(rootPath.get(), root.Put())) && root)
    TaskV2WalkFolder(root.get(), 0, tasks);
  return tasks;
}

// The folder that holds the task and the task's own name in it.
template <class Use>
HRESULT TaskV2InFolder(const char* path, Use use) {
  const std::string text = path ? path : "";
  const std::size_t slash = text.rfind('\\');
  if (slash == std::string::npos || slash + 1 >= text.size()) return E_INVALIDARG;
  TaskServiceSession session;
  if (session.Get() == nullptr) return REGDB_E_CLASSNOTREG;
  ComPtr<ITaskFolder> folder;
  Bstr folderPath(TaskV2Wide(slash == 0 ? "\\" : text.substr(0, slash)));
  HRESULT result = session.Get()->GetFolder(folderPath.get(), folder.Put());
  if (FAILED(result) || !folder) return FAILED(result) ? result : E_FAIL;
  Bstr name(TaskV2Wide(text.substr(slash + 1)));
  return use(folder.get(), name.get());
}

bool TaskV2FileGone(const std::string& file) {
  return GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Through the service, or by its file where only the file knows the task.
HRESULT TaskV2Remove(const TaskV2& task, bool fromFiles) {
  HRESULT result = TaskV2InFolder(task.path.c_str(), [](ITaskFolder* folder, BSTR name) {
    return folder->DeleteTask(name, 0);
  });
  if (FAILED(result) && fromFiles)
    result = DeleteFileA(task.file.c_str()) ? S_OK : HRESULT_FROM_WIN32(GetLastError());
  if (SUCCEEDED(result) && !TaskV2FileGone(task.file) && fromFiles) result = E_FAIL;
  return result;
}

// The task's folder, made below the root when it went with its last task.
HRESULT TaskV2FolderFor(ITaskService* service, const std::string& folderPath,
                        ComPtr<ITaskFolder>& folder) {
  Bstr path(TaskV2Wide(folderPath));
  if (SUCCEEDED(service->GetFolder(path.get(), folder.Put())) && folder) return S_OK;
  ComPtr<ITaskFolder> root;
  Bstr rootPath(L"\\");
  HRESULT result = service->GetFolder(rootPath.get(), root.Put());
  if (FAILED(result) || !root) return FAILED(result) ? result : E_FAIL;
  VARIANT empty;
  VariantInit(&empty);
  result = root->CreateFolder(path.get(), empty, folder.Put());
  return SUCCEEDED(result) && !folder ? E_FAIL : result;
}

HRESULT TaskV2Register(const std::string& path, const std::wstring& xml) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos || slash + 1 >= path.size() || xml.empty())
    return E_INVALIDARG;
  TaskServiceSession session;
  if (session.Get() == nullptr) return REGDB_E_CLASSNOTREG;
  ComPtr<ITaskFolder> folder;
  HRESULT result =
      TaskV2FolderFor(session.Get(), slash == 0 ? "\\" : path.substr(0, slash), folder);
  if (FAILED(result)) return result;
  Bstr name(TaskV2Wide(path.substr(slash + 1)));
  Bstr text(xml);
  VARIANT empty;
  VariantInit(&empty);
  ComPtr<IRegisteredTask> registered;
  return folder->RegisterTask(name.get(), text.get(), TASK_CREATE, empty, empty, TASK_LOGON_NONE,
                              empty, registered.Put());
}

// Asked afresh, from the definition the service keeps: a change it took but did not keep
// (Wine's service answers yes and writes nothing) is not taken for done.
bool TaskV2DisabledNow(ITaskFolder* folder, BSTR name) {
  ComPtr<IRegisteredTask> task;
  VARIANT_BOOL enabled = VARIANT_TRUE;
  Bstr xml;
  if (FAILED(folder->GetTask(name, task.Put())) || !task ||
      FAILED(task->get_Enabled(&enabled)) || enabled != VARIANT_FALSE ||
      FAILED(task->get_Xml(xml.Put())) || xml.get() == nullptr)
    return false;
  TaskV2 kept;
  TaskV2FromXml(xml.get(), kept);
  return !kept.enabled;
}

}  // namespace

bool TaskV2Named(const char* name) { return name != nullptr && name[0] == '\\'; }

std::vector<TaskV2> TasksV2List(bool* fromFiles) {
  std::vector<TaskV2> tasks = TaskV2FromService();
  const bool files = tasks.empty();
  if (files) tasks = TaskV2FromFiles(TasksV2Folder());
  if (fromFiles) *fromFiles = files;
  return tasks;
}

int TasksV2AddToList() {
  int added = 0;
  for (const TaskV2& task : TasksV2List())
    if (ItemAdd(task.path.c_str(), task.command.c_str(), "", "",
                kTaskScheduled2Code, task.enabled ? 1 : 0))
      ++added;
  return added;
}

std::string TaskV2VaultCopy(const TaskV2& task) { return HiddenVaultPath(task.file.c_str()); }

bool FindTaskV2(const char* path, TaskV2& found, bool* fromFiles) {
  bool files = false;
  for (TaskV2& task : TasksV2List(&files))
    if (path != nullptr && EqualsNoCase(task.path, path)) {
      found = std::move(task);
      if (fromFiles) *fromFiles = files;
      return true;
    }
  return false;
}

long DeleteTaskV2(const char* path) {
  TaskV2 task;
  bool fromFiles = false;
  if (!TaskV2Named(path) || !FindTaskV2(path, task, &fromFiles))
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  const std::string vault = TaskV2VaultCopy(task);
  if (vault.empty() || !TaskV2KeepCopy(task.file, vault)) return HRESULT_FROM_WIN32(GetLastError());
  TaskV2UndoRecord(task);
  const HRESULT result = TaskV2Remove(task, fromFiles);
  if (FAILED(result)) {
    DeleteFileA(vault.c_str());
    return result;
  }
  HistoryWrite(task.path.c_str(), task.command.c_str(), vault.c_str(), kTaskScheduled2Code,
               kActTaskRemove);
  return S_OK;
}

long DisableTaskV2(const char* path) {
  if (!TaskV2Named(path)) return E_INVALIDARG;
  return TaskV2InFolder(path, [](ITaskFolder* folder, BSTR name) -> HRESULT {
    ComPtr<IRegisteredTask> task;
    const HRESULT found = folder->GetTask(name, task.Put());
    if (FAILED(found) || !task) return FAILED(found) ? found : E_FAIL;
    const HRESULT set = task->put_Enabled(VARIANT_FALSE);
    if (FAILED(set)) return set;
    return TaskV2DisabledNow(folder, name) ? S_OK : E_FAIL;
  });
}

long RestoreTaskV2(const char* path, const std::string& fileBytes) {
  if (!TaskV2Named(path)) return E_INVALIDARG;
  HRESULT result = TaskV2Register(path, TaskV2WideOfUtf8(TaskXmlUtf8(fileBytes)));
  if (FAILED(result)) return result;
  // Wine's service answers yes and lists nothing; only a fresh read finding it counts.
  TaskV2 found;
  return FindTaskV2(path, found) ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

long RemoveTaskV2(const char* path) {
  TaskV2 task;
  bool fromFiles = false;
  if (!TaskV2Named(path)) return E_INVALIDARG;
  if (!FindTaskV2(path, task, &fromFiles)) return S_OK;
  const HRESULT result = TaskV2Remove(task, fromFiles);
  if (FAILED(result)) return result;
  return FindTaskV2(path, task) ? E_FAIL : S_OK;
}
