#include "report_show.h"

#include <shellapi.h>

#include <string_view>

#include "foundation/msgbox.h"
#include "foundation/strings.h"
#include "foundation/trace.h"

namespace {

constexpr int kNotWrittenString = 1320;
constexpr int kNotOpenedString = 1321;
constexpr int kMessageSize = 2048;
// Results up to 32 are the shell's error codes.
constexpr INT_PTR kShellOpened = 32;

}  // namespace

std::string ReportFillText(int stringId, std::initializer_list<std::string_view> values) {
  char format[kMessageSize] = "";
  LocalString(stringId, format, sizeof format);
  std::string text(format);
  std::size_t from = 0;
  for (std::string_view value : values) {
    const std::size_t place = text.find("%s", from);
    if (place == std::string::npos) break;
    text.replace(place, 2, value);
    from = place + value.size();
  }
  return text;
}

std::string ReportErrorText(DWORD error) {
  char text[kMessageSize] = "";
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
    reason.pop_back();
  if (reason.empty()) reason = "error " + std::to_string(error);
  return reason;
}

bool ReportShow(HWND owner, const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > kShellOpened) return true;
  TraceNote("report", "the shell could not open the report");
  ShowMessage(owner, ReportFillText(kNotOpenedString, {path}).c_str(), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void ReportTellNotWritten(HWND owner, const std::string& path, DWORD error) {
  const std::string text = ReportFillText(kNotWrittenString, {path, ReportErrorText(error)});
  ShowMessage(owner, text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}
