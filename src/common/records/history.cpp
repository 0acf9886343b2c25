#include "records/history.h"

#include <string>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "history_text.h"
#include "records/history_upload.h"
#include "records/undo_store.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr char kHistoryName[] = "\\history.txt";

constexpr DWORD kHistoryWaitMs = 2000;
constexpr DWORD kHistoryRetryMs = 2;

// The monitor and the explorer append to one file; the other one's append is brief, so a
// sharing failure is waited out for a bounded time rather than losing the line.
Handle HistoryOpenFile() {
  char path[kPathSize + 16];
  if (HistoryFilePath(path, sizeof path) == 0) return Handle();
  const DWORD start = GetTickCount();
  for (;;) {
    Handle file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
          GetLastError() != NO_ERROR)
        return Handle();
      return file;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION || GetTickCount() - start >= kHistoryWaitMs)
      return Handle();
    Sleep(kHistoryRetryMs);
  }
}

void HistoryHandOn(const char* action, const char* type, const char* title, const char* command) {
  char actionCut[48], typeCut[48], titleCut[128], commandCut[260];
  CopyBounded(actionCut, sizeof actionCut, action);
  CopyBounded(typeCut, sizeof typeCut, type);
  CopyBounded(titleCut, sizeof titleCut, title);
  CopyBounded(commandCut, sizeof commandCut, command);
  HistoryUpload(actionCut, typeCut, titleCut, commandCut);
}

}  // namespace

int HistoryFilePath(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char folder[kPathSize];
  const int length = ProgramFolder(folder, sizeof folder);
  // A path cut short by a small buffer would name some other file.
  if (length == 0 || length + static_cast<int>(sizeof kHistoryName) > capacity) return 0;
  CopyBounded(out, static_cast<std::size_t>(capacity), folder);
  return static_cast<int>(AppendBounded(out, static_cast<std::size_t>(capacity), kHistoryName));
}

const char* HistoryTypeName(int code) { return HistoryTypeNameOf(code); }

const char* HistoryActionName(int code) { return HistoryActionNameOf(code); }

int HistoryStamp(const SYSTEMTIME& time, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  char never[64] = "";
  if (time.wYear == 0 && time.wMonth == 0 && time.wDay == 0)
    LocalString(IDS_NEVER, never, sizeof never);
  const std::string stamp =
      HistoryStampText(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, never);
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), stamp));
}

int HistoryWrite(const char* title, const char* command, const char* extra, int typeCode,
                 int actionCode) {
  if (OptionRead(kOptHistory) <= 0) return 0;
  const char* type = HistoryTypeName(typeCode);
  const char* action = HistoryActionName(actionCode);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[64];
  HistoryStamp(now, stamp, sizeof stamp);
  Handle file = HistoryOpenFile();
  if (!file) return 0;
  const std::string line = HistoryLineText(stamp, action, type, title ? title : "",
                                           command ? command : "", extra ? extra : "");
  DWORD written = 0;
  const BOOL wrote =
      WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  file.Reset();
  if (!wrote || written != line.size()) return 0;
  UndoStoreLineWritten(actionCode, typeCode, title, command, extra, stamp);
  HistoryHandOn(action, type, title ? title : "", command ? command : "");
  return 1;
}
