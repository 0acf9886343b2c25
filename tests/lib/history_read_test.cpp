#include "records/history_read.h"

#include <string>
#include <vector>

#include "foundation/settings.h"
#include "records/history.h"
#include "records/history_undo.h"
#include "sandbox.h"

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class HistoryReadTest : public RegistrySandbox {
 protected:
  std::string Path() {
    char path[MAX_PATH] = "";
    EXPECT_GT(HistoryFilePath(path, sizeof path), 0);
    return path;
  }
  void WriteLog(const std::string& bytes) {
    FILE* file = std::fopen(Path().c_str(), "wb");
    ASSERT_NE(nullptr, file);
    ASSERT_EQ(bytes.size(), std::fwrite(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
  }
};

}  // namespace

TEST_F(HistoryReadTest, MissingLogIsEmptyAndHostileLogGivesWholeLines) {
  std::vector<HistoryRecord> records(3);
  DeleteFileA(Path().c_str());
  EXPECT_TRUE(HistoryReadRecords(records));
  EXPECT_TRUE(records.empty());

  std::string log = "d\t*START_Remove\tCURRENT_RUN\tA\ta.exe\t\r\n";
  log += std::string("d\tTASK_Kill\tINFO_TASK\tN\0L\tn.exe\t\r\n", 34);
  log += "d\tNO_SUCH\tNO_TYPE\t" + std::string(1u << 20, 'x') + "\tc\t\r\n";
  log += "d\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\tcut";  // a write cut short
  WriteLog(log);
  ASSERT_TRUE(HistoryReadRecords(records));
  ASSERT_EQ(3u, records.size());
  EXPECT_EQ("A", records[0].title);
  EXPECT_EQ(std::string("N\0L", 3), records[1].title);
  EXPECT_EQ("", records[2].title);
  EXPECT_EQ(3000, records[2].typeCode);
  EXPECT_FALSE(HistoryActionReversible(records[2].actionCode));
}

TEST_F(HistoryReadTest, ClearDeletesEvenAReadOnlyLog) {
  WriteLog("d\tTASK_Kill\tINFO_TASK\tt\tc\t\r\n");
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(HistoryClear());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path().c_str()));
  EXPECT_TRUE(HistoryClear()) << "nothing to delete is no failure";
}

TEST_F(HistoryReadTest, UndoPutsBackARemovedEntryAndLeavesOtherActionsAlone) {
  HistoryRecord removed;
  removed.title = "KvUndo";
  removed.command = "C:\\U\\undo.exe";
  removed.typeCode = 11;
  removed.actionCode = kActStartRemove;
  HistoryRecord killed = removed;
  killed.actionCode = kActTaskKill;
  EXPECT_EQ(0, HistoryUndo(killed));
  EXPECT_EQ("", ReadRegString(HKEY_CURRENT_USER, kRun, "KvUndo"));
  EXPECT_EQ(1, HistoryUndo(removed));
  EXPECT_EQ("C:\\U\\undo.exe", ReadRegString(HKEY_CURRENT_USER, kRun, "KvUndo"));
  EXPECT_EQ("11", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run", "C:\\U\\undo.exe"));
  HistoryRecord hidden;
  hidden.command = "C:\\nowhere\\gone.dll";
  hidden.actionCode = kActHiddenDeleteFile;
  EXPECT_EQ(0, HistoryUndo(hidden)) << "no copy in the vault";
}
