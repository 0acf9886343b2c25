#include <gtest/gtest.h>

#include <string>

#include "lookup_text.h"

TEST(KnowledgeBaseKey, CutsAtTheFirstSeparatorAndStaysInItsFolder) {
  EXPECT_EQ("setup_tool", KnowledgeBaseKey("C:\\Program Files\\Setup Tool.exe"));
  // The only separator sits at the second character: nothing is cut, unless two kinds are there.
  EXPECT_EQ("a.exe", KnowledgeBaseKey("C:\\A.EXE"));
  EXPECT_EQ("a", KnowledgeBaseKey("a.b-c"));
  EXPECT_EQ("ycomp", KnowledgeBaseKey("C:\\X\\MyComp Helper.exe"));
  EXPECT_EQ("kvcommand", KnowledgeBaseKey("%1 %*"));
  // Whatever the name, the page cannot leave its folder or name a device stream.
  EXPECT_EQ("evil", KnowledgeBaseKey("..\\..\\evil.exe"));
  EXPECT_EQ(".._windowswin.ini", KnowledgeBaseKey("..:/windows/win.ini"));
  EXPECT_EQ("", KnowledgeBaseKey("C:\\folder\\"));
}

TEST(LookupEncode, EscapesBoundsAndBases) {
  EXPECT_EQ("Tom+Jerry%20Inc.", LookupEncode("Tom&Jerry Inc."));
  EXPECT_EQ("%22x%22%20%23y%25%3C%3E", LookupEncode("\"x\" #y%<>"));
  EXPECT_EQ("%0D%0A%7F%E9", LookupEncode("\r\n\x7F\xE9"));
  // A cut never leaves half an escape; only web addresses are taken as the base.
  EXPECT_EQ("ab", LookupBound("ab%20", 4));
  EXPECT_EQ("ab%20", LookupBound("ab%20c", 5));
  EXPECT_EQ("https://kb.example.org/velt/", LookupBase("https://kb.example.org/velt", "F"));
  for (const char* bad : {"", "C:\\evil.exe ", "file:///c:/x/", "http://x y/", "http://\"x/"})
    EXPECT_EQ("F", LookupBase(bad, "F")) << bad;
  EXPECT_EQ("F", LookupBase("http://" + std::string(300, 'x'), "F"));
}

namespace {

LookupRequest Request() {
  return {1011, "en", "1.0:2.0", "C:\\PROGRAM FILES\\TOM & CO\\SETUP TOOL.EXE", "Title",
          "\"C:\\Program Files\\Tom & Co\\Setup Tool.exe\" -min", "Tom & Co", "1.2 beta", "Setup",
          "(c) Tom", "Installs", "2009-01-02", "2010-05-06", "1,024"};
}

const char kBase[] = "http://www.example.com/";

}  // namespace

TEST(LookupAddress, ShortAndDetailedQueries) {
  EXPECT_EQ("http://www.example.com/cgi-bin/veltinfo.pl?program=SETUP%20TOOL.EXE"
            "&vendor=Tom%20+%20Co&version=1.2%20beta&build=1.0:2.0&Type=1011&Loc=en&ext=EXE",
            ShortLookupAddress(kBase, Request()));
  EXPECT_EQ("http://www.example.com/cgi-bin/veltinfo12.pl?program=SETUP%20TOOL.EXE"
            "&vendor=Tom%20+%20Co&build=1.0:2.0&Type=1011&Loc=en&ext=EXE&version=1.2%20beta"
            "&name=Setup&copy=(c)%20Tom&detail=Installs&created=2009-01-02"
            "&detected=2010-05-06&fsize=1,024"
            "&path=%22C:\\Program%20Files\\Tom%20+%20Co\\Setup%20Tool.exe%22%20-min",
            DetailedLookupAddress(kBase, Request()));
}

TEST(LookupAddress, TitleBoundsAndHelpPages) {
  LookupRequest r = Request();
  r.normalised = "";
  r.title = "Tom & Jerry";
  const std::string titled = ShortLookupAddress(kBase, r);
  EXPECT_NE(std::string::npos, titled.find("?program=Tom%20+%20Jerry&vendor="));
  EXPECT_EQ("&ext=", titled.substr(titled.size() - 5));
  const std::string longText(2000, ' ');
  r.company = longText;
  r.pathAsFound = longText;
  const std::string cut = ShortLookupAddress(kBase, r);
  EXPECT_GE(cut.size(), kShortAddressMax - 2);
  EXPECT_LE(cut.size(), kShortAddressMax);
  EXPECT_EQ("%20", cut.substr(cut.size() - 3));
  const std::string detailed = DetailedLookupAddress(kBase, r);
  EXPECT_LE(detailed.size(), kDetailedAddressMax);
  EXPECT_EQ(std::string::npos, detailed.find("&build="));  // cut with the query at 1023
  EXPECT_EQ("de_startup.html", HelpPageName("de", 6026));
  EXPECT_EQ("startup.html", HelpPageName("..\\..\\x", 6026));
}

TEST(LookupCommands, BrowserCommandAndShortcut) {
  EXPECT_EQ("\"C:\\Program Files\\IE\\iexplore.exe\" http://a/",
            CommandWithArgument("C:\\Program Files\\IE\\iexplore.exe", "http://a/"));
  EXPECT_EQ("[InternetShortcut]\r\nURL=http://a/b\r\n", InternetShortcutText("http://a/b\r\n[x]"));
}
