#include "startup_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Userinit(std::string_view value, int expected) {
  std::string out = "stale";
  EXPECT_EQ(expected, UserinitExtraText(value, out)) << value;
  return out;
}

std::string Shell(std::string_view value, int expected) {
  std::string out = "stale";
  EXPECT_EQ(expected, ShellExtraText(value, out)) << value;
  return out;
}

std::vector<std::string> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string> items;
  for (std::string_view item : SplitItems(text, separators)) items.emplace_back(item);
  return items;
}

}  // namespace

TEST(WinlogonExtra, UserinitTakesWhatFollowsTheFirstComma) {
  EXPECT_EQ("C:\\evil.exe,C:\\b.exe", Userinit("C:\\W\\userinit.exe,  C:\\evil.exe,C:\\b.exe", 1));
  EXPECT_EQ("C:\\W\\userinit.exe", Userinit("C:\\W\\userinit.exe,", 1));
  EXPECT_EQ("C:\\W\\userinit.exe", Userinit("C:\\W\\userinit.exe", 0));
  EXPECT_EQ("", Userinit("", 0));
  // Only blanks after the comma name no program: no entry with an empty command.
  EXPECT_EQ("", Userinit("C:\\W\\userinit.exe,   ", 0));
  EXPECT_EQ("", Userinit(",", 0));
}

TEST(WinlogonExtra, ShellTakesWhatFollowsTheFirstBlank) {
  EXPECT_EQ("Explorer.exe", Shell("Explorer.exe", 1));
  EXPECT_EQ("C:\\evil.exe x", Shell("Explorer.exe   C:\\evil.exe x", 1));
  EXPECT_EQ("Explorer.exe", Shell("Explorer.exe ", 1));
  EXPECT_EQ("Explorer.exe", Shell(" Explorer.exe", 1));
  EXPECT_EQ("", Shell("", 0));
  EXPECT_EQ("", Shell("Explorer.exe    ", 0));
}

TEST(SplitItems, DropsEmptyPieces) {
  EXPECT_EQ((std::vector<std::string>{"a.exe", "b.exe"}), Split("a.exe;;b.exe", ";"));
  EXPECT_EQ((std::vector<std::string>{"C:\\a\\long.dll", "C:\\b.dll"}),
            Split("C:\\a\\long.dll, C:\\b.dll", ", "));
  EXPECT_EQ((std::vector<std::string>{" b"}), Split(";; b;", ";"));
  EXPECT_TRUE(Split("", ";").empty());
  EXPECT_TRUE(Split(";;;", ";").empty());
  EXPECT_EQ((std::vector<std::string>{"x"}), Split("x", ""));
}

TEST(TitleFromCommand, FileNameWithoutItsLastFourCharacters) {
  EXPECT_EQ("app", TitleFromCommand("C:\\Tools\\app.exe"));
  EXPECT_EQ("notes", TitleFromCommand("C:\\Start Menu\\notes.txt"));
  EXPECT_EQ("", TitleFromCommand("C:\\Tools\\a.ex"));
  EXPECT_EQ("", TitleFromCommand("C:\\Tools\\"));
  EXPECT_EQ("run", TitleFromCommand("run.bat"));
  EXPECT_EQ("", TitleFromCommand(""));
}

TEST(StartupFileKind, ToldByTheLastThreeCharacters) {
  EXPECT_EQ(StartupFileKind::kShortcut, StartupFileKindOf("App.LNK"));
  EXPECT_EQ(StartupFileKind::kProgram, StartupFileKindOf("tool.exe"));
  EXPECT_EQ(StartupFileKind::kSettings, StartupFileKindOf("desktop.ini"));
  EXPECT_EQ(StartupFileKind::kShortcut, StartupFileKindOf("nodotlnk"));
  EXPECT_EQ(StartupFileKind::kOther, StartupFileKindOf("notes.txt"));
  EXPECT_EQ(StartupFileKind::kOther, StartupFileKindOf("ex"));
  EXPECT_EQ(StartupFileKind::kOther, StartupFileKindOf(""));
}
