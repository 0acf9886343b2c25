// Taking actions back through the real explorer's history dialog: a rejected service, a
// deleted scheduled task (of either scheduler), a removed IE helper, a restored file type, a kill bit and a rejected
// HOSTS change are each done by the library the monitor and the explorer share, then undone
// row by row in the dialog, and the system is checked to be as it was. A line with no undo
// data says so, and only rows that can still be taken back carry the mark "* ".
#include <windows.h>
#include <mstask.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "categories/file_types.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/scheduled_tasks_v2.h"
#include "categories/service_reject.h"
#include "item_codes.h"
#include "explorer_driver.h"
#include "monitor_driver.h"
#include "probe_service.h"
#include "records/undo_store.h"
#include "sandbox.h"
#include "task_service_probe.h"
#include "startup/startup_machine_remove.h"
#include "undo_probes.h"

namespace {

constexpr char kServiceName[] = "KvUndoProbeService";
constexpr char kServiceDisplay[] = "Sentinel Undo Probe Service";
constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\KvUndoProbeService";
constexpr wchar_t kTaskName[] = L"KvUndoProbeTask";
constexpr char kTaskTitle[] = "KvUndoProbeTask.job";
constexpr char kHelperClsid[] = "{5E0F1A2B-0000-4000-8000-00000000AB01}";
constexpr char kHelperServer[] = "C:\\kvundo\\probehelper.dll";
constexpr char kKillClsid[] = "{5E0F1A2B-0000-4000-8000-00000000AB02}";
constexpr char kFileExts[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.kvundo";
constexpr char kGoodCommand[] = "C:\\kvundo\\good.exe %1";
constexpr char kBadCommand[] = "C:\\kvundo\\bad.exe %1";
constexpr char kHostsName[] = "KvUndoHosts";
constexpr char kHostsAccepted[] = "127.0.0.1 localhost\r\n";
constexpr char kHostsRejected[] = "10.6.6.6 bank.example\r\n";
constexpr char kGoneLine[] =
    "12/06/2026  2:05 PM\tSERVICE_Stop\tSERVICE_EXE\tKvUndoGone\tC:\\kvundo\\gone.exe\t\r\n";

constexpr char kTaskV2Path[] = "\\KvUndoV2\\Probe";
constexpr char kMachineRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunTitle[] = "KvUndoMachineRun";
constexpr char kRunCommand[] = "C:\\kvundo\\run.exe";
constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";
constexpr char kReadyMark[] = "* ";

const ProbeService kProbe{kServiceName, kServiceDisplay};

// Holds the screen as it is for a screenshot taken from outside, when the variable says so.
void HoldForShot(const char* variable) {
  char ms[16] = "";
  if (GetEnvironmentVariableA(variable, ms, sizeof ms) > 0) Sleep(atoi(ms));
}

std::string TaskV2File() { return TasksV2Folder() + kTaskV2Path; }

// As Windows writes a task file: UTF-16 with its mark.
std::string TaskV2Bytes() {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
      "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><RegistrationInfo>"
      "<Author>Undo Probe</Author></RegistrationInfo><Actions><Exec>"
      "<Command>C:\\windows\\notepad.exe</Command></Exec></Actions></Task>\r\n";
  return Utf16WithMark(xml);
}

std::string TaskFilePath() { return TaskJobPath(kTaskTitle); }

bool AddProbeTask() { return AddNotepadJob(kTaskName, kTaskTitle); }

std::string HelperKey() { return std::string(kBHOKey) + "\\" + kHelperClsid; }
std::string HelperClassKey() { return std::string("Software\\Classes\\CLSID\\") + kHelperClsid; }
std::string KillKey() { return UndoProbeKillKey(kKillClsid); }
std::string HostsCopy() { return BinFolder() + "\\kvundo_hosts"; }

void CleanProbes() {
  kProbe.Remove();
  DeleteScheduledTask(kTaskTitle);
  DeleteFileA(TaskFilePath().c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, HelperKey().c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, HelperClassKey().c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, KillKey().c_str());
  RegDeleteTreeA(HKEY_CURRENT_USER, kFileExts);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "KvUndoGood");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "KvUndoBad");
  SetFileAttributesA(HostsCopy().c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(HostsCopy().c_str());
  DeleteFileA(TaskV2File().c_str());
  RemoveDirectoryA((TasksV2Folder() + "\\KvUndoV2").c_str());
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kMachineRunKey, kRunTitle);
}

class ExplorerUndoTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    CleanProbes();
    ASSERT_TRUE(UndoStoreClear());
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    ExplorerTest::TearDown();
    CleanProbes();
    UndoStoreClear();
  }

  // Every kind of action, each through the library function both programs call.
  void TakeEveryAction() {
    ASSERT_TRUE(kProbe.Start());
    EXPECT_EQ(kServiceRejectStopped | kServiceRejectDisabled,
              ServiceReject(kServiceDisplay, "kv_test_service.exe", kServiceExeCode));
    ASSERT_TRUE(WaitUntil([] { return kProbe.State() == SERVICE_STOPPED; }));

    ASSERT_TRUE(AddProbeTask());
    taskBytes_ = FileText(TaskFilePath());
    ASSERT_EQ(S_OK, DeleteScheduledTask(kTaskTitle));
    ASSERT_FALSE(PathExists(TaskFilePath()));

    ASSERT_TRUE(CreateDirectoryA((TasksV2Folder() + "\\KvUndoV2").c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(TaskV2File(), TaskV2Bytes()));
    ASSERT_EQ(S_OK, DeleteTaskV2(kTaskV2Path));
    ASSERT_FALSE(PathExists(TaskV2File()));

    WriteRegString(HKEY_LOCAL_MACHINE, HelperKey(), "NoExplorer", "1");
    WriteRegString(HKEY_LOCAL_MACHINE, HelperClassKey() + "\\InprocServer32", nullptr,
                   kHelperServer);
    EnumerateIEHelpers();
    int index = -1;
    for (int i = 0; i < ItemCount(); ++i)
      if (ItemRowAt(i).key == kHelperClsid) index = i;
    ASSERT_GE(index, 0);
    ASSERT_EQ(1, RemoveIEHelper(kHelperServer, index));
    // What the server's own unregistration takes; this one has no file to do it.
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, HelperClassKey().c_str());

    WriteRegString(HKEY_CURRENT_USER, kFileExts, "ProgID", "KvUndoGood");
    WriteRegString(HKEY_CLASSES_ROOT, "KvUndoGood\\shell\\open\\command", nullptr, kGoodCommand);
    StoreAssociation("kvundo", 3);
    WriteRegString(HKEY_CURRENT_USER, kFileExts, "ProgID", "KvUndoBad");
    WriteRegString(HKEY_CLASSES_ROOT, "KvUndoBad\\shell\\open\\command", nullptr, kBadCommand);
    RestoreAssociation("kvundo", 3);
    ASSERT_EQ("KvUndoGood", ReadRegString(HKEY_CURRENT_USER, kFileExts, "ProgID"));

    ASSERT_TRUE(UndoProbeKillBit(kKillClsid));

    ASSERT_TRUE(UndoProbeRejectFile(kHostsName, HostsCopy(), kHostsAccepted, kHostsRejected));
    ASSERT_EQ(kHostsAccepted, FileText(HostsCopy()));
  }

  HWND OpenHistory() {
    const HWND sheet = OpenExplorer("-OPTION", &run_);
    if (sheet == nullptr) return nullptr;
    EXPECT_TRUE(WaitUntil([&] { return PageControl(sheet, IDC_OPT_VIEW_HISTORY) != nullptr; }));
    EXPECT_TRUE(PressPageButton(sheet, IDC_OPT_VIEW_HISTORY));
    return WaitExplorerDialog(run_->Id(), "Korvane History");
  }
  // The newest row with that title, marked or not, and action; -1 when none.
  static int NewestRow(const RemoteList& rows, const std::string& title,
                       const std::string& action) {
    int found = -1;
    for (const std::string& shown : {title, kReadyMark + title})
      for (int row : rows.RowsTitled(shown))
        if (rows.Cell(row, 1) == action && row > found) found = row;
    return found;
  }
  // The title cell of that row as the dialog shows it.
  std::string Shown(HWND dialog, const std::string& title, const std::string& action) {
    const RemoteList rows(GetDlgItem(dialog, IDC_PAGE_LIST));
    const int row = NewestRow(rows, title, action);
    return row < 0 ? "(no row)" : rows.Cell(row, 0);
  }
  // Selects the newest row with that title and action and presses Restore.
  bool Restore(HWND dialog, const std::string& title, const std::string& action) {
    const RemoteList rows(GetDlgItem(dialog, IDC_PAGE_LIST));
    const int found = NewestRow(rows, title, action);
    if (found < 0 || !rows.Select({found})) return false;
    if (!WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDC_HISTORY_RESTORE)); }))
      return false;
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_RESTORE, BN_CLICKED), 0);
  }
  HWND BoxOver(HWND dialog) {
    HWND box = nullptr;
    WaitUntil([&] {
      box = FindExplorerDialog(run_->Id(), kSheetCaption);
      return box != nullptr && box != dialog;
    });
    return box;
  }

  ProgramRun* run_ = nullptr;
  std::string taskBytes_;
};

}  // namespace

TEST_F(ExplorerUndoTest, EachKindOfActionIsTakenBackFromTheHistoryDialog) {
  TakeEveryAction();
  ASSERT_FALSE(HasFatalFailure());
  std::string log = FileText(HistoryFilePath());
  ASSERT_TRUE(WriteTextFile(HistoryFilePath(), log + kGoneLine));
  const HWND dialog = OpenHistory();
  ASSERT_NE(nullptr, dialog);

  // Every action just taken is marked; the line whose data was never kept is not.
  for (const auto& [title, action] : std::initializer_list<std::pair<std::string, std::string>>{
           {kServiceDisplay, "SERVICE_Stop"}, {kTaskTitle, "TASK_Remove"},
           {kTaskV2Path, "TASK_Remove"}, {kKillClsid, "ACTIVEX_KillBit"},
           {kHostsName, "SYSFILE_Reject"}})
    EXPECT_EQ(kReadyMark + title, Shown(dialog, title, action));
  EXPECT_EQ("KvUndoGone", Shown(dialog, "KvUndoGone", "SERVICE_Stop"));
  HoldForShot("KV_UNDO_MARKS_SHOT_MS");

  ASSERT_TRUE(Restore(dialog, kServiceDisplay, "SERVICE_Stop"));
  EXPECT_TRUE(WaitUntil([] { return kProbe.State() == SERVICE_RUNNING; }))
      << "a service that ran runs again";
  EXPECT_EQ(3u, ReadDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start"));

  ASSERT_TRUE(Restore(dialog, kTaskTitle, "TASK_Remove"));
  EXPECT_TRUE(WaitUntil([&] { return FileText(TaskFilePath()) == taskBytes_; }));

  // Registered again through the task service, and found again by the category's own read.
  ASSERT_TRUE(Restore(dialog, kTaskV2Path, "TASK_Remove"));
  EXPECT_TRUE(WaitUntil([] {
    TaskV2 found;
    return FindTaskV2(kTaskV2Path, found) && found.author == "Undo Probe";
  }));
  // Taken back: the row loses its mark, and the line of the taking back has it.
  EXPECT_TRUE(WaitUntil([&] { return Shown(dialog, kTaskV2Path, "TASK_Remove") == kTaskV2Path; }));
  EXPECT_EQ(kReadyMark + std::string(kTaskV2Path), Shown(dialog, kTaskV2Path, "TASK_Restore"));

  ASSERT_TRUE(Restore(dialog, "probehelper.dll", "IEHELPER_Remove"));
  EXPECT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_LOCAL_MACHINE, HelperKey().c_str(), "NoExplorer") == "1" &&
           ReadRegString(HKEY_LOCAL_MACHINE, (HelperClassKey() + "\\InprocServer32").c_str(),
                         nullptr) == kHelperServer;
  }));

  ASSERT_TRUE(Restore(dialog, ".kvundo", "FILETYPE_Restore"));
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kFileExts, "ProgID") == "KvUndoBad"; }));
  EXPECT_EQ(kGoodCommand,
            ReadRegString(HKEY_CLASSES_ROOT, "KvUndoGood\\shell\\open\\command", nullptr));

  ASSERT_TRUE(Restore(dialog, kKillClsid, "ACTIVEX_KillBit"));
  EXPECT_TRUE(WaitUntil([] { return !RegKeyExists(HKEY_LOCAL_MACHINE, KillKey().c_str()); }))
      << "the entry the kill bit made is gone again";

  ASSERT_TRUE(Restore(dialog, kHostsName, "SYSFILE_Reject"));
  EXPECT_TRUE(WaitUntil([] { return FileText(HostsCopy()) == kHostsRejected; }));

  for (const char* line : {"\tSERVICE_Manual\tSERVICE_EXE\tSentinel Undo Probe Service\t",
                           "\tTASK_Restore\tTASK_SCHEDULED\tKvUndoProbeTask.job\t",
                           "\tTASK_Restore\tTASK_SCHEDULED2\t\\KvUndoV2\\Probe\t",
                           "\tIEHELPER_Restore\tTYPE_BHO\tprobehelper.dll\t",
                           "\tUNDO_Restore\tTYPE_FILETYPE\t.kvundo\t"})
    EXPECT_TRUE(WaitHistoryHas(line)) << line << "\n" << FileText(HistoryFilePath());

  // A second Restore of the same row says it was taken back already and changes nothing.
  ASSERT_TRUE(Restore(dialog, kHostsName, "SYSFILE_Reject"));
  HWND box = BoxOver(dialog);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), "already been taken back")) << BoxText(box);
  EXPECT_TRUE(AnswerBox(box, IDOK));

  // A line whose undo data was never kept says so.
  ASSERT_TRUE(Restore(dialog, "KvUndoGone", "SERVICE_Stop"));
  box = BoxOver(dialog);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), "can no longer be taken back")) << BoxText(box);
  HoldForShot("KV_UNDO_SHOT_MS");
  EXPECT_TRUE(AnswerBox(box, IDOK));

  // Clear File, answered Yes, empties the log and the undo store with it.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_CLEAR, BN_CLICKED), 0);
  box = BoxOver(dialog);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(AnswerBox(box, IDYES));
  EXPECT_TRUE(WaitUntil([] { return !PathExists(HistoryFilePath()); }));
  char folder[MAX_PATH] = "";
  ASSERT_GT(UndoStoreFolder(folder, sizeof folder), 0);
  EXPECT_TRUE(WaitUntil([&] { return FileText(std::string(folder) + "\\undo.idx").empty(); }));
  EXPECT_TRUE(AnswerBox(dialog, IDOK));
}

// A standard user: the explorer may not write machine-wide, so each of these comes back only
// through the elevated job, which reads the record from this user's own store. Refused as
// well, the row says it could not be taken back, and nothing changes or is written.
TEST_F(ExplorerUndoTest, MachineWideChangesAreTakenBackForAStandardUserThroughTheJob) {
  TakeEveryAction();
  ASSERT_FALSE(HasFatalFailure());
  WriteRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, kRunTitle, kRunCommand);
  ASSERT_EQ(1, StartupMachineRemove(kRunTitle, kRunCommand, "", kLocationMachineRun));
  const std::string before = FileText(HistoryFilePath());

  SetEnvironmentVariableA(kFault, "all");
  HWND dialog = OpenHistory();
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(Restore(dialog, kKillClsid, "ACTIVEX_KillBit"));
  HWND box = BoxOver(dialog);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), "could not be taken back")) << BoxText(box);
  HoldForShot("KV_UNDO_SHOT_MS");
  EXPECT_TRUE(AnswerBox(box, IDOK));
  ASSERT_TRUE(Restore(dialog, kRunTitle, "*START_Remove"));
  box = BoxOver(dialog);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), "may need an administrator")) << BoxText(box);
  EXPECT_TRUE(AnswerBox(box, IDOK));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey().c_str()));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kMachineRunKey, kRunTitle));
  EXPECT_EQ(kReadyMark + std::string(kKillClsid), Shown(dialog, kKillClsid, "ACTIVEX_KillBit"));
  EXPECT_EQ(before, FileText(HistoryFilePath()));
  run_->Kill();

  SetEnvironmentVariableA(kFault, "direct");
  dialog = OpenHistory();
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(Restore(dialog, kKillClsid, "ACTIVEX_KillBit"));
  EXPECT_TRUE(WaitUntil([] { return !RegKeyExists(HKEY_LOCAL_MACHINE, KillKey().c_str()); }));
  EXPECT_TRUE(WaitUntil([&] { return Shown(dialog, kKillClsid, "ACTIVEX_KillBit") == kKillClsid; }))
      << "marked taken back once the job said it was done";

  ASSERT_TRUE(Restore(dialog, kServiceDisplay, "SERVICE_Stop"));
  EXPECT_TRUE(WaitUntil([] { return kProbe.State() == SERVICE_RUNNING; }));
  EXPECT_EQ(3u, ReadDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start"));

  ASSERT_TRUE(Restore(dialog, "probehelper.dll", "IEHELPER_Remove"));
  EXPECT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_LOCAL_MACHINE, HelperKey().c_str(), "NoExplorer") == "1" &&
           ReadRegString(HKEY_LOCAL_MACHINE, (HelperClassKey() + "\\InprocServer32").c_str(),
                         nullptr) == kHelperServer;
  }));

  ASSERT_TRUE(Restore(dialog, kHostsName, "SYSFILE_Reject"));
  EXPECT_TRUE(WaitUntil([] { return FileText(HostsCopy()) == kHostsRejected; }));

  ASSERT_TRUE(Restore(dialog, kRunTitle, "*START_Remove"));
  EXPECT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, kRunTitle) == kRunCommand;
  }));

  // A per-user change is still put back by the explorer itself.
  ASSERT_TRUE(Restore(dialog, ".kvundo", "FILETYPE_Restore"));
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kFileExts, "ProgID") == "KvUndoBad"; }));

  EXPECT_TRUE(WaitUntil([] {
    const std::string log = FileText(HistoryFilePath());
    const std::size_t at = log.find(kKillClsid, log.find("\tUNDO_Restore\t"));
    return at != std::string::npos && log.find('\n', log.find("\tUNDO_Restore\t")) > at;
  })) << FileText(HistoryFilePath());
  for (const char* line : {"\tSERVICE_Manual\tSERVICE_EXE\tSentinel Undo Probe Service\t",
                           "\tIEHELPER_Restore\tTYPE_BHO\tprobehelper.dll\t",
                           "\tUNDO_Restore\tTYPE_FILETYPE\t.kvundo\t"})
    EXPECT_TRUE(WaitHistoryHas(line)) << line << "\n" << FileText(HistoryFilePath());
  EXPECT_TRUE(AnswerBox(dialog, IDOK));
}
