// The registry backup over a sandboxed settings tree: what it writes, and that Wine's own
// "reg import" puts every value back, with its type and bytes, into an emptied tree.
#include "reports/report_backup.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "foundation/reg_raw.h"
#include "foundation/settings.h"
#include "reports/report_file.h"
#include "sandbox.h"

namespace {

constexpr char kMachineKey[] = "SOFTWARE\\Tamsel";

struct Seeded {
  HKEY root;
  std::string key;
  std::string name;
  DWORD type;
  std::string data;
};

std::string Sz(const std::string& text) { return text + '\0'; }

std::vector<Seeded> SettingsValues() {
  const std::string base = kBaseKey;
  std::string binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  return {
      {HKEY_CURRENT_USER, base, "", REG_SZ, Sz("19/03/2008 10:00")},
      {HKEY_CURRENT_USER, base, "Version", REG_SZ, Sz("15.2.2008.0")},
      {HKEY_CURRENT_USER, base, "AUOptions", REG_DWORD, std::string("\x04\x00\x00\x00", 4)},
      {HKEY_CURRENT_USER, base, "Blob", REG_BINARY, binary},
      {HKEY_CURRENT_USER, base, "Multi", REG_MULTI_SZ, std::string("one\0two words\0\0", 15)},
      {HKEY_CURRENT_USER, base, "Expand", REG_EXPAND_SZ, Sz("%SystemRoot%\\kv.exe")},
      {HKEY_CURRENT_USER, base, "Quote \"and\" \\slash\\", REG_SZ,
       Sz("\"C:\\Program Files\\a b\\x.exe\" -q \\\\server\\share\\")},
      {HKEY_CURRENT_USER, base, "Long", REG_SZ, Sz(std::string(1000, 'L'))},
      {HKEY_CURRENT_USER, base, "Empty", REG_SZ, Sz("")},
      {HKEY_CURRENT_USER, base, "Lines", REG_SZ, Sz("first\r\nsecond")},
      {HKEY_CURRENT_USER, base + "\\Options", "Format", REG_SZ, Sz("1")},
      {HKEY_CURRENT_USER, base + "\\Delay", "C:\\T\\tool.exe", REG_SZ, Sz("1")},
      {HKEY_CURRENT_USER, base + "\\Delay\\Time", "C:\\T\\tool.exe", REG_SZ, Sz("30")},
      {HKEY_CURRENT_USER, base + "\\Delay\\Title", "C:\\T\\tool.exe", REG_SZ, Sz("Tool")},
      {HKEY_LOCAL_MACHINE, std::string(kMachineKey) + "\\Korvane", "", REG_SZ, Sz("machine")},
      {HKEY_LOCAL_MACHINE, std::string(kMachineKey) + "\\Korvane\\Disabled", "Tool", REG_SZ,
       Sz("11")},
      {HKEY_LOCAL_MACHINE, std::string(kMachineKey) + "\\Korvane\\Disabled\\Run", "Tool", REG_SZ,
       Sz("C:\\T\\tool.exe")},
  };
}

void Seed(const std::vector<Seeded>& values) {
  for (const Seeded& v : values) WriteRegValue(v.root, v.key, v.name.c_str(), v.type, v.data);
}

bool ReadBack(const Seeded& v, RegRawValue& out) {
  return RegRawRead(v.root, v.key.c_str(), v.name.c_str(), out);
}

// Runs a program to its end; its exit code, or -1 when it could not be started.
int RunToEnd(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process))
    return -1;
  Handle thread(process.hThread), handle(process.hProcess);
  WaitForSingleObject(handle.get(), 60000);
  DWORD code = 0;
  GetExitCodeProcess(handle.get(), &code);
  return static_cast<int>(code);
}

// The test's roots are mapped below a real per-user key; "reg import" runs outside that
// mapping, so the headers are pointed at the mapped keys. The value lines stay as written.
std::string Rebased(const std::string& text, const std::string& sandboxKey) {
  const std::pair<std::string, std::string> roots[] = {
      {"[HKEY_CURRENT_USER\\", "[HKEY_CURRENT_USER\\" + sandboxKey + "\\HKCU\\"},
      {"[HKEY_LOCAL_MACHINE\\", "[HKEY_CURRENT_USER\\" + sandboxKey + "\\HKLM\\"}};
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(start, end - start);
    for (const auto& [from, to] : roots)
      if (line.rfind(from, 0) == 0) line = to + line.substr(from.size());
    out += line;
    start = end;
  }
  return out;
}

class BackupTest : public RegistrySandbox {
 protected:
  std::string Path(const char* name) const { return ScratchFolder() + "\\" + name; }
};

}  // namespace

TEST_F(BackupTest, ScriptHoldsEveryLevelEscapedAndTyped) {
  Seed(SettingsValues());
  const std::string path = Path("user-Korvane.reg");
  ASSERT_TRUE(BackupSettingsFile(path));
  const std::string text = FileText(path);
  EXPECT_EQ(0u, text.find("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\"
                          "Software\\Tamsel\\Korvane]\r\n"));
  for (const char* part :
       {"@=\"19/03/2008 10:00\"\r\n", "\"AUOptions\"=dword:00000004\r\n",
        "\"Quote \\\"and\\\" \\\\slash\\\\\"=\"\\\"C:\\\\Program Files\\\\a b\\\\x.exe\\\" -q "
        "\\\\\\\\server\\\\share\\\\\"\r\n",
        "\"Expand\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,6b,76,2e,65,78,65,00\r\n",
        "\"Multi\"=hex(7):6f,6e,65,00,74,77,6f,20,77,6f,72,64,73,00,00\r\n",
        "\"Lines\"=hex(1):66,69,72,73,74,0d,0a,73,65,63,6f,6e,64,00\r\n",
        "\r\n[HKEY_CURRENT_USER\\Software\\Tamsel\\Korvane\\Delay\\Time]\r\n"
        "\"C:\\\\T\\\\tool.exe\"=\"30\"\r\n",
        "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tamsel\\Korvane\\Disabled\\Run]\r\n",
        "\"Long\"=\"" })
    EXPECT_NE(std::string::npos, text.find(part)) << part;
  EXPECT_NE(std::string::npos, text.find(std::string(1000, 'L') + "\"\r\n"));
  EXPECT_EQ(std::string::npos, text.find("\n\n")) << "bare line feeds";
}

TEST_F(BackupTest, RegImportRestoresEveryValueIntoAnEmptiedTree) {
  const std::vector<Seeded> values = SettingsValues();
  Seed(values);
  const std::string path = Path("user-Korvane.reg");
  ASSERT_TRUE(BackupSettingsFile(path));

  ASSERT_EQ(1, SettingsDeleteKeyTree(HKEY_CURRENT_USER, kBaseKey));
  ASSERT_EQ(1, SettingsDeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineKey));
  RegRawValue gone;
  ASSERT_FALSE(ReadBack(values[1], gone));

  const std::string rebased = WriteScratchFile("import.reg", Rebased(FileText(path), ScratchKeyPath()));
  ASSERT_EQ(0, RunToEnd("reg.exe import \"" + rebased + "\""));
  for (const Seeded& v : values) {
    RegRawValue back;
    ASSERT_TRUE(ReadBack(v, back)) << v.key << " : " << v.name;
    EXPECT_EQ(v.type, back.type) << v.name;
    EXPECT_EQ(v.data, back.data) << v.name;
  }
}

TEST_F(BackupTest, RunKeysOfBothRootsAndAMissingKeyLeftOut) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool",
                 "C:\\T\\tool.exe");
  const std::string path = Path("RegRunBackup.reg");
  ASSERT_TRUE(BackupRunKeysFile(path));
  EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
            "\"Tool\"=\"C:\\\\T\\\\tool.exe\"\r\n",
            FileText(path));
}

TEST_F(BackupTest, UnwritableTargetFailsAndKeepsTheOldFile) {
  Seed(SettingsValues());
  const std::string path = Path("old.reg");
  WriteScratchFile("old.reg", "previous backup");
  // The new file is written beside the old one first; a folder in its place stops that.
  ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
  EXPECT_FALSE(BackupSettingsFile(path));
  EXPECT_NE(0u, GetLastError());
  EXPECT_EQ("previous backup", FileText(path));
  RemoveDirectoryA((path + ".new").c_str());

  EXPECT_FALSE(BackupSettingsFile(ScratchFolder() + "\\missing\\x.reg"));
  EXPECT_FALSE(PathExists(ScratchFolder() + "\\missing"));
}

TEST_F(BackupTest, ExportValuesCountsAndRefusesAMissingKey) {
  WriteRegString(HKEY_CURRENT_USER, "Software\\KvProbe", "", "x");
  WriteRegString(HKEY_CURRENT_USER, "Software\\KvProbe", "a", "1");
  ReportFile file(Path("values.reg"));
  EXPECT_EQ(2, ExportValues(file, HKEY_CURRENT_USER, "Software\\KvProbe"));
  EXPECT_EQ(-1, ExportValues(file, HKEY_CURRENT_USER, "Software\\KvMissing"));
  EXPECT_EQ(0, ExportKey(file, HKEY_CURRENT_USER, "Software\\KvMissing"));
  ASSERT_TRUE(file.Commit());
  const std::string text = FileText(Path("values.reg"));
  EXPECT_NE(std::string::npos, text.find("@=\"x\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("\"a\"=\"1\"\r\n"));
}
