#include "filetype_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileTypeText, WatchedListEditing) {
  EXPECT_EQ((std::vector<std::string>{".AVI", ".txt"}), FileTypeListExtensions("AVI;;.;txt;"));
  EXPECT_EQ(kFileTypeAlreadyWatched, FileTypeAddCheck("AVI;BAT;", "bat"));
  EXPECT_EQ(kFileTypeAlreadyWatched, FileTypeAddCheck("AVI;", "a;b"));
  EXPECT_EQ(0, FileTypeAddCheck("AVI;BAT;", "BA"));
  const std::string full(1016, 'A');
  EXPECT_EQ(0, FileTypeAddCheck(full, "abc"));
  EXPECT_EQ(kFileTypeListFull, FileTypeAddCheck(full, "abcd"));
  EXPECT_EQ("AVI;BAT;", FileTypeListAppend("AVI", "BAT"));
  EXPECT_EQ("AVI;TXT;", FileTypeListRemove("AVI;bat;TXT;BAT", "BAT"));
  EXPECT_EQ(kFileTypeEntryMax + 1, FileTypeListExtensions(std::string(300, 'x'))[0].size());
}

TEST(FileTypeText, CommandsCompareFromTheLastBackslash) {
  EXPECT_FALSE(FileTypeCommandsDiffer("C:\\Old\\note.exe %1", "D:\\NEW\\NOTE.EXE %1"));
  EXPECT_TRUE(FileTypeCommandsDiffer("C:\\a\\note.exe %1", "C:\\a\\note.exe /p %1"));
  EXPECT_TRUE(FileTypeCommandsDiffer("note.exe", ""));
  // The store keeps the command as the registry has it: quotes are no change, '=' is itself.
  EXPECT_FALSE(
      FileTypeCommandsDiffer("C:\\a b\\note.exe /m=1 %1", "\"C:\\a b\\note.exe\" /m=1 \"%1\""));
  EXPECT_TRUE(FileTypeCommandsDiffer("C:\\a\\note.exe /m=1 %1", "C:\\a\\note.exe /m:1 %1"));
}

TEST(FileTypeText, ProgramNamesAndIcons) {
  EXPECT_EQ("shimgvw.dll,Show %1",
            FileTypeProgramText("C:\\W\\rundll32.exe shimgvw.dll,Show %1"));
  EXPECT_EQ("", FileTypeProgramText("rundll32.exe"));
  EXPECT_EQ("a.exe \"%1\"", FileTypeProgramText("a.exe \"%1\""));
  EXPECT_EQ("a.exe %1", FileTypeUnquoted("\"a.exe\" \"%1\""));
  std::string file;
  int index = 5;
  EXPECT_TRUE(FileTypeSplitIcon("C:\\a,b.dll,-12", file, index));
  EXPECT_EQ("C:\\a,b.dll", file);
  EXPECT_EQ(-12, index);
  EXPECT_FALSE(FileTypeSplitIcon("C:\\a.ico", file, index));
  EXPECT_EQ(0, index);
}
