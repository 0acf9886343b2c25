#include <gtest/gtest.h>

#include <string>

#include "command_name_text.h"

namespace {

std::string Shown(const std::string& command) {
  return command.substr(CommandFileNameOffset(command));
}

}  // namespace

TEST(CommandFileName, FolderOfTheProgramDroppedParametersKept) {
  EXPECT_EQ("tool.exe -min", Shown("C:\\Apps\\tool.exe -min"));
  EXPECT_EQ("tool.exe /log C:\\Logs\\t.txt", Shown("C:\\Apps\\tool.exe /log C:\\Logs\\t.txt"));
  EXPECT_EQ("upd.dll,Start", Shown("C:\\X\\upd.dll,Start"));
  EXPECT_EQ("tool.exe\" -x", Shown("\"C:\\Program Files\\tool.exe\" -x"));
  EXPECT_EQ("notepad", Shown("notepad"));
  EXPECT_EQ("", Shown(""));
  EXPECT_EQ("", Shown("C:\\Apps\\"));
  // No extension: the whole command counts, as the last backslash says.
  EXPECT_EQ("tool", Shown("C:\\Apps\\tool"));
}
