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

TEST(PathParts, FileNameAndOffset) {
  std::string name = "stale";
  EXPECT_TRUE(FileNamePart("C:\\a\\b.txt", name));
  EXPECT_EQ("b.txt", name);
  EXPECT_EQ(5u, FileNameOffset("C:\\a\\b.txt"));
  EXPECT_FALSE(FileNamePart("b.txt", name));
  EXPECT_EQ("", name);
  EXPECT_EQ(0u, FileNameOffset("b.txt"));
  EXPECT_TRUE(FileNamePart("C:\\dir\\", name));
  EXPECT_EQ("", name);
  EXPECT_EQ(7u, FileNameOffset("C:\\dir\\"));
}

TEST(PathParts, ExtensionStartsAtTheFirstDot) {
  std::string ext;
  EXPECT_TRUE(Extension("archive.tar.gz", ext));
  EXPECT_EQ("tar.gz", ext);
  EXPECT_TRUE(Extension("name.", ext));
  EXPECT_EQ("", ext);
  EXPECT_FALSE(Extension("README", ext));
}

TEST(NormaliseCommand, DropsQuotesAndArguments) {
  EXPECT_EQ("C:\\PROGRAM FILES\\APP\\APP.EXE", Normalise("\"C:\\Program Files\\App\\app.exe\" -min"));
  EXPECT_EQ("C:\\X.EXE", Normalise("@c:\\x.exe,-101"));
  EXPECT_EQ("C:\\TOOLS\\LIB.DLL", Normalise("C:\\tools\\lib.dll,Entry 1"));
  // The drive letter is the character before the last ':' of the copied name.
  EXPECT_EQ("D:\\B.EXE", Normalise("file:d:\\b.exe"));
  EXPECT_EQ(":A.EXE", Normalise(":a.exe"));
}

TEST(NormaliseCommand, WithoutDriveKeepsTheWholeTextUpToTheDll) {
  EXPECT_EQ("RUNDLL32 SHELL32.DLL", Normalise("rundll32 shell32.dll,Control_RunDLL"));
  // ".ini" does not end the name, so the argument stays.
  EXPECT_EQ("C:\\A.INI X", Normalise("notepad c:\\a.ini x"));
}

TEST(NormaliseCommand, SubstitutesTheFolders) {
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM32\\DRIVERS\\X.SYS", Normalise("\\SystemRoot\\System32\\drivers\\x.sys"));
  EXPECT_EQ("D:\\PROGRAMS\\TOOL\\T.EXE", Normalise("%ProgramFiles%\\Tool\\t.exe /s"));
  // The environment form is replaced whole, so no stray "%" is left in the path.
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE", Normalise("%SystemRoot%\\system32\\svchost.exe -k x"));
}

TEST(NormaliseCommand, ShortAndCutOffInputsStayInRange) {
  EXPECT_EQ("", Normalise(""));
  EXPECT_EQ("C:\\WINDOWS", Normalise("systemroot"));
  EXPECT_EQ("D:\\PROGRAMS", Normalise("%programfiles%"));
  EXPECT_EQ("C:\\A.EX", Normalise("c:\\a.ex"));
  EXPECT_EQ(".X", Normalise(".x"));
  EXPECT_EQ("C:\\WINDOWS", NormaliseCommandText("SystemRoot", kWindows, ""));
  EXPECT_EQ("\\A.EXE", NormaliseCommandText("\\SystemRoot\\a.exe", "", ""));
}

TEST(NormaliseCommand, LongInputsAreBoundedTo259) {
  const std::string longName = "C:\\" + std::string(400, 'a') + ".exe";
  const std::string result = Normalise(longName);
  EXPECT_EQ(259u, result.size());
  EXPECT_EQ("C:\\AAA", result.substr(0, 6));

  // A folder too long for a path still gives a bounded result.
  EXPECT_EQ(259u, NormaliseCommandText("\\SystemRoot\\x.exe", std::string(300, 'w'), "").size());

  // Past the containment limit the folder word is not recognised at all.
  const std::string hugeCommand = "\\SystemRoot\\x.exe " + std::string(800, ' ');
  EXPECT_EQ("\\SYSTEMROOT\\X.EXE", Normalise(hugeCommand));
}

TEST(SplitCommand, ProgramUpperCaseParametersAsGiven) {
  std::string program, parameters;
  EXPECT_EQ(13u, SplitCommand("C:\\T\\tool.exe -min", program, parameters));
  EXPECT_EQ("C:\\T\\TOOL.EXE", program);
  EXPECT_EQ(" -min", parameters);

  SplitCommand("C:\\X\\upd.dll,Start", program, parameters);
  EXPECT_EQ("C:\\X\\UPD.DLL", program);
  EXPECT_EQ(",Start", parameters);

  SplitCommand("\"C:\\Program Files\\App\\app.exe\" /Quiet", program, parameters);
  EXPECT_EQ("C:\\PROGRAM FILES\\APP\\APP.EXE", program);
  EXPECT_EQ("\" /Quiet", parameters);

  SplitCommand("c:\\t\\tool.exe", program, parameters);
  EXPECT_EQ("C:\\T\\TOOL.EXE", program);
  EXPECT_EQ("", parameters);

  EXPECT_EQ(0u, SplitCommand("", program, parameters));
  EXPECT_EQ("", program);
  EXPECT_EQ("", parameters);
}

TEST(SplitCommand, PAlsoEndsTheProgramButProgramFilesIsNotSubstituted) {
  std::string program, parameters;
  SplitCommand("c:\\x\\a.app -p", program, parameters);
  EXPECT_EQ("C:\\X\\A.APP", program);
  EXPECT_EQ(" -p", parameters);
  SplitCommand("%ProgramFiles%\\a.exe", program, parameters);
  EXPECT_EQ("%PROGRAMFILES%\\A.EXE", program);
}

TEST(SplitCommand, SystemRootParametersComeFromTheOriginalCommand) {
  std::string program, parameters;
  SplitCommand("\\SystemRoot\\System32\\svc.exe -k Net", kWindows, program, parameters);
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM32\\SVC.EXE", program);
  EXPECT_EQ(" -k Net", parameters);

  SplitCommand("\\SystemRoot\\System32\\svc.exe -k Net", std::string(250, 'w'), program, parameters);
  EXPECT_EQ(259u, program.size());
  EXPECT_EQ("\\svc.exe -k Net", parameters);

  SplitCommand("SYSTEMROOT", kWindows, program, parameters);
  EXPECT_EQ("C:\\WINDOWS", program);
  EXPECT_EQ("", parameters);
}

TEST(RundllTarget, TakesWhatFollowsRundll32AndOneSeparator) {
  std::string rest;
  EXPECT_EQ(1, RundllTarget("RUNDLL32.EXE C:\\X\\upd.dll,Start", rest));
  EXPECT_EQ("C:\\X\\upd.dll,Start", rest);
  EXPECT_EQ(1, RundllTarget("C:\\WINDOWS\\System32\\RunDll32.Exe shell32.dll,Control_RunDLL", rest));
  EXPECT_EQ("shell32.dll,Control_RunDLL", rest);
  EXPECT_EQ(1, RundllTarget("rundll32.exe", rest));
  EXPECT_EQ("", rest);
}

TEST(RundllTarget, OtherCommandsPassThrough) {
  std::string rest;
  EXPECT_EQ(0, RundllTarget("rundll32 shell32.dll,x", rest));
  EXPECT_EQ("rundll32 shell32.dll,x", rest);
  EXPECT_EQ(0, RundllTarget("", rest));
  EXPECT_EQ("", rest);
  const std::string longCommand = "rundll32.exe a.dll," + std::string(800, 'x');
  EXPECT_EQ(0, RundllTarget(longCommand, rest));
  EXPECT_EQ(longCommand, rest);
}
