// The system report and the JSON document over a seeded, sandboxed machine: one item in each
// section that can be seeded, hostile texts among them.
#include "reports/report_system.h"

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/activex.h"
#include "categories/ie_helpers.h"
#include "categories/services.h"
#include "foundation/handles.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "reports/report_json.h"
#include "reports/report_sections.h"
#include "sandbox.h"
#include "startup/delayed_start.h"
#include "startup/item_list.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kDetectedStartup[] = "Software\\Tamsel\\Detected\\Startup";
constexpr char kHostileTitle[] = "<script>alert(1)</script><b>x";
constexpr char kEscapedTitle[] = "&lt;script&gt;alert(1)&lt;/script&gt;&lt;b&gt;x";
constexpr char kBho[] = "{6B1D0C11-1111-4000-8000-000000000001}";
constexpr char kControl[] = "{6B1D0C11-2222-4000-8000-000000000002}";

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ReportTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    OptionSet("HideMicrosoftServices", 0);
    sample_ = ScratchFolder() + "\\Tools\\kvsample.exe";
    CreateDirectoryA((ScratchFolder() + "\\Tools").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ProgramFile("kv_versioned_sample.exe").c_str(), sample_.c_str(), FALSE));
    SeedStartup();
    SeedDelayed();
    SeedHelperAndControl();
    SeedServiceAndHiddenFile();
  }
  void TearDown() override {
    SetFileAttributesA(hidden_.c_str(), FILE_ATTRIBUTE_NORMAL);
    RegistrySandbox::TearDown();
  }

  // A per-user Run value with a hostile title, one with a TAB and line break in its title,
  // and a first-detected record for the first.
  void SeedStartup() {
    WriteRegString(HKEY_CURRENT_USER, kRunKey, kHostileTitle, sample_ + " /quiet");
    WriteRegString(HKEY_CURRENT_USER, kRunKey, "Split\tTitle\r\nHere", sample_ + " /split");
    std::string upper = sample_;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    WriteRegString(HKEY_CURRENT_USER, kDetectedStartup, upper.c_str(), "12/06/2008 2:07 PM");
  }
  void SeedDelayed() {
    delayed_ = ScratchFolder() + "\\Tools\\kvdelayed.exe";
    ASSERT_TRUE(CopyFileA(sample_.c_str(), delayed_.c_str(), FALSE));
    ASSERT_TRUE(AddDelayedProgram(delayed_.c_str(), false));
  }
  void SeedHelperAndControl() {
    WriteRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kBho + "\\InprocServer32", nullptr,
                   ScratchFolder() + "\\Tools\\kvhelper.dll");
    SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\" + kBho).c_str());
    WriteRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kControl, nullptr, "Kv Control's \"x\"");
    WriteRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kControl + "\\InprocServer32",
                   nullptr, ScratchFolder() + "\\Tools\\kvcontrol.ocx");
    SettingsWriteNumber(HKEY_CURRENT_USER,
                        (std::string(kActiveXStatsKey) + "\\" + kControl + "\\iexplore").c_str(),
                        "Type", 1);
  }
  void SeedServiceAndHiddenFile() {
    const std::string service = std::string(kServicesRegistryKey) + "\\KvReportService";
    WriteRegString(HKEY_LOCAL_MACHINE, service, "ImagePath", sample_ + " -service");
    WriteRegString(HKEY_LOCAL_MACHINE, service, "DisplayName", "Kv Report & Service");
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, service.c_str(), "Start", 2);
    // The scratch folder stands in for the common-files folder the hidden-file search visits.
    SettingsWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                        "CommonFilesDir", ScratchFolder().c_str());
    hidden_ = ScratchFolder() + "\\kvhidden'file.txt";
    std::ofstream(hidden_) << "twelve bytes";
    SetFileAttributesA(hidden_.c_str(), FILE_ATTRIBUTE_HIDDEN);
  }

  std::string Written(bool html) {
    const std::string path = ScratchFolder() + (html ? "\\report.html" : "\\report.txt");
    EXPECT_TRUE(WriteSystemReportFile(path, html)) << GetLastError();
    return FileText(path);
  }

  std::string sample_, delayed_, hidden_;
};

}  // namespace

TEST_F(ReportTest, HtmlHasTheNineSectionsInOrderWithTheSevenIndexLinks) {
  const std::string page = Written(true);
  EXPECT_EQ(0u, page.find("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset="));
  EXPECT_TRUE(Has(page, "<body bgcolor=FloralWhite>\r\n<H2 align='center'> Korvane Report Log </H2>"));
  const char* headings[] = {"Startup Programs", " Delayed Start ", " Active Tasks ",
                            " Scheduled Tasks ", " IE Helpers ",   " File Types ",
                            " Services ",        " Hidden Files ", " ActiveX "};
  std::size_t last = 0;
  for (int i = 0; i < kReportSectionCount; ++i) {
    const std::string anchor = "<A NAME=\"A" + std::to_string(i) + "\"></A>\r\n<H3>" + headings[i];
    const std::size_t at = page.find(anchor);
    ASSERT_NE(std::string::npos, at) << anchor;
    EXPECT_GT(at, last) << anchor;
    last = at;
    EXPECT_EQ(i < kReportIndexedSections ? 1u : 0u,
              Count(page, "<A href='#A" + std::to_string(i) + "'>" + headings[i] + "</A>"));
  }
  EXPECT_TRUE(page.size() > 16 && page.substr(page.size() - 16) == "</body></html>\r\n");
}

TEST_F(ReportTest, HtmlShowsEachSeededItemWithItsFactsAndEscapesWhatTheSystemHolds) {
  const std::string page = Written(true);
  // The hostile title is text; its own markup never reaches the page.
  EXPECT_TRUE(Has(page, std::string("<li><b>") + kEscapedTitle + "</b>\r\n\t<ol>kvsample.exe /quiet"));
  EXPECT_FALSE(Has(page, "<script>"));
  EXPECT_FALSE(Has(page, "<b>x"));
  EXPECT_TRUE(Has(page, "\tSample program<br>"));
  EXPECT_TRUE(Has(page, "\tVersion: 1.2.3.4&nbsp;"));
  EXPECT_TRUE(Has(page, "\tPath:     " + sample_ + " /quiet<br>\r\n"));
  EXPECT_TRUE(Has(page, "\tLocation: HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run<br>\r\n"));
  EXPECT_TRUE(Has(page, "\tFirst Detected by Korvane: 12/06/2008 2:07 PM<br>\r\n"));
  EXPECT_TRUE(Has(page, "Click for Velt Info</A>"));
  // The info link names the program, escaped for the address and then for the attribute.
  EXPECT_TRUE(Has(page, "veltinfo.pl?program=KVSAMPLE.EXE&amp;vendor=Korvane%20Tests&amp;version=1.2.3.4"));
  // Delayed start, services with their start type, the helper's key, the hidden file's facts.
  EXPECT_TRUE(Has(page, "kvdelayed.exe"));
  EXPECT_TRUE(Has(page, "<li><b>Kv Report &amp; Service</b>"));
  EXPECT_TRUE(Has(page, "\tStartup Type: Automatic<br>\r\n"));
  EXPECT_TRUE(Has(page, "\tLocation: \"HKLM\\" + std::string(kBHOKey) + "\"<br>\r\n"));
  EXPECT_TRUE(Has(page, "<li><b>kvhidden&#39;file.txt</b>\r\n\t<ol>\r\n"));
  EXPECT_TRUE(Has(page, "\tFile Size: 12 Bytes<br>\r\n"));
  EXPECT_TRUE(Has(page, "<li><b>Kv Control&#39;s &quot;x&quot;</b>"));
  // No line of the page holds a quote or apostrophe the page did not put there itself.
  EXPECT_FALSE(Has(page, "Control's"));
}

TEST_F(ReportTest, TextTableHasTheColumnLineAndOneCleanLinePerItem) {
  const std::string table = Written(false);
  EXPECT_EQ(0u, table.find("Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSignature\r\n"
                        "Startup Programs\r\n"));
  const std::string copyright =
      "Copyright (C) Korvane Tests, a text of exactly one hundred and twenty-seven characters, "
      "the longest a version text may have. ..";
  // The title's TAB and line break became blanks: eight columns, one line.
  EXPECT_TRUE(Has(table, "\r\nSplit Title  Here\tkvsample.exe /split\tSample program\t1.2.3.4\t" +
                             copyright + "\t"));
  EXPECT_TRUE(Has(table, std::string("\r\n") + kHostileTitle + "\tkvsample.exe /quiet\t"));
  for (std::size_t start = 0; start < table.size();) {
    const std::size_t end = table.find("\r\n", start);
    ASSERT_NE(std::string::npos, end);
    const std::string line = table.substr(start, end - start);
    EXPECT_TRUE(Count(line, "\t") == 0 || Count(line, "\t") == 7) << line;
    EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << line;
    start = end + 2;
  }
  EXPECT_FALSE(Has(table, "<br>"));
  EXPECT_FALSE(Has(table, "Platform:"));
}

TEST_F(ReportTest, FormatPicksTheTextOrThePageInTheDataFolder) {
  const std::string appData = ScratchFolder() + "\\appdata";
  CreateDirectoryA(appData.c_str(), nullptr);
  SetShellFolder("AppData", appData);
  EXPECT_EQ(appData + "\\Korvane\\KorvaneLog.html", SystemReportPath());
  OptionSet("Format", 1);
  EXPECT_EQ(appData + "\\Korvane\\KorvaneLog.txt", SystemReportPath());
  OptionSet("Format", 2);
  EXPECT_EQ(appData + "\\Korvane\\KorvaneLog.html", SystemReportPath());
}

TEST_F(ReportTest, AReportThatCannotBeWrittenSaysWhyAndKeepsTheOldOne) {
  EXPECT_FALSE(WriteSystemReportFile(ScratchFolder() + "\\missing\\report.html", true));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  EXPECT_FALSE(WriteJsonReportFile(ScratchFolder() + "\\missing\\report.json"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  // A target another program holds open cannot be replaced: it keeps its old bytes, and no
  // temporary is left beside it.
  const std::string old = WriteScratchFile("old.html", "old report");
  {
    Handle held(CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_FALSE(WriteSystemReportFile(old, true));
    EXPECT_NE(0u, GetLastError());
  }
  EXPECT_EQ("old report", FileText(old));
  EXPECT_FALSE(PathExists(old + ".new"));
}

TEST_F(ReportTest, JsonHasOneObjectPerItemWithItsFacts) {
  const std::string path = ScratchFolder() + "\\report.json";
  ASSERT_TRUE(WriteJsonReportFile(path)) << GetLastError();
  const std::string json = FileText(path);
  EXPECT_EQ(0u, json.find("{\r\n  \"schema\": 2,\r\n  \"created\": \""));
  std::string escapedSample = sample_;
  for (std::size_t at = escapedSample.find('\\'); at != std::string::npos;
       at = escapedSample.find('\\', at + 2))
    escapedSample.insert(at, "\\");
  EXPECT_TRUE(Has(json, std::string("{\"category\": \"startup\", \"locationCode\": 11, ") +
                            "\"locationName\": \"HKCU\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run\", "
                            "\"title\": \"" + kHostileTitle +
                            "\", \"command\": \"" + escapedSample + " /quiet\""));
  EXPECT_TRUE(Has(json, "\"company\": \"Korvane Tests\", \"version\": \"1.2.3.4\", "
                        "\"firstDetected\": \"2008-12-06T14:07:00\", \"signature\": \"unsigned\", "
                        "\"signer\": null}"));
  EXPECT_TRUE(Has(json, "\"title\": \"Split\\tTitle\\r\\nHere\""));
  EXPECT_TRUE(Has(json, "\"category\": \"services\", \"locationCode\": 700"));
  EXPECT_TRUE(Has(json, "\"title\": \"Kv Control's \\\"x\\\"\""));
  EXPECT_TRUE(Has(json, "\"category\": \"hiddenFiles\""));
  EXPECT_TRUE(Has(json, "\"category\": \"ieHelpers\", \"locationCode\": 900"));
  EXPECT_TRUE(Has(json, "\"category\": \"delayedStart\""));
  EXPECT_EQ(std::string::npos, json.find('\t'));
  EXPECT_TRUE(json.size() > 10 && json.substr(json.size() - 10) == "\r\n  ]\r\n}\r\n");
}

// Every report says who signed a program, and shows a tampered one in the attention colour.
TEST_F(ReportTest, SignedAndTamperedProgramsShowTheirSignatureInEveryReport) {
  const std::string signed_ = ProgramFile("kv_signed_sample.exe");
  const std::string tampered = ProgramFile("kv_tampered_sample.exe");
  if (!PathExists(signed_) || !PathExists(tampered))
    GTEST_SKIP() << "the signed stand-ins were not made (openssl or osslsigncode missing)";
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "KvSigned", signed_);
  WriteRegString(HKEY_CURRENT_USER, kRunKey, "KvTampered", tampered);
  const std::string page = Written(true);
  EXPECT_TRUE(Has(page, "\tSigned by Korvane Test Signer<br>\r\n"));
  EXPECT_TRUE(Has(page, "\t<font color='#C00000'>Not signed</font><br>\r\n"));
  EXPECT_EQ(1u, Count(page, "<font color='#C00000'>Signature not valid: "));
  EXPECT_TRUE(Has(Written(false), "\tSigned by Korvane Test Signer\r\n"));

  const std::string path = ScratchFolder() + "\\signed.json";
  ASSERT_TRUE(WriteJsonReportFile(path)) << GetLastError();
  const std::string json = FileText(path);
  EXPECT_TRUE(Has(json, "\"signature\": \"valid\", \"signer\": \"Korvane Test Signer\"}"));
  EXPECT_TRUE(Has(json, "\"signature\": \"invalid\", \"signer\": null}"));
}
