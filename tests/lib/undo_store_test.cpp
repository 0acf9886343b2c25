#include "records/undo_store.h"

#include <windows.h>
#include <mstask.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/activex.h"
#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_mozilla.h"
#include "categories/file_types.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/scheduled_tasks_undo.h"
#include "categories/service_start_change.h"
#include "categories/services.h"
#include "categories/system_files.h"
#include "foundation/settings.h"
#include "records/history.h"
#include "records/history_read.h"
#include "records/history_undo.h"
#include "records/undo_file.h"
#include "startup/delayed_start.h"
#include "startup/startup_actions.h"
#include "sandbox.h"

namespace {

constexpr char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

class UndoStoreTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    SetShellFolder("AppData", ScratchFolder());
  }
  void TearDown() override {
    UndoStoreClear();
    RegistrySandbox::TearDown();
  }

  // Every history row with its undo state, as the history dialog sees them.
  std::vector<HistoryRecord> Rows() {
    std::vector<HistoryRecord> rows;
    EXPECT_TRUE(HistoryReadRecords(rows));
    undo_ = UndoStoreRows(rows);
    return rows;
  }
  // The newest row of the action and its undo state.
  std::pair<HistoryRecord, UndoRow> Newest(int action) {
    const auto rows = Rows();
    for (std::size_t i = rows.size(); i-- > 0;)
      if (rows[i].actionCode == action) return {rows[i], undo_[i]};
    ADD_FAILURE() << "no line of action " << action << " in\n" << HistoryText();
    return {};
  }
  HistoryRestoreResult Restore(int action) {
    const auto [row, undo] = Newest(action);
    return HistoryRestore(row, undo);
  }
  std::string Folder() {
    char folder[MAX_PATH] = "";
    EXPECT_GT(UndoStoreFolder(folder, sizeof folder), 0);
    return folder;
  }
  std::string IndexText() { return FileText(Folder() + "\\undo.idx"); }

  std::vector<UndoRow> undo_;
};

// A service the real manager knows, with its key in the sandboxed machine hive.
struct UndoService {
  const char* name = "KvUndoService";
  const char* display = "Kv Undo Service";
  explicit UndoService(DWORD start) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = CreateServiceA(
        manager, name, display, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, start,
        SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe", nullptr, nullptr, nullptr,
        nullptr, nullptr);
    EXPECT_NE(nullptr, service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    const std::string key = std::string(kServicesRegistryKey) + "\\" + name;
    WriteRegString(HKEY_LOCAL_MACHINE, key, "ImagePath", "C:\\windows\\system32\\notepad.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, key, "DisplayName", display);
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, key.c_str(), "Start", start);
  }
  ~UndoService() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, name, DELETE);
    if (service) DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
};

}  // namespace

// The service's start type goes back to what it was, the taking back writes its own line
// (the type it gave back), and that line can itself be taken back.
TEST_F(UndoStoreTest, ServiceStartTypeRoundTripsAndTheUndoCanBeUndone) {
  UndoService service(SERVICE_DEMAND_START);
  ASSERT_EQ(3, ServiceConfiguredStart(service.display));
  ASSERT_TRUE(ChangeServiceStartType(service.display, "C:\\svc.exe", kServiceExeCode, 2));
  ASSERT_EQ(4, ServiceConfiguredStart(service.display));
  EXPECT_EQ(kUndoRowReady, Newest(kActServiceDisabled).second.state);
  EXPECT_EQ(kUndoRowNone, Newest(18).second.state) << "the from-line is no action of its own";

  EXPECT_EQ(kRestoreDone, Restore(kActServiceDisabled));
  EXPECT_EQ(3, ServiceConfiguredStart(service.display));
  EXPECT_EQ(kUndoRowDone, Newest(kActServiceDisabled).second.state);
  EXPECT_EQ(kRestoreAlready, Restore(kActServiceDisabled));
  EXPECT_EQ(kUndoRowReady, Newest(kActServiceManual).second.state);

  EXPECT_EQ(kRestoreDone, Restore(kActServiceManual));
  EXPECT_EQ(4, ServiceConfiguredStart(service.display));
}

TEST_F(UndoStoreTest, RemovedHelperGetsItsEntryAndClassKeysBack) {
  const std::string entry = std::string(kBHOKey) + "\\{B1}";
  WriteRegString(HKEY_LOCAL_MACHINE, entry, "NoExplorer", "1");
  WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{B1}\\InprocServer32", nullptr, "C:\\nowhere\\b.dll");
  WriteRegValue(HKEY_CLASSES_ROOT, "CLSID\\{B1}\\InprocServer32", "ThreadingModel", REG_BINARY,
                std::string("\x01\x00\xff", 3));
  SettingsWriteString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}", "bar");
  WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{T}\\InprocServer32", nullptr, "C:\\nowhere\\t.dll");
  ASSERT_EQ(2, EnumerateIEHelpers());

  ASSERT_EQ(1, RemoveIEHelper("C:\\nowhere\\b.dll", 0));
  ASSERT_EQ(1, RemoveIEHelper("C:\\nowhere\\t.dll", 1));
  // What unregistering the servers would do; the files are not there to do it themselves.
  SettingsDeleteKeyTree(HKEY_CLASSES_ROOT, "CLSID\\{B1}");
  SettingsDeleteKeyTree(HKEY_CLASSES_ROOT, "CLSID\\{T}");

  const auto rows = Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(kRestoreDone, HistoryRestore(rows[0], undo_[0]));
  EXPECT_EQ("1", ReadRegString(HKEY_LOCAL_MACHINE, entry.c_str(), "NoExplorer"));
  EXPECT_EQ("C:\\nowhere\\b.dll",
            ReadRegString(HKEY_CLASSES_ROOT, "CLSID\\{B1}\\InprocServer32", nullptr));
  DWORD type = 0, size = 8;
  BYTE data[8] = {};
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CLASSES_ROOT, "CLSID\\{B1}\\InprocServer32",
                                        "ThreadingModel", RRF_RT_ANY, &type, data, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(3u, size);
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}")) << "only the row chosen";

  EXPECT_EQ(kRestoreDone, HistoryRestore(rows[1], undo_[1]));
  EXPECT_EQ("bar", ReadRegString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, "CLSID\\{T}\\InprocServer32"));
  EXPECT_NE(std::string::npos, HistoryText().find("\tIEHELPER_Restore\t"));
}

TEST_F(UndoStoreTest, RestoredFileTypeGetsTheCommandItHadBack) {
  const std::string user = std::string(kFileExts) + ".kvu";
  WriteRegString(HKEY_CURRENT_USER, user, "ProgID", "KvuGood");
  WriteRegString(HKEY_CLASSES_ROOT, "KvuGood\\shell\\open\\command", nullptr, "C:\\good.exe %1");
  StoreAssociation("kvu", 3);
  WriteRegString(HKEY_CURRENT_USER, user, "ProgID", "KvuBad");
  WriteRegString(HKEY_CLASSES_ROOT, "KvuBad\\shell\\open\\command", nullptr, "C:\\bad.exe %1");
  WriteRegString(HKEY_CLASSES_ROOT, "KvuGood\\shell\\open\\command", nullptr, "C:\\worse.exe");
  RestoreAssociation("kvu", 3);
  ASSERT_EQ("KvuGood", ReadRegString(HKEY_CURRENT_USER, user.c_str(), "ProgID"));
  ASSERT_EQ("C:\\good.exe %1",
            ReadRegString(HKEY_CLASSES_ROOT, "KvuGood\\shell\\open\\command", nullptr));
  const auto [row, undo] = Newest(kActFileTypeRestore);
  EXPECT_EQ(".kvu", row.title);
  EXPECT_EQ("C:\\good.exe %1", row.command);
  EXPECT_EQ("C:\\bad.exe %1", row.extra) << "the command it replaced";

  EXPECT_EQ(kRestoreDone, HistoryRestore(row, undo));
  EXPECT_EQ("KvuBad", ReadRegString(HKEY_CURRENT_USER, user.c_str(), "ProgID"));
  EXPECT_EQ("C:\\worse.exe",
            ReadRegString(HKEY_CLASSES_ROOT, "KvuGood\\shell\\open\\command", nullptr));
  const auto [undoLine, again] = Newest(kActUndoRestore);
  EXPECT_EQ("FILETYPE_Restore", undoLine.extra);
  EXPECT_EQ(kUndoRowReady, again.state);
}

// The compatibility entry did not exist: taking the kill bit back removes it again, and the
// flags of an entry that did exist come back to the bit.
TEST_F(UndoStoreTest, KillBitGoesBackToTheFlagsBefore) {
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\{K1}";
  ASSERT_TRUE(KillActiveX("{K1}"));
  ASSERT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, entry.c_str()));
  EXPECT_EQ(kRestoreDone, Restore(kActActiveXKillBit));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, entry.c_str()));

  const std::string second = std::string(kActiveXCompatibilityKey) + "\\{K2}";
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, second.c_str(), "Compatibility Flags", 0x21);
  ASSERT_TRUE(KillActiveX("{K2}"));
  ASSERT_EQ(0x421u, ReadRegDword(HKEY_LOCAL_MACHINE, second.c_str(), "Compatibility Flags"));
  EXPECT_EQ(kRestoreDone, Restore(kActActiveXKillBit));
  EXPECT_EQ(0x21u, ReadRegDword(HKEY_LOCAL_MACHINE, second.c_str(), "Compatibility Flags"));
}

TEST_F(UndoStoreTest, RejectedHostsChangeComesBackReadOnlyAsItWas) {
  const std::string hosts = WriteScratchFile("HOSTS", "127.0.0.1 localhost\r\n");
  ASSERT_EQ(1, RegisterSystemFile("HOSTS", hosts.c_str(), "Hosts.", 1));
  std::ofstream(hosts, std::ios::binary) << "10.6.6.6 bank.example\r\n";
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(RejectSystemFileChange("HOSTS", hosts.c_str(), false));
  ASSERT_EQ("127.0.0.1 localhost\r\n", FileText(hosts));
  EXPECT_EQ(kRestoreDone, Restore(kActSystemFileReject));
  EXPECT_EQ("10.6.6.6 bank.example\r\n", FileText(hosts));
  EXPECT_TRUE(GetFileAttributesA(hosts.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The entry comes back to its Run key, and taking that back disables it again.
TEST_F(UndoStoreTest, DisabledStartupEntryIsEnabledAgain) {
  const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  WriteRegString(HKEY_CURRENT_USER, kRun, "KvTool", "C:\\T\\kvtool.exe");
  ASSERT_EQ(1, DisableStartupEntryKnown("KvTool", "C:\\T\\kvtool.exe", "", 11));
  ASSERT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "KvTool"));
  EXPECT_EQ(kRestoreDone, Restore(kActStartDisable));
  EXPECT_EQ("C:\\T\\kvtool.exe", ReadRegString(HKEY_CURRENT_USER, kRun, "KvTool"));
  EXPECT_EQ(kRestoreAlready, Restore(kActStartDisable));
  EXPECT_EQ(kRestoreDone, Restore(kActStartEnable));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "KvTool"));
}

// The delayed entry goes back to its Run key and its delay record goes; taking that back
// delays it again.
TEST_F(UndoStoreTest, DelayedEntryIsPutBackInItsPlace) {
  const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const char kDelay[] = "Software\\Tamsel\\Korvane\\Delay";
  WriteRegString(HKEY_CURRENT_USER, kRun, "KvLate", "C:\\T\\late.exe -min");
  ASSERT_EQ(kDelayDone, DelayStartupEntry("KvLate", "C:\\T\\late.exe -min", kRun, 11, 0));
  ASSERT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "KvLate"));
  EXPECT_EQ(kRestoreDone, Restore(kActStartDelay));
  EXPECT_EQ("C:\\T\\LATE.EXE -min", ReadRegString(HKEY_CURRENT_USER, kRun, "KvLate"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kDelay, "C:\\T\\LATE.EXE"));
  EXPECT_EQ(kRestoreDone, Restore(kActUndoRestore));
  EXPECT_EQ("11", ReadRegString(HKEY_CURRENT_USER, kDelay, "C:\\T\\LATE.EXE"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRun, "KvLate"));
}

// The filter's deletion keeps the file; it comes back byte for byte.
TEST_F(UndoStoreTest, CookieTheFilterDeletedComesBack) {
  const std::string folder = ScratchFolder() + "\\ie";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  WriteScratchFile("ie\\index.dat", "x");
  const std::string bytes = "id\n2\nads.kvnut/\n";
  const std::string cookie = WriteScratchFile("ie\\u@ads.kvnut[1].txt", bytes);
  const std::string kept = WriteScratchFile("ie\\u@shop.example[1].txt", "id\n1\n");
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kIECookieFolderValue, folder.c_str());
  SettingsWriteString(HKEY_CURRENT_USER, kNutsKey, "kvnut", "1");
  CookieKindSet(kCookieKindIE);
  EnumerateCookies(1);
  ASSERT_FALSE(PathExists(cookie));
  ASSERT_TRUE(PathExists(kept));
  const auto [row, undo] = Newest(kActCookieRemove);
  EXPECT_EQ("u@ads.kvnut[1].txt", row.title);
  EXPECT_EQ(kRestoreDone, HistoryRestore(row, undo));
  EXPECT_EQ(bytes, FileText(cookie));
}

// The Mozilla filter's dropped lines come back into the file as it is by then: cookies that
// came since stay, a dropped line the browser wrote again is not doubled, and the undo can
// itself be taken back. A replacement that drops nothing writes no line.
TEST_F(UndoStoreTest, MozillaFilterDeletionsComeBackBesideNewerCookies) {
  const std::string folder = ScratchFolder() + "\\profile";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string ad1 = "ads.kvnut\tTRUE\t/\tFALSE\t2000000000\tid\t1\n";
  const std::string ad2 = ".kvnut.org\tTRUE\t/\tFALSE\t2000000000\tt\t2\r\n";
  const std::string shop = "shop.example\tTRUE\t/\tFALSE\t2000000000\tsid\t3\n";
  const std::string late = "new.example\tTRUE\t/\tFALSE\t2000000000\tn\t4";
  const std::string path =
      WriteScratchFile("profile\\cookies.txt", "# Netscape\n" + ad1 + shop + ad2);
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kMozillaFolderValue, (folder + "\\").c_str());
  SetUpdateCookieFile(true);
  ASSERT_EQ(1, ReplaceMozillaCookieFile());
  EXPECT_TRUE(Rows().empty()) << HistoryText();

  SettingsWriteString(HKEY_CURRENT_USER, kNutsKey, "kvnut", "1");
  ASSERT_EQ(1, ReplaceMozillaCookieFile());
  ASSERT_EQ("# Netscape\n" + shop, FileText(path));
  const auto [row, undo] = Newest(kActCookieRemove);
  EXPECT_EQ("ads.kvnut - id", row.title);
  EXPECT_EQ(path, row.command);
  EXPECT_EQ("2", row.extra) << "cookies dropped";
  ASSERT_EQ(kUndoRowReady, undo.state);

  WriteScratchFile("profile\\cookies.txt", "# Netscape\n" + shop + ad2 + late);
  EXPECT_EQ(kRestoreDone, HistoryRestore(row, undo));
  EXPECT_EQ("# Netscape\n" + shop + ad2 + late + "\n" + ad1, FileText(path));
  EXPECT_EQ(kRestoreAlready, Restore(kActCookieRemove));
  EXPECT_EQ(kRestoreDone, Restore(kActUndoRestore));
  EXPECT_EQ("# Netscape\n" + shop + late + "\n", FileText(path));
}

// The record is in the store while the action has not written its line: a refused action
// leaves an unlined record that no row takes, and its row-less action offers nothing.
TEST_F(UndoStoreTest, RecordIsWrittenBeforeTheActionAndAFailedActionOffersNothing) {
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\{K3}";
  SettingsCreateKey(HKEY_LOCAL_MACHINE, entry.c_str());
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, entry.c_str(), true));
  EXPECT_FALSE(KillActiveX("{K3}"));
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, entry.c_str(), false));
  EXPECT_NE(std::string::npos, IndexText().find("{K3}")) << "kept before the refused write";
  EXPECT_EQ("", HistoryText());
  EXPECT_TRUE(Rows().empty());
}

// An unwritable store does not stop the action; its row then says its undo data is gone.
TEST_F(UndoStoreTest, ActionRunsWithoutAStoreAndItsRowSaysTheDataIsGone) {
  const std::string folder = Folder();
  ASSERT_TRUE(UndoStoreClear());
  ASSERT_TRUE(DeleteFileA((folder + "\\undo.idx").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
  std::ofstream(folder, std::ios::binary) << "a file where the folder belongs";
  ASSERT_TRUE(KillActiveX("{K4}"));
  const auto [row, undo] = Newest(kActActiveXKillBit);
  EXPECT_EQ(kUndoRowGone, undo.state);
  EXPECT_EQ(kRestoreGone, HistoryRestore(row, undo));
  DeleteFileA(folder.c_str());
}

TEST_F(UndoStoreTest, MissingCorruptedOrClearedDataIsGoneAndTouchesNothing) {
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\{K5a}";
  for (const char* clsid : {"{K5a}", "{K5b}", "{K5c}"}) ASSERT_TRUE(KillActiveX(clsid));
  auto rows = Rows();
  ASSERT_EQ(3u, rows.size());
  for (const UndoRow& u : undo_) ASSERT_EQ(kUndoRowReady, u.state);

  ASSERT_TRUE(DeleteFileA((Folder() + "\\" + std::to_string(undo_[0].seq) + ".dat").c_str()));
  std::ofstream(Folder() + "\\" + std::to_string(undo_[1].seq) + ".dat", std::ios::binary)
      << "12:KVUNDO1";
  rows = Rows();
  EXPECT_EQ(kUndoRowGone, undo_[0].state);
  EXPECT_EQ(kRestoreGone, HistoryRestore(rows[0], undo_[0]));
  EXPECT_EQ(kRestoreGone, HistoryRestore(rows[1], undo_[1]));
  EXPECT_EQ(0x400u, ReadRegDword(HKEY_LOCAL_MACHINE, entry.c_str(), "Compatibility Flags"));

  // A torn index keeps what came before the tear.
  std::string index = IndexText();
  index.insert(index.rfind("5;1:L"), "5;garbage\n");
  std::ofstream(Folder() + "\\undo.idx", std::ios::binary) << index;
  Rows();
  EXPECT_EQ(kUndoRowReady, undo_[1].state) << "before the tear";
  EXPECT_EQ(kUndoRowGone, undo_[2].state);

  ASSERT_TRUE(UndoStoreClear());
  Rows();
  for (const UndoRow& u : undo_) EXPECT_EQ(kUndoRowGone, u.state);
  EXPECT_EQ("", IndexText());
}

// Past the count bound the oldest records go and their rows say so; the newest stay.
TEST_F(UndoStoreTest, SizeBoundDropsTheOldestRecords) {
  EXPECT_FALSE(UndoStoreRecord({{9}, 10, 700, "big", "x"},
                               std::string(kUndoRecordMaxBytes + 1, 'b')));
  const std::size_t extra = 5;
  for (std::size_t i = 0; i < kUndoMaxRecords + extra; ++i) {
    const std::string title = std::to_string(i) + "S";
    ASSERT_TRUE(UndoStoreRecord({{kActServiceStop}, 10, 700, title, "c"}, "d"));
    ASSERT_EQ(1, HistoryWrite(title.c_str(), "c", "", 700, kActServiceStop));
  }
  const auto rows = Rows();
  ASSERT_EQ(kUndoMaxRecords + extra, rows.size());
  for (std::size_t i = 0; i < extra; ++i) EXPECT_EQ(kUndoRowGone, undo_[i].state) << i;
  for (std::size_t i = extra; i < rows.size(); ++i) ASSERT_EQ(kUndoRowReady, undo_[i].state) << i;
  EXPECT_FALSE(PathExists(Folder() + "\\1.dat"));
  EXPECT_LT(IndexText().size(), (kUndoMaxRecords + extra) * 120);
}

// Identical lines in one minute: each row takes back its own record, newest first.
TEST_F(UndoStoreTest, IdenticalLinesEachKeepTheirOwnRecord) {
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\{K6}";
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, entry.c_str(), "Compatibility Flags", 1);
  ASSERT_TRUE(KillActiveX("{K6}"));
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, entry.c_str(), "Compatibility Flags", 2);
  ASSERT_TRUE(KillActiveX("{K6}"));
  auto rows = Rows();
  ASSERT_EQ(2u, rows.size());
  if (rows[0].stamp != rows[1].stamp) GTEST_SKIP() << "the minute turned between the lines";
  EXPECT_EQ(kRestoreDone, HistoryRestore(rows[0], undo_[0]));
  EXPECT_EQ(1u, ReadRegDword(HKEY_LOCAL_MACHINE, entry.c_str(), "Compatibility Flags"));
  rows = Rows();
  EXPECT_EQ(kUndoRowDone, undo_[0].state);
  EXPECT_EQ(kUndoRowReady, undo_[1].state);
}


// The scheduler's classes are registered in the real hive, so this one runs outside the
// registry sandbox, with the store and the log emptied around it.
class UndoTaskTest : public ::testing::Test {
 protected:
  void SetUp() override { Empty(); }
  void TearDown() override {
    DeleteScheduledTask("KvUndoTask.job");
    Empty();
  }
  static void Empty() {
    UndoStoreClear();
    char history[MAX_PATH];
    if (HistoryFilePath(history, MAX_PATH)) DeleteFileA(history);
  }
};

// The job file exists only before the deletion, so a restore that brings it back proves the
// record was written first.
TEST_F(UndoTaskTest, DeletedTaskComesBackFromItsKeptJobFile) {
  CoInitialize(nullptr);
  ASSERT_EQ(0u, EnsureSchedulerRunning());
  ITaskScheduler* scheduler = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                   kSchedulerInterface, reinterpret_cast<void**>(&scheduler)));
  ITask* task = nullptr;
  ASSERT_EQ(S_OK, scheduler->NewWorkItem(L"KvUndoTask", kTaskClass, kTaskInterface,
                                         reinterpret_cast<IUnknown**>(&task)));
  task->SetApplicationName(L"C:\\windows\\notepad.exe");
  IPersistFile* file = nullptr;
  ASSERT_EQ(S_OK, task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  ASSERT_EQ(S_OK, file->Save(nullptr, TRUE));
  file->Release();
  task->Release();
  const std::string job = ScheduledTaskJobPath("KvUndoTask.job");
  const std::string bytes = FileText(job);
  ASSERT_FALSE(bytes.empty());

  ASSERT_EQ(S_OK, DeleteScheduledTask("KvUndoTask.job"));
  ASSERT_FALSE(PathExists(job));
  std::vector<HistoryRecord> rows;
  ASSERT_TRUE(HistoryReadRecords(rows));
  ASSERT_EQ(1u, rows.size());
  const std::vector<UndoRow> undo = UndoStoreRows(rows);
  EXPECT_EQ(kRestoreDone, HistoryRestore(rows[0], undo[0]));
  EXPECT_EQ(bytes, FileText(job));
  EXPECT_EQ(S_OK, DeleteScheduledTask("KvUndoTask.job")) << "the scheduler knows it again";
  scheduler->Release();
  CoUninitialize();
}
