#include <gtest/gtest.h>

#include "command_args.h"
#include "machine_job_text.h"

namespace {

TEST(CommandArgsTest, SplitsTheWayWindowsProgramsRead) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(Words({"a", "b c", "d"}), CommandArgsSplit("  a \"b c\"\td  "));
  EXPECT_EQ(Words({"C:\\Program Files\\x.exe"}), CommandArgsSplit("\"C:\\Program Files\\x.exe\""));
  EXPECT_EQ(Words({"say \"hi\""}), CommandArgsSplit("\"say \\\"hi\\\"\""));
  EXPECT_EQ(Words({"a\\\\b"}), CommandArgsSplit("a\\\\b")) << "backslashes alone are literal";
  EXPECT_EQ(Words({"end\\"}), CommandArgsSplit("\"end\\\\\""));
  EXPECT_EQ(Words({"open"}), CommandArgsSplit("\"open")) << "an unclosed quote ends the line";
  EXPECT_EQ(Words({""}), CommandArgsSplit("\"\""));
}

TEST(CommandArgsTest, QuotedWordsComeBackUnchanged) {
  for (const std::string word :
       {"", "plain", "two words", "C:\\dir\\", "\\\"", "a\"b", "\\\\\"\\", "tab\there", "%s%n"}) {
    const std::vector<std::string> back = CommandArgsSplit("x.exe " + CommandArgQuote(word));
    ASSERT_EQ(2u, back.size()) << word;
    EXPECT_EQ(word, back[1]);
  }
}

TEST(MachineJobTextTest, FieldsSurviveTheCommandLine) {
  const MachineJobWords job = {"startup-remove", {"My \"Tool\"", "C:\\T\\t.exe /x", "", "1"}};
  const auto found = MachineJobWordsFind("\"C:\\K\\KorvaneEx.exe\" " + MachineJobArguments(job));
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(job.kind, found->kind);
  EXPECT_EQ(job.fields, found->fields);
}

TEST(MachineJobTextTest, NeedsTheSwitchAndAKind) {
  EXPECT_FALSE(MachineJobWordsFind("KorvaneEx.exe -Startup").has_value());
  EXPECT_FALSE(MachineJobWordsFind("KorvaneEx.exe -Job").has_value());
  EXPECT_FALSE(MachineJobWordsFind("KorvaneEx.exe \"-Job x\"").has_value())
      << "a quoted title that reads -Job is a field, not the switch";
  const auto found = MachineJobWordsFind("KorvaneEx.exe -job update-mode 3");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ("update-mode", found->kind);
  EXPECT_EQ(std::vector<std::string>({"3"}), found->fields);
}

}  // namespace
