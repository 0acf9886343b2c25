// The spreadsheet export over a seeded, sandboxed machine, read back with a strict RFC 4180
// reader: hostile titles stay inside their field and never start a formula.
#include "reports/report_spreadsheet.h"

#include <windows.h>

#include <string>
#include <vector>

#include "csv_text.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kHostile[] = "Evil, \"Inc\"\r\nSecond line";

using Records = std::vector<std::vector<std::string>>;

Records ReadAll(const std::string& text) {
  Records records;
  std::size_t pos = 0;
  std::vector<std::string> fields;
  while (CsvReadRecord(text, pos, fields)) records.push_back(fields);
  EXPECT_EQ(text.size(), pos) << "the reader stopped early";
  return records;
}

const std::vector<std::string>* FindTitle(const Records& records, const std::string& title) {
  for (const auto& record : records)
    if (record.size() > 2 && record[2] == title) return &record;
  return nullptr;
}

class SpreadsheetTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    sample_ = ProgramFile("kv_versioned_sample.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, "Tool", sample_ + " /t");
    WriteRegString(HKEY_CURRENT_USER, kRunKey, kHostile, sample_ + " /evil");
    WriteRegString(HKEY_CURRENT_USER, kRunKey, "=cmd|' /C calc'!A0", "-2+3 @SUM(A1)");
  }
  std::string Written() {
    const std::string path = ScratchFolder() + "\\KorvaneLog.csv";
    EXPECT_TRUE(WriteSpreadsheetFile(path)) << GetLastError();
    return FileText(path);
  }
  std::string sample_;
};

}  // namespace

TEST_F(SpreadsheetTest, HeaderAndColumnsInOrder) {
  const Records records = ReadAll(Written());
  ASSERT_GE(records.size(), 3u);
  ASSERT_EQ(1u, records[0].size());
  EXPECT_EQ(0u, records[0][0].find("Log created by "));
  ASSERT_EQ(1u, records[1].size()) << "the comma of the time stays in its field";
  EXPECT_EQ(0u, records[1][0].find("Scan saved at "));
  EXPECT_EQ((std::vector<std::string>{"Type", "SubType", "Title", "Filename", "Company",
                                      "First Detected", "Path", "Description", "Version",
                                      "Signature"}),
            records[2]);
  for (std::size_t i = 3; i < records.size(); ++i) EXPECT_EQ(10u, records[i].size()) << i;
}

TEST_F(SpreadsheetTest, SeededEntriesKeepTheirFieldsWhateverTheyHold) {
  const Records records = ReadAll(Written());
  const auto* tool = FindTitle(records, "Tool");
  ASSERT_NE(nullptr, tool);
  EXPECT_EQ((std::vector<std::string>{"HKLM", "Run", "Tool", "kv_versioned_sample.exe",
                                      "Korvane Tests", "", sample_ + " /t", "Sample program",
                                      "1.2.3.4", "Not signed"}),
            *tool);
  const auto* hostile = FindTitle(records, kHostile);
  ASSERT_NE(nullptr, hostile);
  EXPECT_EQ("HKCU", (*hostile)[0]);
  EXPECT_EQ(sample_ + " /evil", (*hostile)[6]);
  const auto* formula = FindTitle(records, "'=cmd|' /C calc'!A0");
  ASSERT_NE(nullptr, formula);
  EXPECT_EQ("'-2+3 @SUM(A1)", (*formula)[6]);
  for (const auto& record : records)
    for (const std::string& field : record)
      EXPECT_TRUE(field.empty() || (field[0] != '=' && field[0] != '+' && field[0] != '-' &&
                                    field[0] != '@'))
          << field;
}

TEST_F(SpreadsheetTest, FailedWriteKeepsTheOldExport) {
  const std::string path = WriteScratchFile("KorvaneLog.csv", "old,export\r\n");
  ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
  EXPECT_FALSE(WriteSpreadsheetFile(path));
  EXPECT_EQ("old,export\r\n", FileText(path));
  RemoveDirectoryA((path + ".new").c_str());
}
