#include "lookup/info.h"

#include <fstream>
#include <iterator>
#include <string>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "sandbox.h"

namespace {

std::string ExeFolder() {
  char folder[MAX_PATH] = "";
  ProgramFolder(folder, sizeof folder);
  return folder;
}

std::string Address(const std::string& path, bool detailed) {
  char out[2048];
  InfoAddress(11, path.c_str(), "Title", detailed, out, sizeof out);
  return out;
}

using InfoTest = RegistrySandbox;

TEST_F(InfoTest, KnowledgeBasePagesStayInTheirFolder) {
  const std::string folder = ExeFolder() + "\\kbase";
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

TEST_F(InfoTest, AddressesCarryTheProgramsFactsAndOnlyAWebBase) {
  const std::string command = "\"" + ExeFolder() + "\\kv_versioned_sample.exe\" -x";
  const std::string brief = Address(command, false);
  EXPECT_EQ(0u, brief.find("http://www.example.com/cgi-bin/veltinfo.pl?program="
                           "KV_VERSIONED_SAMPLE.EXE&vendor=Korvane%20Tests&version=1.2.3.4"))
      << brief;
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kLookupBaseValue, "https://kb.example.org");
  const std::string detailed = Address(command, true);
  EXPECT_EQ(0u, detailed.find("https://kb.example.org/cgi-bin/veltinfo12.pl?program="))
      << detailed;
  EXPECT_NE(std::string::npos, detailed.find("&Loc=us&ext=EXE&version=1.2.3.4&name=Versioned"
                                             "%20Sample&copy=Copyright%20(C)%20Korvane"));
  // A base that would start a program instead of a browser is not taken.
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kLookupBaseValue, "C:\\evil.exe ");
  EXPECT_EQ(0u, Address("", false).find("http://www.example.com/cgi-bin/veltinfo.pl?"
                                        "program=Title&vendor=&"));
}

TEST_F(InfoTest, ShortcutFilePointsAtTheAddressAlone) {
  const std::string file = ScratchFolder() + "\\temp.url";
  ASSERT_TRUE(InfoWriteShortcut(file.c_str(), "http://x/\r\n[Evil]\r\nIconFile=y"));
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ("[InternetShortcut]\r\nURL=http://x/\r\n",
            std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_FALSE(InfoWriteShortcut((ScratchFolder() + "\\missing\\temp.url").c_str(), "http://x/"));
}

}  // namespace
