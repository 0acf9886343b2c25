#include "startup_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Items = std::vector<std::string_view>;

TEST(WinlogonExtra, UserinitAfterTheFirstCommaShellAfterTheFirstBlank) {
  const struct {
    int (*rule)(std::string_view, std::string&);
    const char* value;
    int result;
    const char* extra;
  } cases[] = {
      {UserinitExtraText, "C:\\W\\userinit.exe,  C:\\e.exe,C:\\b.exe", 1, "C:\\e.exe,C:\\b.exe"},
      {UserinitExtraText, "C:\\W\\userinit.exe,", 1, "C:\\W\\userinit.exe"},
      {UserinitExtraText, "C:\\W\\userinit.exe", 0, "C:\\W\\userinit.exe"},
      // Only blanks after the separator name no program: no entry with an empty command.
      {UserinitExtraText, "C:\\W\\userinit.exe,   ", 0, ""},
      {UserinitExtraText, "", 0, ""},
      {ShellExtraText, "Explorer.exe", 1, "Explorer.exe"},
      {ShellExtraText, "Explorer.exe   C:\\evil.exe x", 1, "C:\\evil.exe x"},
      {ShellExtraText, " Explorer.exe", 1, "Explorer.exe"},
      {ShellExtraText, "Explorer.exe    ", 0, ""},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(c.result, c.rule(c.value, out)) << c.value;
    EXPECT_EQ(c.extra, out) << c.value;
  }
}

TEST(StartupText, SplitTitleAndFileKind) {
  EXPECT_EQ((Items{"C:\\a\\long.dll", "C:\\b.dll"}),
            SplitItems("C:\\a\\long.dll, C:\\b.dll", ", "));
  EXPECT_EQ((Items{" b"}), SplitItems(";; b;", ";"));
  EXPECT_TRUE(SplitItems(";;;", ";").empty());

  EXPECT_EQ("app", TitleFromCommand("C:\\Tools\\app.exe"));
  EXPECT_EQ("run", TitleFromCommand("run.bat"));
  EXPECT_EQ("", TitleFromCommand("C:\\Tools\\a.ex"));
  EXPECT_EQ("", TitleFromCommand("C:\\Tools\\"));

  EXPECT_EQ(StartupFileKind::kShortcut, StartupFileKindOf("App.LNK"));
  EXPECT_EQ(StartupFileKind::kProgram, StartupFileKindOf("tool.exe"));
  EXPECT_EQ(StartupFileKind::kSettings, StartupFileKindOf("desktop.ini"));
  EXPECT_EQ(StartupFileKind::kShortcut, StartupFileKindOf("nodotlnk"));
  EXPECT_EQ(StartupFileKind::kOther, StartupFileKindOf("ex"));
}
