#include "history_text.h"

#include <cstdio>

namespace {

const char* HistoryTableName(const HistoryName* table, std::size_t count, int code,
                             const char* unknown) {
  for (std::size_t i = 0; i < count; ++i)
    if (table[i].code == code) return table[i].name;
  return unknown;
}

int HistoryTableCode(const HistoryName* table, std::size_t count, std::string_view name,
                     int unknown) {
  for (std::size_t i = 0; i < count; ++i)
    if (name == table[i].name) return table[i].code;
  return unknown;
}

void HistoryAppendField(std::string& line, std::string_view field) {
  for (char c : field) {
    if (line.size() >= kHistoryLineMax) return;
    line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
  }
}

// Fields at or above their width are dropped whole, as the page's fixed slots demand.
std::string HistoryWithin(std::string_view field, std::size_t width) {
  return field.size() < width ? std::string(field) : std::string();
}

}  // namespace

const char* HistoryTypeNameOf(int code) {
  return HistoryTableName(kHistoryTypeNames, kHistoryTypeNameCount, code, "TYPE_UNKNOWN");
}

const char* HistoryActionNameOf(int code) {
  return HistoryTableName(kHistoryActionNames, kHistoryActionNameCount, code, "LOG_UNKNOWN");
}

int HistoryTypeCodeOf(std::string_view name) {
  return HistoryTableCode(kHistoryTypeNames, kHistoryTypeNameCount, name, kHistoryTypeUnknown);
}

int HistoryActionCodeOf(std::string_view name) {
  return HistoryTableCode(kHistoryActionNames, kHistoryActionNameCount, name,
                          kHistoryActionUnknown);
}

std::string HistoryStampText(unsigned year, unsigned month, unsigned day, unsigned hour,
                             unsigned minute, std::string_view never) {
  if (year == 0 && month == 0 && day == 0) return std::string(never);
  const char* half = hour >= 12 ? "PM" : "AM";
  unsigned clock = hour > 12 ? hour - 12 : hour;
  if (clock == 0) clock = 12;
  char text[80];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u  %u:%02u %s", month, day, year, clock, minute,
                half);
  return text;
}

std::string HistoryLineText(std::string_view stamp, std::string_view action, std::string_view type,
                            std::string_view title, std::string_view command,
                            std::string_view extra) {
  std::string line;
  line.reserve(kHistoryLineMax + 2);
  const std::string_view fields[] = {stamp, action, type, title, command, extra};
  for (std::size_t i = 0; i < 6; ++i) {
    if (i > 0 && line.size() < kHistoryLineMax) line.push_back('\t');
    HistoryAppendField(line, fields[i]);
  }
  line += "\r\n";
  return line;
}

bool HistoryActionReversible(int code) {
  const char* name = HistoryActionNameOf(code);
  return name != nullptr && name[0] == '*';
}

HistoryRecord ParseHistoryLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view fields[6];
  std::size_t tabs = 0, start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != '\t') continue;
    if (tabs < 6) fields[tabs] = line.substr(start, i - start);
    if (i < line.size()) ++tabs;
    start = i + 1;
  }
  HistoryRecord record;
  record.stamp = HistoryWithin(fields[0], 32);
  record.actionCode = HistoryActionCodeOf(fields[1]);
  record.typeCode = HistoryTypeCodeOf(fields[2]);
  record.title = HistoryWithin(fields[3], 128);
  record.command = HistoryWithin(fields[4], 260);
  if (tabs == 5) record.extra = HistoryWithin(fields[5], 260);
  return record;
}

std::vector<HistoryRecord> ParseHistoryText(std::string_view text) {
  std::vector<HistoryRecord> records;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', start)) {
    records.push_back(ParseHistoryLine(text.substr(start, end - start)));
    start = end + 1;
  }
  return records;
}
