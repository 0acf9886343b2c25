#include <gtest/gtest.h>

#include <string>

#include "paths_text.h"

namespace {

const char kWindows[] = "C:\\WINDOWS";
const char kProgramFiles[] = "D:\\Programs";

std::string Normalise(std::string_view command) {
  return NormaliseCommandText(command, kWindows, kProgramFiles);
}

}  // namespace

TEST(NormaliseCommand, DropsQuotesArgumentsAndSubstitutesFolders) {
  const struct {
    const char* command;
    const char* expected;
  } cases[] = {
      {"\"C:\\Program Files\\App\\app.exe\" -min", "C:\\PROGRAM FILES\\APP\\APP.EXE"},
      {"@c:\\x.exe,-101", "C:\\X.EXE"},
      {"C:\\tools\\lib.dll,Entry 1", "C:\\TOOLS\\LIB.DLL"},
      // The drive letter is the character before the last ':' of the copied name.
      {"file:d:\\b.exe", "D:\\B.EXE"},
      {"rundll32 shell32.dll,Control_RunDLL", "RUNDLL32 SHELL32.DLL"},
      // ".ini" does not end the name, so the argument stays.
      {"notepad c:\\a.ini x", "C:\\A.INI X"},
      {"\\SystemRoot\\System32\\drivers\\x.sys", "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\X.SYS"},
      {"%ProgramFiles%\\Tool\\t.exe /s", "D:\\PROGRAMS\\TOOL\\T.EXE"},
      // The environment form is replaced whole, so no stray "%" is left in the path.
      {"%SystemRoot%\\system32\\svchost.exe -k x", "C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE"},
      {"systemroot", "C:\\WINDOWS"},
      {"c:\\a.ex", "C:\\A.EX"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Normalise(c.command)) << c.command;
  EXPECT_EQ("\\A.EXE", NormaliseCommandText("\\SystemRoot\\a.exe", "", ""));
}

TEST(NormaliseCommand, LongInputsAreBoundedTo259) {
  EXPECT_EQ(259u, Normalise("C:\\" + std::string(400, 'a') + ".exe").size());
  // Past the containment limit the folder word is not recognised at all.
  EXPECT_EQ("\\SYSTEMROOT\\X.EXE", Normalise("\\SystemRoot\\x.exe " + std::string(800, ' ')));
}

TEST(SplitCommand, ProgramUpperCaseParametersAsGiven) {
  const struct {
    const char* command;
    const char* program;
    const char* parameters;
  } cases[] = {
      {"C:\\X\\upd.dll,Start", "C:\\X\\UPD.DLL", ",Start"},
      {"\"C:\\Program Files\\App\\app.exe\" /Q", "C:\\PROGRAM FILES\\APP\\APP.EXE", "\" /Q"},
      {"c:\\x\\a.app -p", "C:\\X\\A.APP", " -p"},
      {"%ProgramFiles%\\a.exe", "%PROGRAMFILES%\\A.EXE", ""},
      {"", "", ""},
  };
  std::string program, parameters;
  for (const auto& c : cases) {
    SplitCommand(c.command, program, parameters);
    EXPECT_EQ(c.program, program) << c.command;
    EXPECT_EQ(c.parameters, parameters) << c.command;
  }
  EXPECT_EQ(13u, SplitCommand("C:\\T\\tool.exe -min", program, parameters));
  EXPECT_EQ(" -min", parameters);

  // With a Windows folder the parameters still come from the original command.
  SplitCommand("\\SystemRoot\\System32\\svc.exe -k Net", kWindows, program, parameters);
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM32\\SVC.EXE", program);
  EXPECT_EQ(" -k Net", parameters);
  SplitCommand("\\SystemRoot\\System32\\svc.exe -k Net", std::string(250, 'w'), program,
               parameters);
  EXPECT_EQ(259u, program.size());
  EXPECT_EQ("\\svc.exe -k Net", parameters);
}

TEST(RundllTarget, TakesWhatFollowsRundll32AndOneSeparator) {
  std::string rest;
  EXPECT_EQ(1, RundllTarget("RUNDLL32.EXE C:\\X\\upd.dll,Start", rest));
  EXPECT_EQ("C:\\X\\upd.dll,Start", rest);
  EXPECT_EQ(1,
            RundllTarget("C:\\WINDOWS\\System32\\RunDll32.Exe shell32.dll,Control_RunDLL", rest));
  EXPECT_EQ("shell32.dll,Control_RunDLL", rest);
  EXPECT_EQ(1, RundllTarget("rundll32.exe", rest));
  EXPECT_EQ("", rest);
  EXPECT_EQ(0, RundllTarget("rundll32 shell32.dll,x", rest));
  EXPECT_EQ("rundll32 shell32.dll,x", rest);
  const std::string longCommand = "rundll32.exe a.dll," + std::string(800, 'x');
  EXPECT_EQ(0, RundllTarget(longCommand, rest));
  EXPECT_EQ(longCommand, rest);
}
