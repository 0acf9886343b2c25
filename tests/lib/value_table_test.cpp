#include "startup/value_table.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"
#include "startup/reg_values.h"
#include "startup/snapshot.h"
#include "startup/snapshot_table.h"
#include "startup/startup_list.h"

namespace {

constexpr char kTableKey[] = "Software\\KvTable";
constexpr char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ValueTableTest : public RegistrySandbox {
 protected:
  // What a query of the single value reads, for comparing with the table's answer.
  static std::string Queried(const char* name, int capacity) {
    std::string out(static_cast<std::size_t>(capacity), '\0');
    ReadKeyText(HKEY_CURRENT_USER, kTableKey, name, out.data(), capacity);
    return out.c_str();
  }
  static std::string Tabled(const ValueTable& table, const char* name, int capacity) {
    std::string out(static_cast<std::size_t>(capacity), '\0');
    table.Text(name, out.data(), capacity);
    return out.c_str();
  }
};

}  // namespace

TEST_F(ValueTableTest, FindsEveryValueIgnoringCaseAndReadsTextAsAQueryDoes) {
  WriteRegString(HKEY_CURRENT_USER, kTableKey, "Tool", "11");
  WriteRegString(HKEY_CURRENT_USER, kTableKey, "", "default");
  WriteRegValue(HKEY_CURRENT_USER, kTableKey, "Number", REG_DWORD, std::string("\x0b\0\0\0", 4));
  WriteRegValue(HKEY_CURRENT_USER, kTableKey, "Nul", REG_SZ, std::string("12\0junk", 7));
  WriteRegValue(HKEY_CURRENT_USER, kTableKey, "Open", REG_SZ, "1234567");
  WriteRegString(HKEY_CURRENT_USER, kTableKey, "Large", std::string(5000, 'x'));
  WriteRegString(HKEY_CURRENT_USER, kTableKey, "Sch\xf6n", "umlaut");
  ValueTable table;
  ASSERT_TRUE(table.Read(HKEY_CURRENT_USER, kTableKey));
  EXPECT_TRUE(table.Opened());
  EXPECT_NE(nullptr, table.Find("TOOL"));
  EXPECT_NE(nullptr, table.Find("sch\xd6n"));
  EXPECT_NE(nullptr, table.Find("Number")) << "a value of any type is there";
  EXPECT_EQ(nullptr, table.Find("Tool "));
  EXPECT_EQ(nullptr, table.Find("Too"));
  for (const char* name : {"tool", "", "Number", "Nul", "Open", "Large", "Missing", "SCH\xd6N"})
    for (int capacity : {1, 3, 17, 300, 6000})
      EXPECT_EQ(Queried(name, capacity), Tabled(table, name, capacity))
          << "'" << name << "' into " << capacity;
  EXPECT_EQ(5001u, table.Find("large")->size) << "with its terminator";
}

TEST_F(ValueTableTest, AMissingKeyHoldsNothing) {
  ValueTable table;
  WriteRegString(HKEY_CURRENT_USER, kTableKey, "Tool", "11");
  ASSERT_TRUE(table.Read(HKEY_CURRENT_USER, kTableKey));
  EXPECT_FALSE(table.Read(HKEY_CURRENT_USER, "Software\\KvNoSuchKey"));
  EXPECT_FALSE(table.Opened());
  EXPECT_EQ(nullptr, table.Find("Tool"));
  char text[8] = "x";
  EXPECT_EQ(0, table.Text("Tool", text, sizeof text));
  EXPECT_STREQ("", text);
}

// The startup check reads the snapshot whole: its answers are those of one query per entry.
TEST_F(ValueTableTest, StartupCheckAnswersAsLookupsWouldWithTheSnapshotReadOnce) {
  WriteRegString(HKEY_CURRENT_USER, kUserRunKey, "Tool", "C:\\T\\Tool.EXE /x=1");
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "c:\\t\\tool.exe /x:1", "11");
  EXPECT_EQ(0, StartupChanged()) << "names compare ignoring case";
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "c:\\t\\tool.exe /x:1", "0");
  EXPECT_EQ(1, StartupChanged());
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "TOOL", "11");
  EXPECT_EQ(0, StartupChanged()) << "a command value of 0 falls through to the title";
  for (const std::string& data : {std::string(33, '1'), std::string("1103")}) {
    WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "TOOL", data);
    EXPECT_EQ(1, StartupChanged()) << data;
  }
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "TOOL", std::string(32, '0'));
  EXPECT_EQ(1, StartupChanged()) << "32 digits fit a query's buffer and read as 0";
  WriteRegValue(HKEY_CURRENT_USER, kKnownStartupKey, "TOOL", REG_DWORD,
                std::string("\x0b\0\0\0", 4));
  EXPECT_EQ(1, StartupChanged()) << "a value that is no text reads as 0";
  ItemListClear();
}

// Kept between checks only while nothing is written: every write after a quiet spell is seen.
TEST_F(ValueTableTest, TheSnapshotKeptBetweenChecksFollowsEveryWrite) {
  WriteRegString(HKEY_CURRENT_USER, kUserRunKey, "Tool", "C:\\T\\tool.exe");
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "C:\\T\\tool.exe", "11");
  EXPECT_EQ(0, StartupChanged());
  Sleep(2200);  // quiet long enough to be kept
  EXPECT_EQ(0, StartupChanged());
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownStartupKey, "C:\\T\\tool.exe");
  EXPECT_EQ(1, StartupChanged()) << "a deletion right after the kept read";
  Sleep(2200);
  EXPECT_EQ(1, StartupChanged());
  WriteRegString(HKEY_CURRENT_USER, kKnownStartupKey, "Tool", "11");
  EXPECT_EQ(0, StartupChanged()) << "a new value right after the kept read";
  EXPECT_NE(nullptr, SnapshotTable().Find("tool"));
  RegDeleteTreeA(HKEY_CURRENT_USER, kKnownStartupKey);
  EXPECT_EQ(nullptr, SnapshotTable().Find("tool")) << "the key itself gone";
  ItemListClear();
}

// A disabled entry put back under another letter case is still the disabled entry.
TEST_F(ValueTableTest, TheDisabledIndexReadOnceStillCatchesAReturningEntry) {
  WriteRegString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Tool", "11");
  WriteRegString(HKEY_LOCAL_MACHINE, std::string(kDisabledIndexKey) + "\\Run", "Tool",
                 "C:\\T\\tool.exe");
  WriteRegString(HKEY_CURRENT_USER, kUserRunKey, "TOOL", "C:\\T\\new.exe");
  WriteRegString(HKEY_CURRENT_USER, kUserRunKey, "Other", "C:\\T\\other.exe");
  ASSERT_EQ(2, BuildStartupList(1));
  const std::vector<ItemRow> rows = ReadItems();
  EXPECT_EQ("Other", rows[0].title);
  EXPECT_EQ("C:\\T\\new.exe", rows[1].command) << "listed once, as the disabled entry";
  EXPECT_EQ(11, rows[1].code);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kUserRunKey, "TOOL"));
  ItemListClear();
}
