#include "report_json.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "detected_time_text.h"
#include "json_text.h"
#include "report_facts.h"
#include "report_file.h"
#include "report_sections.h"

namespace {

constexpr int kJsonSchema = 2;
constexpr char kNull[] = "null";

// The system's texts are in the ANSI code page; the document is UTF-8. A text that cannot be
// converted is passed on as it is, and the quoting marks its bad bytes as U+FFFD.
std::string JsonUtf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  const int size = static_cast<int>(ansi.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (wide <= 0) return ansi;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, text.data(), wide) != wide) return ansi;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return ansi;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), bytes, nullptr, nullptr) != bytes)
    return ansi;
  return utf8;
}

std::string JsonText(const std::string& ansi) { return JsonQuote(JsonUtf8(ansi)); }

std::string JsonTextOrNull(const std::string& ansi) { return ansi.empty() ? kNull : JsonText(ansi); }

const char* JsonSignatureState(SignatureState state) {
  switch (state) {
    case SignatureState::kValid: return "\"valid\"";
    case SignatureState::kInvalid: return "\"invalid\"";
    case SignatureState::kUnsigned: return "\"unsigned\"";
    case SignatureState::kNone: break;
  }
  return kNull;
}

std::string JsonNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return text;
}

std::string JsonItem(ReportFacts& facts, const char* category, const ItemRow& row) {
  const ReportProgram& program = ReportFactsProgram(facts, row.command);
  const std::string label = ReportFactsLocation(facts, row);
  const std::string detected = DetectedTimeIso(ReportFactsDetected(facts, program, row.code));
  std::string out = "    {\"category\": \"";
  out += category;
  out += "\", \"locationCode\": " + std::to_string(row.code);
  out += ", \"locationName\": " + JsonTextOrNull(label);
  out += ", \"title\": " + JsonText(row.title);
  out += ", \"command\": " + JsonText(row.command);
  out += ", \"programFile\": " + JsonTextOrNull(program.file);
  out += ", \"company\": " + JsonText(program.company);
  out += ", \"version\": " + JsonText(program.version);
  out += ", \"firstDetected\": " + (detected.empty() ? std::string(kNull) : JsonQuote(detected));
  out += ", \"signature\": ";
  out += JsonSignatureState(program.signature.state);
  out += ", \"signer\": " + JsonTextOrNull(program.signature.signer) + "}";
  return out;
}

void JsonWriteHead(ReportFile& file, const ReportFacts& facts) {
  file.Write("{\r\n  \"schema\": " + std::to_string(kJsonSchema) + ",\r\n");
  file.Write("  \"created\": " + JsonQuote(JsonNow()) + ",\r\n");
  file.Write("  \"build\": " + JsonText(facts.build) + ",\r\n");
  file.Write("  \"items\": [");
}

}  // namespace

bool WriteJsonReportFile(const std::string& path) {
  ReportFile file(path);
  if (!file.ok()) return file.Commit();
  ReportFacts facts;
  ReportFactsBegin(facts);
  JsonWriteHead(file, facts);
  const char* separator = "\r\n";
  for (const ReportSection& section : kReportSections) {
    for (const ItemRow& row : ReportSectionRows(section)) {
      file.Write(separator);
      file.Write(JsonItem(facts, section.category, row));
      separator = ",\r\n";
    }
  }
  file.Write("\r\n  ]\r\n}\r\n");
  return file.Commit();
}
