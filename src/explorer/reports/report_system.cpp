#include "report_system.h"

#include <iterator>
#include <string>

#include "foundation/filefacts.h"
#include "foundation/options.h"
#include "foundation/strings.h"
#include "html_text.h"
#include "paths_text.h"
#include "report_cell_text.h"
#include "report_facts.h"
#include "report_file.h"
#include "report_header.h"
#include "report_sections.h"
#include "report_show.h"

namespace {

constexpr char kReportTitle[] = "Korvane Report Log";
constexpr char kHtmlFileName[] = "KorvaneLog.html";
constexpr char kTextFileName[] = "KorvaneLog.txt";
constexpr char kTextColumns[] =
    "Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSignature\r\n";
constexpr char kNoTitle[] = "No Description available";
constexpr char kSixteenBlanks[] =
    "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
constexpr char kVersionEnd[] = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\r\n";
constexpr int kHeadingSize = 256;
constexpr int kIEHelperLocationString = 716;
constexpr int kFormatText = 1;

// One item with what the report shows of it.
struct ReportItem {
  const ItemRow& row;
  const ReportProgram& program;
  std::string name;      // the file-name part of the command
  std::string location;  // the location's label; empty for most categories
  std::string detected;  // the first-detected text; empty when none is stored
};

bool ReportTextChosen() { return OptionRead(kOptFormat) == kFormatText; }

std::string ReportPathFor(bool html) {
  return ReportDataPath(html ? kHtmlFileName : kTextFileName);
}

std::string ReportHeading(int stringId) {
  char heading[kHeadingSize] = "";
  LocalString(stringId, heading, sizeof heading);
  return heading;
}

ReportItem ReportItemOf(ReportFacts& facts, const ItemRow& row) {
  const ReportProgram& program = ReportFactsProgram(facts, row.command);
  return ReportItem{row, program, row.command.substr(FileNameOffset(row.command)),
                    ReportFactsLocation(facts, row), ReportFactsDetected(facts, program, row.code)};
}

// A "\t<label><value><br>" line: the value is the system's and is escaped, the label is ours.
void ReportHtmlLine(std::string& out, const char* label, const std::string& value,
                    const char* after = "<br>\r\n") {
  out += '\t';
  out += label;
  out += HtmlEscape(value);
  out += after;
}

void ReportHtmlHeading(std::string& out, const ReportItem& item, ReportSectionKind kind) {
  out += "<li><b>";
  if (kind == ReportSectionKind::HiddenFiles) {
    out += HtmlEscape(item.name) + "</b>\r\n\t<ol>\r\n";
    return;
  }
  out += item.row.title.empty() ? std::string(kNoTitle) : HtmlEscape(item.row.title);
  out += "</b>\r\n\t<ol>" + HtmlEscape(item.name) + kSixteenBlanks + "\r\n";
}

void ReportHtmlVersionFacts(std::string& out, const ReportProgram& program) {
  if (!program.description.empty()) ReportHtmlLine(out, "", program.description);
  if (!program.version.empty())
    ReportHtmlLine(out, "Version: ", program.version, kVersionEnd);
  if (!program.copyright.empty()) ReportHtmlLine(out, "", program.copyright);
  if (program.description.empty() && program.copyright.empty()) out += "<br>\r\n";
}

// Unsigned and tampered programs in the colour the lists give them.
void ReportHtmlSignature(std::string& out, const ReportProgram& program) {
  if (program.signatureText.empty()) return;
  if (!SignatureNeedsAttention(program.signature.state)) {
    ReportHtmlLine(out, "", program.signatureText);
    return;
  }
  out += "\t<font color='#C00000'>" + HtmlEscape(program.signatureText) + "</font><br>\r\n";
}

void ReportHtmlServiceFacts(std::string& out, ReportFacts& facts, const ItemRow& row) {
  ReportHtmlLine(out, "Startup Type: ", row.key);
  const std::string state = ReportFactsServiceState(facts, row);
  if (!state.empty()) ReportHtmlLine(out, "Service Status: ", state);
}

void ReportHtmlFileFacts(std::string& out, const ItemRow& row) {
  FileFactsRecord facts = {};
  if (!ReadFileTimesAndSize(row.command.c_str(), &facts)) return;
  ReportHtmlLine(out, "Created: ", facts.text[kFactCreated]);
  ReportHtmlLine(out, "Accessed: ", facts.text[kFactAccessed]);
  ReportHtmlLine(out, "Written: ", facts.text[kFactWritten]);
  ReportHtmlLine(out, "File Size: ", facts.text[kFactSize], " Bytes<br>\r\n");
}

void ReportHtmlHelperKey(std::string& out, const ItemRow& row) {
  const char* key = ReportSectionHelperKey(row.code);
  if (key == nullptr) return;
  out += '\t' + HtmlEscape(ReportHeading(kIEHelperLocationString)) + ": \"HKLM\\" + key +
         "\"<br>\r\n";
}

void ReportHtmlKindFacts(std::string& out, ReportFacts& facts, const ReportItem& item,
                         ReportSectionKind kind) {
  switch (kind) {
    case ReportSectionKind::Services: ReportHtmlServiceFacts(out, facts, item.row); break;
    case ReportSectionKind::HiddenFiles: ReportHtmlFileFacts(out, item.row); break;
    case ReportSectionKind::IEHelpers: ReportHtmlHelperKey(out, item.row); break;
    case ReportSectionKind::Plain: break;
  }
}

void ReportHtmlItem(std::string& out, ReportFacts& facts, const ReportItem& item,
                    ReportSectionKind kind) {
  ReportHtmlHeading(out, item, kind);
  ReportHtmlVersionFacts(out, item.program);
  ReportHtmlSignature(out, item.program);
  if (!item.location.empty()) ReportHtmlLine(out, "Location: ", item.location);
  if (!item.row.command.empty()) ReportHtmlLine(out, "Path:     ", item.row.command);
  if (!item.detected.empty()) ReportHtmlLine(out, "First Detected by Korvane: ", item.detected);
  if (!item.row.extra.empty()) ReportHtmlLine(out, "", item.row.extra);
  ReportHtmlKindFacts(out, facts, item, kind);
  const std::string link =
      ReportFactsInfoAddress(facts, item.program, item.row.title, item.row.code);
  out += "\t<A href='" + HtmlEscape(link) + "'>Click for Velt Info</A></ol></li><br>\r\n\r\n";
}

void ReportTextItem(std::string& out, const ReportItem& item) {
  const std::string* cells[] = {&item.row.title,         &item.name,
                                &item.program.description, &item.program.version,
                                &item.program.copyright,   &item.location,
                                &item.row.command,         &item.program.signatureText};
  for (std::size_t i = 0; i < std::size(cells); ++i) {
    if (i > 0) out += '\t';
    out += ReportTextCell(*cells[i]);
  }
  out += "\r\n";
}

void ReportHtmlBegin(ReportFile& file) {
  file.Write("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=");
  file.Write(HtmlCharsetName(GetACP()));
  file.Write("\">\r\n<title>\r\n");
  file.Write(kReportTitle);
  file.Write("</title></head>\r\n<body bgcolor=FloralWhite>\r\n<H2 align='center'> ");
  file.Write(kReportTitle);
  file.Write(" </H2>\r\n");
  WriteReportHeader(file, true);
  for (int i = 0; i < kReportIndexedSections; ++i)
    file.Write("<A href='#A" + std::to_string(i) + "'>" +
               HtmlEscape(ReportHeading(kReportSections[i].heading)) + "</A><br>\r\n");
}

void ReportWriteSection(ReportFile& file, ReportFacts& facts, int index, bool html) {
  const ReportSection& section = kReportSections[index];
  const std::string heading = ReportHeading(section.heading);
  if (html)
    file.Write("<A NAME=\"A" + std::to_string(index) + "\"></A>\r\n<H3>" + HtmlEscape(heading) +
               "</H3>\r\n<ul>\r\n");
  else
    file.Write(ReportTextCell(heading) + "\r\n");
  std::string out;
  for (const ItemRow& row : ReportSectionRows(section)) {
    const ReportItem item = ReportItemOf(facts, row);
    if (html)
      ReportHtmlItem(out, facts, item, section.kind);
    else
      ReportTextItem(out, item);
    file.Write(out);
    out.clear();
  }
  if (html) file.Write("</ul>\r\n");
}

}  // namespace

bool WriteSystemReportFile(const std::string& path, bool html) {
  ReportFile file(path);
  if (!file.ok()) return file.Commit();
  ReportFacts facts;
  ReportFactsBegin(facts);
  if (html)
    ReportHtmlBegin(file);
  else
    file.Write(kTextColumns);
  for (int index = 0; index < kReportSectionCount; ++index)
    ReportWriteSection(file, facts, index, html);
  if (html) file.Write("</body></html>\r\n");
  return file.Commit();
}

std::string SystemReportPath() { return ReportPathFor(!ReportTextChosen()); }

bool WriteSystemReport(HWND owner) {
  const bool html = !ReportTextChosen();
  const std::string path = ReportPathFor(html);
  if (!WriteSystemReportFile(path, html)) {
    ReportTellNotWritten(owner, path, GetLastError());
    return false;
  }
  return ReportShow(owner, path);
}
