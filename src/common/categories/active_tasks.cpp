#include "categories/active_tasks.h"

#include <windows.h>

#include <cstdio>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "categories/process_snapshot.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "foundation/user_hooks.h"
#include "records/first_detected.h"
#include "records/history.h"
#include "resource.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr DWORD kFirstIdBytes = 1024;
constexpr DWORD kMostIdBytes = 1u << 24;
constexpr DWORD kTerminateWaitMs = 50;

using EnumProcessesProc = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesProc = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleFileNameProc = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using ImageNameProc = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
using TaskVisitProc = BOOL(WINAPI*)(DWORD, WORD, WORD, PSZ, PSZ, LPARAM);
using EnumTasksProc = INT(WINAPI*)(DWORD, TaskVisitProc, LPARAM);

class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  template <class Proc>
  Proc Get(const char* name) const {
    return module_ ? reinterpret_cast<Proc>(GetProcAddress(module_, name)) : nullptr;
  }

 private:
  HMODULE module_;
};

// 16-bit tasks are an extra: 64-bit Windows has no VDMDBG, and that must not stop the walk.
struct ProcessApi {
  Library psapi{"PSAPI.DLL"};
  Library vdmdbg{"VDMDBG.DLL"};
  EnumProcessesProc enumProcesses = psapi.Get<EnumProcessesProc>("EnumProcesses");
  EnumProcessModulesProc enumModules = psapi.Get<EnumProcessModulesProc>("EnumProcessModules");
  ModuleFileNameProc moduleFileName = psapi.Get<ModuleFileNameProc>("GetModuleFileNameExA");
  EnumTasksProc enumTasks = vdmdbg.Get<EnumTasksProc>("VDMEnumTaskWOWEx");
  ImageNameProc imageName = reinterpret_cast<ImageNameProc>(
      GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "QueryFullProcessImageNameA"));

  bool Usable() const { return enumProcesses && enumModules && moduleFileName; }
};

bool TaskProcessIds(const ProcessApi& api, std::vector<DWORD>& ids) {
  try {
    for (DWORD bytes = kFirstIdBytes;; bytes *= 2) {
      ids.resize(bytes / sizeof(DWORD));
      DWORD returned = 0;
      if (!api.enumProcesses(ids.data(), bytes, &returned)) return false;
      if (returned < bytes || bytes >= kMostIdBytes) {
        ids.resize(returned / sizeof(DWORD));
        return true;
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// A 64-bit reader cannot read every process's modules; the image name still names the file.
void TaskModulePath(const ProcessApi& api, DWORD processId, char* path) {
  Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return;
  HMODULE first = nullptr;
  DWORD needed = 0;
  if (api.enumModules(process.get(), &first, sizeof first, &needed) &&
      api.moduleFileName(process.get(), first, path, kPathSize - 1) > 0)
    return;
  DWORD size = kPathSize - 1;
  if (!api.imageName || !api.imageName(process.get(), 0, path, &size)) path[0] = '\0';
}

// Reading the image name alone is many times cheaper than reading the module list.
bool TaskImagePath(const ProcessApi& api, DWORD processId, char* path) {
  if (!api.imageName) return false;
  Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  DWORD size = kPathSize - 1;
  if (process && !api.imageName(process.get(), 0, path, &size)) path[0] = '\0';
  return true;
}

enum class PathSource { kFirstModule, kImageName };

void TaskProcessPath(const ProcessApi& api, DWORD processId, PathSource source, char* path) {
  path[0] = '\0';
  if (source == PathSource::kFirstModule || !TaskImagePath(api, processId, path))
    TaskModulePath(api, processId, path);
  path[kPathSize - 1] = '\0';
}

// Loaded once: a missing VDMDBG would otherwise be searched for on every walk.
const ProcessApi& TaskLoadedApi() {
  static const ProcessApi api;
  return api;
}

struct ProcessWalk {
  ProcessVisitor visitor;
  void* context;
  DWORD ntvdm;
  bool stopped;
};

BOOL WINAPI TaskVisit16(DWORD, WORD, WORD task16, PSZ, PSZ fileName, LPARAM param) {
  auto* walk = reinterpret_cast<ProcessWalk*>(param);
  char path[kPathSize];
  CopyBounded(path, sizeof path, fileName ? fileName : "");
  try {
    walk->stopped = !walk->visitor(walk->ntvdm, task16, path, walk->context);
  } catch (...) {
    walk->stopped = true;
  }
  return walk->stopped ? TRUE : FALSE;
}

bool TaskIsNtvdm(const char* path) {
  const std::string_view text(path);
  return text.size() >= 9 && EqualsNoCase(text.substr(text.size() - 9), "NTVDM.EXE");
}

bool TaskWalkFrom(PathSource source, ProcessVisitor visitor, void* context) {
  if (visitor == nullptr || RunningWindowsVersion().platformId != VER_PLATFORM_WIN32_NT)
    return false;
  const ProcessApi& api = TaskLoadedApi();
  std::vector<DWORD> ids;
  if (!api.Usable() || !TaskProcessIds(api, ids)) return false;
  ProcessWalk walk{visitor, context, 0, false};
  for (DWORD processId : ids) {
    char path[kPathSize];
    TaskProcessPath(api, processId, source, path);
    if (!visitor(processId, 0, path, context)) break;
    if (api.enumTasks == nullptr || !TaskIsNtvdm(path)) continue;
    walk.ntvdm = processId;
    api.enumTasks(processId, TaskVisit16, reinterpret_cast<LPARAM>(&walk));
    if (walk.stopped) break;
  }
  return true;
}

// Distinct programs by normalised path; describe also lists each one.
struct TaskSet {
  std::unordered_set<std::string> seen;
  bool describe;
};

bool TaskListVisit(unsigned long processId, unsigned short, const char* path, void* context) {
  auto& tasks = *static_cast<TaskSet*>(context);
  if (path[0] == '\0') return true;
  char command[kPathSize];
  if (NormaliseCommand(path, command, sizeof command) == 0) return true;
  if (!tasks.seen.insert(UpperText(command)).second) return true;
  if (tasks.describe) {
    VersionStrings version;
    ReadVersionStrings(command, &version);
    ItemAdd(version.text[kFileDescription], command, "", "", kTaskCode,
            static_cast<int>(processId));
  }
  return true;
}

int TaskCountDistinct(bool describe) {
  TaskSet tasks{{}, describe};
  tasks.seen.reserve(512);
  TaskWalkFrom(describe ? PathSource::kFirstModule : PathSource::kImageName, TaskListVisit, &tasks);
  const auto count = static_cast<int>(tasks.seen.size());
  return count < kItemListMax ? count : kItemListMax;
}

bool TaskAskToStop(const char* path, const char* title) {
  char format[512], text[1024];
  LocalString(IDS_KILL_TASK_QUESTION, format, sizeof format);
  char shown[kPathSize];
  CopyBounded(shown, sizeof shown, title && title[0] ? title : path);
  std::snprintf(text, sizeof text, format, shown);
  return UserConfirmKill(text);
}

bool TaskTerminate(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return TerminateProcess(process, code) != FALSE;
}

int g_watchCount = 0;

}  // namespace

bool WalkProcesses(ProcessVisitor visitor, void* context) {
  return TaskWalkFrom(PathSource::kFirstModule, visitor, context);
}

bool WalkProcessImages(ProcessVisitor visitor, void* context) {
  return TaskWalkFrom(PathSource::kImageName, visitor, context);
}

int EnumerateActiveTasks() {
  ItemListClear();
  TaskCountDistinct(true);
  return ItemCount();
}

// The same walk and match as a fill's snapshot, so that a page and a single question agree.
unsigned long FindProcessByFile(const char* path) {
  if (path == nullptr || path[0] == '\0') return 0;
  return ProcessSnapshotFind(ProcessSnapshotRead(), path);
}

bool IsProgramRunning(const char* path) { return FindProcessByFile(path) != 0; }

unsigned long KillTask(const char* path, const char* title, int prompt) {
  const unsigned long processId = FindProcessByFile(path);
  if (processId == 0) return 0;
  if (prompt && !TaskAskToStop(path, title)) return processId;
  {
    Handle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (!process || !TaskTerminate(process.get())) return 0;
    // Ended with the still-active code, the exit code cannot tell; the handle can.
    WaitForSingleObject(process.get(), kTerminateWaitMs);
  }
  HistoryWrite(title, path, "", kTaskCode, kActTaskKill);
  RepaintTaskbar();
  return processId;
}

bool TerminateProcessById(unsigned long processId) {
  Handle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
  return process && TaskTerminate(process.get());
}

void RecordActiveTasks() {
  EnumerateActiveTasks();
  char command[kItemCommandSize];
  const int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (ItemCommand(i, command) > 0) RecordFirstDetected(command, "ActiveTasks");
}

int WatchTaskCount() {
  TraceWrite("* * * VERIFY TASKS", "Check for Task Change");
  // Only the number matters here, so the version resources are not read.
  const int count = TaskCountDistinct(false);
  if (count != g_watchCount) TraceWrite("* * * * VERIFY TASKS", "NEW TASK DETECTED");
  TraceSpanEnd();
  g_watchCount = count;
  ItemListClear();
  return count;
}
