#include "categories/machine_job.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "categories/activex.h"
#include "categories/file_types_machine.h"
#include "categories/ie_helpers_machine.h"
#include "categories/service_reject.h"
#include "categories/system_files.h"
#include "categories/system_files_facts.h"
#include "categories/windows_settings.h"
#include "foundation/account.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "foundation/user_hooks.h"
#include "machine_job_text.h"
#include "records/undo_machine.h"
#include "resource.h"
#include "startup/locations.h"
#include "startup/startup_actions.h"
#include "startup/startup_machine_remove.h"
#include "startup/value_places.h"
#include "text.h"

namespace {

inline constexpr char kExplorerFile[] = "\\KorvaneEx.exe";
// Consent, then a registry write or a file copy: far less than this.
inline constexpr DWORD kJobWaitMs = 120000;
// Test seam: Wine lets every process write everywhere, so the tests refuse the monitor's own
// attempt ("direct") or every attempt ("all") through the environment.
inline constexpr char kFaultVariable[] = "KORVANE_FAULT_MACHINE_ACTIONS";
inline constexpr int kNoticeSize = 1024;

bool FaultInjected(const char* scope) {
  char value[16] = "";
  if (GetEnvironmentVariableA(kFaultVariable, value, sizeof value) == 0) return false;
  return EqualsNoCase(value, "all") || EqualsNoCase(value, scope);
}

int DoUpdateMode(const std::vector<std::string>& f) {
  return WriteLiveUpdateMode(ParseDecimal(f[0])) ? kMachineJobDone : 0;
}

int DoPrefix(const std::vector<std::string>& f) {
  return WriteLivePrefix(f[0].c_str()) ? kMachineJobDone : 0;
}

// Only machine-wide places: a per-user entry belongs to the account that approved the job.
int DoStartupRemove(const std::vector<std::string>& f) {
  const int code = ParseDecimal(f[3]);
  if (!IsMachineRunFamily(code)) return 0;
  return RemoveStartupEntryOnly(f[0].c_str(), f[1].c_str(), f[2].c_str(), code) ? kMachineJobDone
                                                                                 : 0;
}

int DoServiceReject(const std::vector<std::string>& f) { return ServiceRejectSteps(f[0].c_str()); }

// The target is the watched file's own record under HKLM, never a path from the command line.
int DoSystemFileRestore(const std::vector<std::string>& f) {
  for (const SystemFileRecord& record : WatchedSystemFiles())
    if (EqualsNoCase(record.name, f[0]))
      return CopyKeepingAttributes(f[1].c_str(), record.path) ? kMachineJobDone : 0;
  return 0;
}

int DoActiveXKill(const std::vector<std::string>& f) {
  return KillActiveX(f[0].c_str()) ? kMachineJobDone : 0;
}

int DoIEHelperRemove(const std::vector<std::string>& f) {
  return IEHelperDeleteExisting(ParseDecimal(f[0]), f[1].c_str()).empty() ? 0 : kMachineJobDone;
}

// The asking account's store, not the consenting administrator's, keeps what to put back.
int DoFileTypeRestore(const std::vector<std::string>& f) {
  const AccountHive store(f[2].c_str());
  return FileTypeRestoreMachineFrom(store.get(), f[0].c_str(), ParseDecimal(f[1])) ? kMachineJobDone
                                                                                  : 0;
}

// The place's row says where the entry lives and what taking it out means (a value, an item of
// a list); a per-user place belongs to the account that asked, not to the one that consented.
int DoPointRemove(const std::vector<std::string>& f) {
  const int code = ParseDecimal(f[0]);
  const ValuePlace* place = ValuePlaceOf(code);
  if (place == nullptr || place->perUser) return 0;
  return ValuePlaceRemove(f[2].c_str(), f[1].c_str(), code) ? kMachineJobDone : 0;
}

int DoStartupRestore(const std::vector<std::string>& f) {
  const int code = ParseDecimal(f[3]);
  if (!StartupMachineRemovable(code)) return 0;
  return RestoreStartupEntryOnly(f[0].c_str(), f[1].c_str(), f[2].c_str(), code) ? kMachineJobDone
                                                                                  : 0;
}

int DoUndoRestore(const std::vector<std::string>& f) {
  return UndoMachineRestore(f[0], f[1].c_str()) ? kMachineJobDone : 0;
}

struct JobRow {
  MachineJobKind kind;
  const char* name;
  std::size_t fieldCount;
  int (*run)(const std::vector<std::string>& fields);
  int actionString;  // what the user is told could not be done
};

constexpr JobRow kJobRows[] = {
    {MachineJobKind::UpdateMode, "update-mode", 1, DoUpdateMode, IDS_JOB_UPDATE_MODE},
    {MachineJobKind::Prefix, "prefix", 1, DoPrefix, IDS_JOB_PREFIX},
    {MachineJobKind::StartupRemove, "startup-remove", 4, DoStartupRemove, IDS_JOB_STARTUP_REMOVE},
    {MachineJobKind::ServiceReject, "service-reject", 1, DoServiceReject, IDS_JOB_SERVICE_REJECT},
    {MachineJobKind::SystemFileRestore, "system-file-restore", 2, DoSystemFileRestore,
     IDS_JOB_SYSTEM_FILE_RESTORE},
    {MachineJobKind::ActiveXKill, "activex-kill", 1, DoActiveXKill, IDS_JOB_ACTIVEX_KILL},
    {MachineJobKind::IEHelperRemove, "ie-helper-remove", 2, DoIEHelperRemove,
     IDS_JOB_IE_HELPER_REMOVE},
    {MachineJobKind::FileTypeRestore, "file-type-restore", 3, DoFileTypeRestore,
     IDS_JOB_FILE_TYPE_RESTORE},
    {MachineJobKind::PointRemove, "point-remove", 3, DoPointRemove, IDS_JOB_POINT_REMOVE},
    {MachineJobKind::StartupRestore, "startup-restore", 4, DoStartupRestore,
     IDS_JOB_STARTUP_RESTORE},
    {MachineJobKind::UndoRestore, "undo-restore", 2, DoUndoRestore, IDS_JOB_UNDO_RESTORE},
};

const JobRow* RowOf(MachineJobKind kind) {
  for (const JobRow& row : kJobRows)
    if (row.kind == kind) return &row;
  return nullptr;
}

const JobRow* RowNamed(const std::string& name) {
  for (const JobRow& row : kJobRows)
    if (EqualsNoCase(name, row.name)) return &row;
  return nullptr;
}

std::string ExplorerPath(std::string& folder) {
  char path[kPathSize] = "";
  if (ProgramFolder(path, kPathSize) == 0) return {};
  folder = path;
  return folder + kExplorerFile;
}

}  // namespace

MachineJob MachineJobUpdateMode(int mode) {
  return {MachineJobKind::UpdateMode, {std::to_string(mode)}};
}
MachineJob MachineJobPrefix(const char* prefix) {
  return {MachineJobKind::Prefix, {prefix ? prefix : ""}};
}
MachineJob MachineJobStartupRemove(const char* title, const char* command, const char* key,
                                   int code) {
  return {MachineJobKind::StartupRemove,
          {title ? title : "", command ? command : "", key ? key : "", std::to_string(code)}};
}
MachineJob MachineJobServiceReject(const char* displayName) {
  return {MachineJobKind::ServiceReject, {displayName ? displayName : ""}};
}
MachineJob MachineJobSystemFileRestore(const char* name, const char* savedCopy) {
  return {MachineJobKind::SystemFileRestore, {name ? name : "", savedCopy ? savedCopy : ""}};
}
MachineJob MachineJobActiveXKill(const char* clsid) {
  return {MachineJobKind::ActiveXKill, {clsid ? clsid : ""}};
}

MachineJob MachineJobIEHelperRemove(int code, const char* key) {
  return {MachineJobKind::IEHelperRemove, {std::to_string(code), key ? key : ""}};
}
MachineJob MachineJobFileTypeRestore(const char* ext, int source) {
  return {MachineJobKind::FileTypeRestore,
          {ext ? ext : "", std::to_string(source), AccountOfProcess()}};
}

MachineJob MachineJobPointRemove(int code, const char* key, const char* command) {
  return {MachineJobKind::PointRemove,
          {std::to_string(code), key ? key : "", command ? command : ""}};
}

MachineJob MachineJobStartupRestore(const char* title, const char* command, const char* key,
                                    int code) {
  return {MachineJobKind::StartupRestore,
          {title ? title : "", command ? command : "", key ? key : "", std::to_string(code)}};
}

MachineJob MachineJobUndoRestore(unsigned long seq) {
  return {MachineJobKind::UndoRestore, {std::to_string(seq), AccountOfProcess()}};
}

int MachineJobDo(const MachineJob& job) {
  const JobRow* row = RowOf(job.kind);
  if (row == nullptr || job.fields.size() != row->fieldCount) return 0;
  return row->run(job.fields);
}

int MachineJobHandOver(const MachineJob& job) {
  const JobRow* row = RowOf(job.kind);
  std::string folder;
  const std::string program = ExplorerPath(folder);
  if (row == nullptr || program.empty() || FaultInjected("job")) return 0;
  const std::string arguments = MachineJobArguments({row->name, job.fields});
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
  start.hwnd = UserHooksInstalled().owner;
  start.lpVerb = "runas";
  start.lpFile = program.c_str();
  start.lpParameters = arguments.c_str();
  start.lpDirectory = folder.c_str();
  start.nShow = SW_HIDE;
  if (!ShellExecuteExA(&start) || start.hProcess == nullptr) {
    TraceNote("ERROR ShellExecuteEx runas", row->name);
    return 0;
  }
  Handle process(start.hProcess);
  DWORD code = 0;
  if (WaitForSingleObject(process.get(), kJobWaitMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.get(), &code))
    return 0;
  return static_cast<int>(code);
}

bool MachineJobDirectAllowed() { return !FaultInjected("direct"); }

int MachineJobRun(const MachineJob& job) {
  if (MachineJobDirectAllowed()) {
    const int done = MachineJobDo(job);
    if (done != 0) return done;
  }
  return MachineJobHandOver(job);
}

int MachineJobFromCommandLine(const char* commandLine) {
  const auto words = MachineJobWordsFind(commandLine ? commandLine : "");
  if (!words || FaultInjected("job")) return 0;
  const JobRow* row = RowNamed(words->kind);
  if (row == nullptr) return 0;
  return MachineJobDo({row->kind, words->fields});
}

void MachineJobTellFailure(const MachineJob& job, const char* itemName) {
  const JobRow* row = RowOf(job.kind);
  if (row == nullptr) return;
  char action[kNoticeSize / 4] = "";
  char format[kNoticeSize] = "";
  LocalString(row->actionString, action, sizeof action);
  LocalString(IDS_JOB_FAILED, format, sizeof format);
  char notice[kNoticeSize] = "";
  std::snprintf(notice, sizeof notice, format, action, itemName ? itemName : "");
  UserInform(notice);
}
