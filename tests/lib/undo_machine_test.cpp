// Taking back a machine-wide change for an account that may not write there: the elevated job
// reads the record from the asking account's store, which that account can write, so every
// record that reaches beyond the item its kind of action changed is refused untouched.
#include "records/undo_machine.h"

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/activex.h"
#include "categories/ie_helpers.h"
#include "categories/system_files.h"
#include "foundation/account.h"
#include "foundation/settings.h"
#include "machine_job_sandbox.h"
#include "records/history.h"
#include "records/history_undo.h"
#include "records/undo_store.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_machine_remove.h"
#include "undo_rows.h"

namespace {

constexpr char kKill[] = "{5E0F1A2B-0000-4000-8000-00000000CC01}";
constexpr char kOther[] = "{5E0F1A2B-0000-4000-8000-00000000CC02}";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// An account whose hive the test loads by hand, standing for the standard user who asked.
constexpr char kAskingAccount[] = "S-1-5-21-1-2-3-4242";

std::string KillKey(const char* clsid) {
  return std::string(kActiveXCompatibilityKey) + "\\" + clsid;
}

class UndoMachineTest : public MachineJobSandbox {
 protected:
  void SetUp() override {
    MachineJobSandbox::SetUp();
    SetShellFolder("AppData", ScratchFolder());
  }
  void TearDown() override {
    UndoStoreClear();
    RegDeleteTreeA(HKEY_USERS, kAskingAccount);
    RegDeleteKeyA(HKEY_USERS, kAskingAccount);
    MachineJobSandbox::TearDown();
  }
  std::string Folder() {
    char folder[MAX_PATH] = "";
    EXPECT_GT(UndoStoreFolder(folder, sizeof folder), 0);
    return folder;
  }
  static int Job(const std::string& seq, const std::string& account = AccountOfProcess()) {
    return RunAsJob("undo-restore", {seq, account});
  }
  void Tamper(unsigned long seq, const UndoParts& parts) {
    std::ofstream(Folder() + "\\" + std::to_string(seq) + ".dat", std::ios::binary)
        << UndoDataText(parts);
  }
  static std::string KeyPart(const char* root, const std::string& path, bool flat = true) {
    std::vector<std::string> f = {root, path, "1", "k", ""};
    f.insert(f.end(), {"v", "Compatibility Flags", "4", std::string("\x21\0\0\0", 4)});
    if (!flat) f.insert(f.end(), {"k", "Below", "v", "", "1", "x"});
    return UndoFieldsText(f);
  }
  static std::string ValuePart(const char* root, const std::string& path, const char* name,
                               const std::string& data) {
    return UndoFieldsText({root, path, name, "1", "1", data + '\0'});
  }
};

}  // namespace

// As a standard user: the monitor's own write is refused and no job runs, so nothing is taken
// back and nothing is said to be; the job, given only the record's number and the account,
// then puts it back from that account's store, and leaves the line to the one who asked.
TEST_F(UndoMachineTest, RefusedUndoChangesNothingAndTheJobReadsTheAccountsStore) {
  ASSERT_TRUE(KillActiveX(kKill));
  const auto [row, undo] = NewestUndoRow(kActActiveXKillBit);
  ASSERT_EQ(kUndoRowReady, undo.state);

  SetEnvironmentVariableA(kFault, "all");
  EXPECT_EQ(kRestoreFailed, HistoryRestore(row, undo));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));
  EXPECT_EQ(std::string::npos, HistoryText().find("UNDO_Restore"));
  EXPECT_EQ(kUndoRowReady, NewestUndoRow(kActActiveXKillBit).second.state) << "still to be taken back";
  EXPECT_EQ(0, Job(std::to_string(undo.seq))) << "the job refused as well";
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));

  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_EQ(0, Job(std::to_string(undo.seq), "S-1-5-21-9-9-9-9")) << "a hive that is not loaded";
  EXPECT_EQ(0, Job(std::to_string(undo.seq), "..\\HKLM")) << "not an account";
  EXPECT_EQ(0, Job("+1")) << "not a record number";
  EXPECT_EQ(0, Job(std::to_string(undo.seq + 100)));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));

  EXPECT_EQ(kMachineJobDone, Job(std::to_string(undo.seq)));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));
  EXPECT_EQ(std::string::npos, HistoryText().find("UNDO_Restore")) << "the job writes no line";
}

// Records rewritten as a hostile account could write them (the index and the data are both
// theirs): each is refused whole by the job, which writes nothing anywhere.
TEST_F(UndoMachineTest, JobRefusesRecordsThatReachBeyondTheirItem) {
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, "Kept", "C:\\kept.exe");
  const std::string hosts = WriteScratchFile("HOSTS", "127.0.0.1 localhost\r\n");
  ASSERT_EQ(1, RegisterSystemFile("HOSTS", hosts.c_str(), "Hosts.", 1));
  const std::string elsewhere = ScratchFolder() + "\\planted.dll";
  const std::string helper = std::string(kBHOKey) + "\\" + kKill;
  const UndoParts killEntry = {{kUndoPartRegistry, KeyPart("HKLM", KillKey(kKill))}};

  struct Hostile {
    const char* what;
    const char* title;
    UndoParts parts;
  };
  const Hostile hostile[] = {
      {"another key", kKill, {{kUndoPartRegistry, KeyPart("HKLM", kRunKey)}}},
      {"another control's entry", kKill, {{kUndoPartRegistry, KeyPart("HKLM", KillKey(kOther))}}},
      {"a key below the entry", kKill,
       {{kUndoPartRegistry, KeyPart("HKLM", KillKey(kKill), false)}}},
      {"a value beside it", kKill,
       {killEntry[0], {kUndoPartRegistryValue, ValuePart("HKLM", kRunKey, "Evil", "C:\\e.exe")}}},
      {"a control not named by its class", "{K1}",
       {{kUndoPartRegistry, KeyPart("HKLM", KillKey("{K1}"))}}},
      {"a file that is not watched", "HOSTS",
       {{kUndoPartFile, UndoFieldsText({elsewhere, "1", "MZ"})}}},
      {"a watched file under another's name", "BOOT.INI",
       {{kUndoPartFile, UndoFieldsText({hosts, "1", "x"})}}},
      {"a watched file taken away", "HOSTS", {{kUndoPartFile, UndoFieldsText({hosts, "0", ""})}}},
      {"a service under another name", "Kv Service",
       {{kUndoPartService, UndoFieldsText({"Other Service", "2", "1"})}}},
      {"a boot start, which is a driver's", "Kv Service",
       {{kUndoPartService, UndoFieldsText({"Kv Service", "0", "0"})}}},
      {"an add-on whose class is another", "helper.dll",
       {{kUndoPartRegistry, KeyPart("HKLM", helper)},
        {kUndoPartRegistry, KeyPart("HKCR", std::string("CLSID\\") + kOther)}}},
      {"an add-on entry outside the add-on keys", "helper.dll",
       {{kUndoPartRegistry, KeyPart("HKLM", std::string(kRunKey) + "\\" + kKill)},
        {kUndoPartRegistry, KeyPart("HKCR", std::string("CLSID\\") + kKill)}}},
      {"a file type's command of a class it does not name", ".kvm",
       {{kUndoPartRegistryValue, ValuePart("HKLM", "Software\\Classes\\.kvm", "", "KvmFile")},
        {kUndoPartRegistryValue,
         ValuePart("HKLM", "Software\\Classes\\exefile\\shell\\open\\command", "",
                   "C:\\e.exe")}}},
      {"a per-user file type", ".kvm",
       {{kUndoPartRegistryValue, ValuePart("HKCU", "Software\\Classes\\.kvm", "", "KvmFile")}}},
      {"a part no machine action keeps", "Kept",
       {{kUndoPartStartup, UndoFieldsText({"Kept", "C:\\kept.exe", "", "1", "1"})}}},
  };
  for (const Hostile& h : hostile) EXPECT_FALSE(UndoMachineFits(h.title, h.parts)) << h.what;

  // The same kinds as the actions keep them.
  EXPECT_TRUE(UndoMachineFits(kKill, killEntry));
  EXPECT_TRUE(UndoMachineFits(
      "Kv Service", {{kUndoPartService, UndoFieldsText({"Kv Service", "3", "0"})}}));
  EXPECT_TRUE(UndoMachineFits("HOSTS", {{kUndoPartFile, UndoFieldsText({hosts, "1", "x"})}}));
  EXPECT_TRUE(UndoMachineFits(
      ".kvm",
      {{kUndoPartRegistryValue, ValuePart("HKLM", "Software\\Classes\\.kvm", "", "KvmFile")},
       {kUndoPartRegistryValue,
        ValuePart("HKLM", "Software\\Classes\\KvmFile\\shell\\open\\command", "",
                  "C:\\v.exe %1")}}));

  ASSERT_TRUE(KillActiveX(kKill));
  const unsigned long seq = NewestUndoRow(kActActiveXKillBit).second.seq;
  SetEnvironmentVariableA(kFault, nullptr);
  for (std::size_t i : {0u, 3u}) {
    Tamper(seq, hostile[i].parts);
    EXPECT_EQ(0, Job(std::to_string(seq))) << hostile[i].what;
  }
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));
  EXPECT_EQ("C:\\kept.exe", ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Kept"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Evil"));
  EXPECT_FALSE(PathExists(elsewhere));
}

// A machine-wide class is loaded by elevated programs too: the job brings the add-on's own
// entry back but never replaces a class that is registered by then.
TEST_F(UndoMachineTest, JobBringsTheAddOnBackButLeavesARegisteredClassAlone) {
  const std::string entry = std::string(kBHOKey) + "\\" + kKill;
  const std::string server = std::string("CLSID\\") + kKill + "\\InprocServer32";
  WriteRegString(HKEY_LOCAL_MACHINE, entry, "NoExplorer", "1");
  WriteRegString(HKEY_CLASSES_ROOT, server, nullptr, "C:\\nowhere\\helper.dll");
  ASSERT_EQ(1, EnumerateIEHelpers());
  ASSERT_EQ(1, RemoveIEHelper("C:\\nowhere\\helper.dll", 0));
  WriteRegString(HKEY_CLASSES_ROOT, server, nullptr, "C:\\Program Files\\Real\\real.dll");
  const auto [row, undo] = NewestUndoRow(kActIEHelperRemove);
  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_EQ(kMachineJobDone, Job(std::to_string(undo.seq)));
  EXPECT_EQ("1", ReadRegString(HKEY_LOCAL_MACHINE, entry.c_str(), "NoExplorer"));
  EXPECT_EQ("C:\\Program Files\\Real\\real.dll", ReadRegString(HKEY_CLASSES_ROOT, server.c_str(), nullptr));
}

// The job runs as whoever consented; a record of another account is put back only once that
// person has seen what it is and said yes.
TEST_F(UndoMachineTest, AnotherAccountsRecordIsPutBackOnlyOnceWhoeverConsentedSaysYes) {
  ASSERT_TRUE(KillActiveX(kKill));
  const unsigned long seq = NewestUndoRow(kActActiveXKillBit).second.seq;
  const std::string theirs = ScratchFolder() + "\\theirs";
  ASSERT_TRUE(CreateDirectoryA(theirs.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((theirs + "\\Korvane").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((theirs + "\\Korvane\\Undo").c_str(), nullptr));
  for (const std::string name : {std::string("undo.idx"), std::to_string(seq) + ".dat"})
    ASSERT_TRUE(CopyFileA((Folder() + "\\" + name).c_str(),
                          (theirs + "\\Korvane\\Undo\\" + name).c_str(), FALSE));
  ASSERT_TRUE(UndoStoreClear()) << "the consenting account's own store has nothing";
  HKEY hive = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_USERS, (std::string(kAskingAccount) + "\\" + kShellFolders).c_str(),
                                           0, nullptr, 0, KEY_SET_VALUE, nullptr, &hive, nullptr));
  RegSetValueExA(hive, "AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(theirs.c_str()),
                 static_cast<DWORD>(theirs.size() + 1));
  RegCloseKey(hive);

  static std::string asked;
  static bool answer = false;
  UserHooks hooks;
  hooks.confirmPutBackForAccount = [](HWND, const char* text) {
    asked = text;
    return answer;
  };
  UserHooksInstall(hooks);
  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_EQ(0, Job(std::to_string(seq), kAskingAccount));
  EXPECT_NE(std::string::npos, asked.find(kKill)) << asked;
  EXPECT_NE(std::string::npos, asked.find("ACTIVEX_KillBit")) << asked;
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));

  answer = true;
  EXPECT_EQ(kMachineJobDone, Job(std::to_string(seq), kAskingAccount));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, KillKey(kKill).c_str()));
}

// A removed HKLM Run entry comes back through the job only when the monitor may not write it,
// and is known again only once it is back; a per-user place is never the job's.
TEST_F(UndoMachineTest, RemovedMachineRunEntryComesBackThroughTheJobOnly) {
  const auto startupJob = [](const char* code) {
    return RunAsJob("startup-restore", {"KvBack", "C:\\kv\\back.exe", "", code});
  };
  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_EQ(0, startupJob("11"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "KvBack"));
  EXPECT_EQ(kMachineJobDone, startupJob("1"));
  EXPECT_EQ("C:\\kv\\back.exe", ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "KvBack"));
  EXPECT_EQ("", HistoryText());

  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "KvBack");
  SetEnvironmentVariableA(kFault, "all");
  EXPECT_EQ(0, StartupMachineRestore("KvBack", "C:\\kv\\back.exe", "", 1));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "KvBack"));
  EXPECT_EQ(1, StartupMachineRestore("KvBack", "C:\\kv\\back.exe", "", 11))
      << "a per-user entry is written here, whatever the machine's rights";
  EXPECT_EQ("C:\\kv\\back.exe", ReadRegString(HKEY_CURRENT_USER, kRunKey, "KvBack"));
}
