#include "foundation/paths.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "text.h"

namespace {

std::string ModulePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string TestFolder() { return ModulePath().substr(0, ModulePath().rfind('\\')); }

class PathsTest : public RegistrySandbox {
 protected:
  static std::string Data() {
    char folder[kPathSize] = "old";
    DataFolder(folder, kPathSize);
    return folder;
  }
  static bool Exists(std::string& name) {
    char buffer[kPathSize];
    CopyBounded(buffer, kPathSize, name);
    bool found = FileExists(buffer);
    name = buffer;
    return found;
  }
  static std::string Normalised(const char* command) {
    char path[kPathSize];
    NormaliseCommand(command, path, kPathSize);
    return path;
  }
  static std::string Browser(const char* command) {
    const char* key = "SOFTWARE\\Classes\\HTTP\\shell\\open\\command";
    if (command) SettingsWriteString(HKEY_LOCAL_MACHINE, key, "", command);
    char out[600];
    DefaultBrowserCommand(out, sizeof out);
    return out;
  }
  void Place(const char* sample, const char* as) {
    const std::string from = TestFolder() + "\\" + sample;
    ASSERT_TRUE(CopyFileA(from.c_str(), (ScratchFolder() + "\\" + as).c_str(), FALSE)) << from;
  }
  std::string Identity(const char* running) {
    char text[1025];
    const std::string path = ScratchFolder() + "\\" + running;
    int length = ProgramIdentityOf(ScratchFolder().c_str(), path.c_str(), text, sizeof text);
    EXPECT_EQ(std::string(text).size(), static_cast<size_t>(length));
    return text;
  }
};

TEST_F(PathsTest, ProgramAndDataFolders) {
  char folder[kPathSize], small[4];
  EXPECT_EQ(static_cast<int>(TestFolder().size()), ProgramFolder(folder, kPathSize));
  EXPECT_EQ(TestFolder(), folder);
  ProgramFolder(small, sizeof small);
  EXPECT_EQ(TestFolder().substr(0, 3), small);

  const char* shellFolders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  EXPECT_EQ(TestFolder(), Data());  // no AppData
  SettingsWriteString(HKEY_CURRENT_USER, shellFolders, "AppData", ScratchFolder().c_str());
  EXPECT_EQ(ScratchFolder() + "\\Korvane", Data());
  EXPECT_EQ(ScratchFolder() + "\\Korvane", Data());  // an existing folder is no error
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((Data() + "\\vault").c_str()));
  const std::string unreachable = ScratchFolder() + "\\a\\b";
  SettingsWriteString(HKEY_CURRENT_USER, shellFolders, "AppData", unreachable.c_str());
  EXPECT_EQ(TestFolder(), Data());  // vault cannot be made
}

TEST_F(PathsTest, LongPathAndFileExists) {
  std::string name = WriteScratchFile("a long name with blanks.text", "x");
  char shortForm[kPathSize], longForm[kPathSize];
  GetShortPathNameA(name.c_str(), shortForm, kPathSize);
  EXPECT_EQ(static_cast<int>(name.size()), LongPath(shortForm, longForm, kPathSize));
  EXPECT_EQ(0, LongPath("C:\\no\\such.txt", longForm, kPathSize));
  EXPECT_STREQ("C:\\no\\such.txt", longForm);

  EXPECT_TRUE(Exists(name));
  for (std::string absent : {ScratchFolder(), std::string(), std::string("no-such-program.exe")})
    EXPECT_FALSE(Exists(absent)) << absent;
  name = "notepad.exe";  // Windows folder: the name stays
  EXPECT_TRUE(Exists(name));
  EXPECT_EQ("notepad.exe", name);
  name = "kernel32.dll";  // System folder: rewritten to the full short form
  EXPECT_TRUE(Exists(name));
  EXPECT_EQ(name.size() - 13, UpperText(name).rfind("\\KERNEL32.DLL")) << name;
  EXPECT_EQ(':', name[1]) << name;
}

TEST_F(PathsTest, NormaliseCommandResolvesFolderReferences) {
  EXPECT_EQ("C:\\PROGRAM FILES\\T\\T.EXE", Normalised("%ProgramFiles%\\T\\t.exe /q"));
  SettingsWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                      "ProgramFilesDir", "D:\\Apps");
  EXPECT_EQ("D:\\APPS\\T\\T.EXE", Normalised("%ProgramFiles%\\T\\t.exe /q"));
  char windows[kPathSize], cut[5];
  GetWindowsDirectoryA(windows, kPathSize);
  EXPECT_EQ(UpperText(windows) + "\\SYSTEM32\\X.SYS",
            Normalised("\\SystemRoot\\System32\\x.sys"));
  EXPECT_EQ(4, NormaliseCommand("@C:\\x.dll,Entry", cut, sizeof cut));
  EXPECT_STREQ("C:\\X", cut);
}

TEST_F(PathsTest, DefaultBrowserAndItsKind) {
  EXPECT_EQ("\\iexplore.exe", Browser(nullptr));
  EXPECT_EQ(kBrowserIE, BrowserKind());
  SettingsWriteString(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE",
                      "Path", "C:\\IE;");
  EXPECT_EQ("C:\\IE\\iexplore.exe", Browser("\"\"-nohome"));
  EXPECT_EQ("C:\\Opera\\opera.exe ", Browser("\"C:\\Opera\\opera.exe\" -url \"%1\""));
  EXPECT_EQ(kBrowserIE, BrowserKind());
  // The kinds are tried in table order: the first name found in the command wins.
  Browser("C:\\Avant\\iexplore.exe");
  EXPECT_EQ(kBrowserIE, BrowserKind());
  Browser("C:\\Mozilla Firefox\\firefox.exe");
  EXPECT_EQ(kBrowserMozilla, BrowserKind());
  Browser("C:\\Firefox\\firefox.exe %1");
  EXPECT_EQ(kBrowserFirefox, BrowserKind());
}

TEST_F(PathsTest, ProgramIdentityJoinsBothVersions) {
  Place("kv_versioned_sample.exe", "Korvane.exe");
  EXPECT_EQ("1.2.3.4", Identity("Korvane.exe"));  // no companion
  Place("kv_versioned_sample_os.exe", "MyHiJackTool.exe");
  EXPECT_EQ("1.2.3.4:2.0", Identity("MyHiJackTool.exe"));
  Place("kv_versioned_sample_os.exe", "KorvaneEx.exe");
  EXPECT_EQ("1.2.3.4:2.0", Identity("KorvaneEx.exe"));
  Place("kv_versioned_sample.exe", "MyHiJackTool.exe");
  EXPECT_EQ("1.2.3.4:1.2.3.4", Identity("MyHiJackTool.exe"));

  char expected[1025], identity[1025];
  ProgramIdentityOf(TestFolder().c_str(), ModulePath().c_str(), expected, sizeof expected);
  ProgramIdentity(identity, sizeof identity);
  EXPECT_STREQ(expected, identity);
}

}  // namespace
