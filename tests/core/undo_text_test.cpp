#include "undo_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

UndoEntry Lined(unsigned long seq, int action, const std::string& title, const std::string& stamp,
                unsigned long long bytes = 10) {
  UndoEntry e;
  e.seq = seq;
  e.actions = std::to_string(action);
  e.typeCode = 800;
  e.title = title;
  e.command = "C:\\WINDOWS\\Tasks\\" + title + ".job";
  e.bytes = bytes;
  e.lined = true;
  e.actionCode = action;
  e.stamp = stamp;
  return e;
}

HistoryRecord RowOf(const UndoEntry& e) { return UndoEntryRow(e); }

}  // namespace

TEST(UndoFields, AnyBytesRoundTripAndBrokenRunsAreRefused) {
  const std::vector<std::string> fields = {"", "a:b", std::string("\0\n\t;9", 5),
                                           std::string(70000, 'x')};
  const auto back = UndoParseFields(UndoFieldsText(fields));
  ASSERT_TRUE(back);
  EXPECT_EQ(fields, *back);
  for (const char* broken : {"3:ab", "x:a", "2a", ":", "-1:a", "99999999999999:a", "1:a1", "01:a"})
    EXPECT_FALSE(UndoParseFields(broken)) << broken;
  EXPECT_TRUE(UndoParseFields("")->empty());
  // A number field is read whole or not at all: a tampered record must not pass as another.
  EXPECT_EQ(4, UndoFieldNumber("4"));
  EXPECT_EQ(123456789, UndoFieldNumber("123456789"));
  for (const char* broken : {"", "-1", "+2", " 2", "2 ", "2x", "1234567890"})
    EXPECT_EQ(-1, UndoFieldNumber(broken)) << broken;
}

TEST(UndoIndex, EventsFoldIntoEntriesAndACutShortTailIsIgnored) {
  UndoEntry recorded = Lined(7, 4, "Nightly", "");
  recorded.lined = false;
  recorded.actions = "9,12";
  recorded.undoAction = 11;
  std::string text = UndoRecordEvent(recorded);
  text += UndoLineEvent(7, 12, "extra\ttext", "12/06/2026  2:05 PM");
  text += UndoLineEvent(7, 9, "second line ignored", "later");
  text += UndoUndoneEvent(7);
  text += UndoLineEvent(99, 9, "no such record", "x");
  const std::string whole = text;
  text += UndoRecordEvent(Lined(8, 4, "Cut", "")).substr(0, 20);
  const auto entries = UndoParseIndex(text);
  ASSERT_EQ(1u, entries.size());
  const UndoEntry& e = entries[0];
  EXPECT_EQ(7u, e.seq);
  EXPECT_EQ(11, e.undoAction);
  EXPECT_TRUE(e.lined);
  EXPECT_EQ(12, e.actionCode);
  EXPECT_EQ("extra\ttext", e.extra);
  EXPECT_TRUE(e.undone);
  EXPECT_TRUE(UndoEntryTakes(e, 9));
  EXPECT_TRUE(UndoEntryTakes(e, 12));
  EXPECT_FALSE(UndoEntryTakes(e, 1));
  EXPECT_FALSE(UndoEntryTakes(e, 19)) << "codes are whole numbers, not digits";
  EXPECT_EQ(UndoParseIndex(whole).size(), UndoParseIndex(UndoIndexText(entries)).size());
  EXPECT_EQ(UndoIndexText(entries), UndoIndexText(UndoParseIndex(UndoIndexText(entries))));
}

TEST(UndoIndex, GarbageInTheMiddleKeepsWhatCameBefore) {
  std::string text = UndoRecordEvent(Lined(1, 4, "A", ""));
  text += "3;1:R\n";  // count says three, one field follows
  text += UndoRecordEvent(Lined(2, 4, "B", ""));
  const auto entries = UndoParseIndex(text);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ("A", entries[0].title);
  EXPECT_TRUE(UndoParseIndex(std::string(1000, '\0')).empty());
}

TEST(UndoMatch, RowsFindTheirRecordFromTheNewestAndOthersFindNone) {
  const std::string stamp = "12/06/2026  2:05 PM";
  std::vector<UndoEntry> entries = {Lined(1, 4, "Same", stamp), Lined(2, 4, "Other", stamp),
                                    Lined(3, 4, "Same", stamp)};
  UndoEntry waiting = Lined(4, 4, "Same", stamp);
  waiting.lined = false;
  entries.push_back(waiting);
  std::vector<HistoryRecord> rows = {RowOf(entries[0]), RowOf(entries[0]), RowOf(entries[0]),
                                     RowOf(entries[1])};
  HistoryRecord alert = RowOf(entries[1]);
  alert.actionCode = 7;  // TASK_Alert, same texts
  rows.push_back(alert);
  const auto matched = UndoMatchRows(rows, entries);
  EXPECT_EQ((std::vector<long>{-1, 0, 2, 1, -1}), matched)
      << "the oldest of three equal lines lost its record; the unlined one matches nothing";
}

TEST(UndoMatch, FieldsCutByTheLogStillMatch) {
  UndoEntry e = Lined(5, 3, std::string(200, 't'), "12/06/2026  2:05 PM");
  e.command = "tab\there";
  e.extra = std::string(300, 'e');
  const std::string line = HistoryLineText(e.stamp, HistoryActionNameOf(3), HistoryTypeNameOf(800),
                                           e.title, e.command, e.extra);
  const auto rows = ParseHistoryText(line);
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ((std::vector<long>{0}), UndoMatchRows(rows, {e}));
}

TEST(UndoBound, OldestGoFirstByCountOrBytesAndStaleUnlinedGo) {
  std::vector<UndoEntry> entries;
  for (unsigned long seq = 1; seq <= 6; ++seq) entries.push_back(Lined(seq, 4, "T", "s", 100));
  EXPECT_TRUE(UndoDropList(entries, 6, 600, 2).empty());
  EXPECT_EQ((std::vector<unsigned long>{1, 2}), UndoDropList(entries, 4, 10000, 2));
  EXPECT_EQ((std::vector<unsigned long>{1, 2, 3}), UndoDropList(entries, 10, 350, 2));
  entries[1].lined = false;  // seq 2, four newer records
  entries[5].lined = false;  // seq 6, the newest: its line may still come
  EXPECT_EQ((std::vector<unsigned long>{2}), UndoDropList(entries, 10, 10000, 2));
  entries[0].bytes = 1000;
  EXPECT_EQ((std::vector<unsigned long>{1, 2}), UndoDropList(entries, 10, 600, 2));
}

TEST(UndoData, PartsRoundTripAndOtherDataIsRefused) {
  const UndoParts parts = {{kUndoPartFile, std::string("C\0D", 3)}, {kUndoPartService, ""}};
  UndoParts back;
  ASSERT_TRUE(UndoDataParts(UndoDataText(parts), back));
  EXPECT_EQ(parts, back);
  EXPECT_FALSE(UndoDataParts(UndoFieldsText({"KVUNDO2", "file", "x"}), back));
  EXPECT_FALSE(UndoDataParts(UndoFieldsText({"KVUNDO1", "file"}), back));
  EXPECT_FALSE(UndoDataParts("garbage", back));
}

TEST(UndoActions, TheRecordedActionsAreTheActionsThatKeepUndoData) {
  for (int code : {1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 32, 33, 34, 35, 36, 37})
    EXPECT_TRUE(UndoActionRecorded(code)) << code;
  for (int code : {0, 29, 5, 6, 18, 31, -1, 38}) EXPECT_FALSE(UndoActionRecorded(code)) << code;
  EXPECT_STREQ("FILETYPE_Restore", HistoryActionNameOf(32));
  EXPECT_STREQ("UNDO_Restore", HistoryActionNameOf(35));
  EXPECT_FALSE(HistoryActionReversible(35));
}
