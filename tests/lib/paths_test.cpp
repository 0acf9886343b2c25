#include "foundation/paths.h"

#include <string>

#include "foundation/settings.h"
#include "lookup/info.h"
#include "sandbox.h"
#include "text.h"

namespace {

std::string TestFolder() {
  const std::string self = ProgramFile("");
  return self.substr(0, self.size() - 1);
}

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
    const bool found = FileExists(buffer);
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
  // The identity of a copy of a sample program running as the given name in the scratch folder.
  std::string Identity(const char* sample, const char* running) {
    const std::string path = ScratchFolder() + "\\" + running;
    EXPECT_TRUE(CopyFileA(ProgramFile(sample).c_str(), path.c_str(), FALSE));
    char text[1025];
    const int length = ProgramIdentityOf(ScratchFolder().c_str(), path.c_str(), text, sizeof text);
    EXPECT_EQ(std::string(text).size(), static_cast<size_t>(length));
    return text;
  }
  static std::string InfoAddressOf(const std::string& path, bool detailed) {
    char out[2048];
    InfoAddress(11, path.c_str(), "Title", detailed, out, sizeof out);
    return out;
  }
};

TEST_F(PathsTest, ProgramAndDataFolders) {
  char folder[kPathSize];
  EXPECT_EQ(static_cast<int>(TestFolder().size()), ProgramFolder(folder, kPathSize));
  EXPECT_EQ(TestFolder(), folder);
  EXPECT_EQ(TestFolder(), Data());  // no AppData
  SetShellFolder("AppData", ScratchFolder());
  EXPECT_EQ(ScratchFolder() + "\\Korvane", Data());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((Data() + "\\vault").c_str()));
  const std::string unreachable = ScratchFolder() + "\\a\\b";
  SetShellFolder("AppData", unreachable);
  EXPECT_EQ(TestFolder(), Data());  // vault cannot be made
}

TEST_F(PathsTest, FileExistsSearchesTheWindowsAndSystemFolders) {
  std::string name = WriteScratchFile("a long name with blanks.text", "x");
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
  EXPECT_EQ(UpperText(windows) + "\\SYSTEM32\\X.SYS", Normalised("\\SystemRoot\\System32\\x.sys"));
  EXPECT_EQ(4, NormaliseCommand("@C:\\x.dll,Entry", cut, sizeof cut));
  EXPECT_STREQ("C:\\X", cut);
}

TEST_F(PathsTest, DefaultBrowserAndItsKind) {
  EXPECT_EQ("\\iexplore.exe", Browser(nullptr));
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
  EXPECT_EQ("1.2.3.4", Identity("kv_versioned_sample.exe", "Korvane.exe"));  // no companion
  EXPECT_EQ("1.2.3.4:2.0", Identity("kv_versioned_sample_os.exe", "MyHiJackTool.exe"));
  EXPECT_EQ("1.2.3.4:2.0", Identity("kv_versioned_sample_os.exe", "KorvaneEx.exe"));
  EXPECT_EQ("1.2.3.4:1.2.3.4", Identity("kv_versioned_sample.exe", "MyHiJackTool.exe"));
}

TEST_F(PathsTest, KnowledgeBasePagesStayInTheirFolder) {
  const std::string folder = ProgramFile("kbase");
  const bool made = CreateDirectoryA(folder.c_str(), nullptr) != 0;
  const std::string page = folder + "\\setup_tool.html";
  CloseHandle(CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  char found[MAX_PATH];
  EXPECT_TRUE(KnowledgeBasePage("..\\..\\..\\setup tool-2.exe", found, MAX_PATH));
  EXPECT_STRCASEEQ(page.c_str(), found);
  EXPECT_FALSE(KnowledgeBasePage("C:\\other.exe", found, MAX_PATH));
  EXPECT_STREQ("", found);
  EXPECT_FALSE(KnowledgeBasePage(std::string(400, 'k').c_str(), found, MAX_PATH));
  DeleteFileA(page.c_str());
  if (made) RemoveDirectoryA(folder.c_str());
}

TEST_F(PathsTest, InfoAddressesCarryTheProgramsFactsAndOnlyAWebBase) {
  const std::string command = "\"" + ProgramFile("kv_versioned_sample.exe") + "\" -x";
  EXPECT_EQ(0u, InfoAddressOf(command, false)
                    .find("http://www.example.com/cgi-bin/veltinfo.pl?program="
                          "KV_VERSIONED_SAMPLE.EXE&vendor=Korvane%20Tests&version=1.2.3.4"));
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kLookupBaseValue, "https://kb.example.org");
  const std::string detailed = InfoAddressOf(command, true);
  EXPECT_EQ(0u, detailed.find("https://kb.example.org/cgi-bin/veltinfo12.pl?program="))
      << detailed;
  EXPECT_NE(std::string::npos, detailed.find("&name=Versioned%20Sample&copy=Copyright"));
  // A base that would start a program instead of a browser is not taken.
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kLookupBaseValue, "C:\\evil.exe ");
  EXPECT_EQ(0u, InfoAddressOf("", false).find("http://www.example.com/cgi-bin/veltinfo.pl?"
                                              "program=Title&vendor=&"));
}

}  // namespace
