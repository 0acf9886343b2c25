#include "system_files_text.h"

#include "text.h"

bool SystemFileChanged(std::string_view storedDate, std::string_view currentDate,
                       std::string_view storedSize, std::string_view currentSize, int type) {
  if (storedDate == currentDate) return false;
  return type != 0 || storedSize != currentSize;
}

bool SystemFileContentChanged(const SystemFileFactsText& stored,
                              const SystemFileFactsText& current, int type) {
  if (!stored.hash.empty() && !current.hash.empty())
    return !EqualsNoCase(stored.hash, current.hash);
  return SystemFileChanged(stored.date, current.date, stored.size, current.size, type);
}

std::string RestartCommandsShown(std::string_view bytes) {
  bytes = bytes.substr(0, kRestartViewBytes);
  std::string shown;
  shown.reserve(bytes.size() * 2);
  char previous = '\0';
  for (const char c : bytes) {
    if (c == '\n' && previous != '\r') shown.push_back('\r');
    shown.push_back(c == '\0' ? ' ' : c);
    previous = c;
  }
  return shown;
}

std::string RestartDeleteAppendix(std::string_view existing, std::string_view shortPath) {
  std::string appendix;
  if (!existing.empty() && existing.back() != '\n') appendix += "\r\n";
  if (UpperText(existing).find("[RENAME]") == std::string::npos) appendix += "[rename]\r\n";
  appendix += "NUL=";
  appendix += shortPath;
  appendix += "\r\n";
  return appendix;
}
