// Dialog 121: filling the controls for the current entry.
#include <string>

#include "categories/active_tasks.h"
#include "categories/scheduled_tasks.h"
#include "categories/service_start_change.h"
#include "categories/services.h"
#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "info_dialog.h"
#include "records/first_detected.h"
#include "records/note_store.h"
#include "resource.h"
#include "startup/locations.h"
#include "text.h"

namespace {

constexpr int kStopString = 650;
constexpr int kKillString = 306;
constexpr int kRunningString = 655;
constexpr int kMissingString = 730;
constexpr int kReadyString = 831;
constexpr int kLocationPrefixString = 646;
constexpr int kDefaultNoteString = 647;
constexpr int kMicrosoftNoteString = 908;
constexpr int kExtensionString = 755;
constexpr int kCreateNoteString = 969;
constexpr int kSaveNoteString = 970;
constexpr int kLocationWordString = 716;
constexpr int kClsidString = 1158;
constexpr int kActiveTaskCode = 600;
constexpr int kHiddenCode = 370;
constexpr int kFileTypeCode = 400;
constexpr int kTaskCode = 800;
constexpr int kActiveXCode = 1200;
constexpr int kFirstSystemCode = 250;
constexpr int kLastSystemCode = 256;
constexpr int kFirstAddOnCode = 900;
constexpr int kStartTypeStrings[] = {664, 665, 666};

std::string InfoString(int number) {
  char text[1024] = "";
  LocalString(number, text, sizeof text);
  return text;
}

void InfoShow(HWND dialog, int control, bool shown) {
  ShowWindow(GetDlgItem(dialog, control), shown ? SW_SHOW : SW_HIDE);
}

void InfoStatus(HWND dialog, const std::string& text, bool kill, bool run) {
  SetDlgItemTextA(dialog, IDC_INFO_STATUS, text.c_str());
  InfoShow(dialog, IDC_INFO_KILL, kill);
  InfoShow(dialog, IDC_INFO_RUN, run);
}

void InfoStatusShown(HWND dialog, bool shown) {
  InfoShow(dialog, IDC_INFO_STATUS_LABEL, shown);
  InfoShow(dialog, IDC_INFO_STATUS, shown);
  if (!shown) InfoStatus(dialog, "", false, false);
}

const char* InfoAddOnKey(int code) {
  if (code == 900) return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
  if (code == 901) return "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
  return "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
}

void InfoProgramState(HWND dialog, const ItemRow& row, char* path) {
  const bool exists = path[0] != '\0' && FileExists(path);
  const bool hidden = row.code >= kFirstAddOnCode || row.code == kHiddenCode;
  InfoStatusShown(dialog, !hidden);
  SetDlgItemTextA(dialog, IDC_INFO_KILL, InfoString(kKillString).c_str());
  if (hidden) return;
  const bool system = row.code >= kFirstSystemCode && row.code <= kLastSystemCode;
  if (!exists)
    InfoStatus(dialog, InfoString(kMissingString), false, false);
  else if (IsProgramRunning(path))
    InfoStatus(dialog, InfoString(kRunningString), !system, false);
  else
    InfoStatus(dialog, InfoString(kReadyString), false, !system);
}

void InfoServiceState(HWND dialog, InfoDialogState& state, const ItemRow& row) {
  HWND box = GetDlgItem(dialog, IDC_INFO_START_TYPE);
  if (SendMessageA(box, CB_GETCOUNT, 0, 0) == 0)
    for (int string : kStartTypeStrings)
      SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(InfoString(string).c_str()));
  const int start = ServiceConfiguredStart(row.title.c_str());
  state.startType = start >= 2 && start <= 4 ? start - 2 : -1;
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(state.startType), 0);
  char text[kServiceStateTextSize] = "";
  ServiceStateText(row.title.c_str(), text, sizeof text);
  InfoStatusShown(dialog, true);
  SetDlgItemTextA(dialog, IDC_INFO_KILL, InfoString(kStopString).c_str());
  InfoStatus(dialog, text, QueryServiceControls(row.title.c_str()) != 0, false);
}

void InfoLocationLine(HWND dialog, const ItemRow& row) {
  std::string line;
  if (row.code >= kFirstAddOnCode && row.code < kActiveXCode) {
    line = InfoString(kLocationWordString) + ": \"HKLM\\" + InfoAddOnKey(row.code) + "\"";
  } else if (row.code == kActiveXCode) {
    line = InfoString(kClsidString) + ": " + row.key;
  } else if (row.code != kActiveTaskCode && row.code != kFileTypeCode) {
    char label[512] = "";
    LocationLabel(row.title.c_str(), row.code, label, sizeof label);
    line = InfoString(kLocationPrefixString) + label;
  }
  SetDlgItemTextA(dialog, IDC_INFO_LOCATION, line.c_str());
}

std::string InfoDefaultNote(const ItemRow& row, const char* path, const VersionStrings& version) {
  char description[1024] = "";
  if (row.code == kActiveXCode) return InfoString(kClsidString) + ": " + row.key;
  if (row.code == kFileTypeCode) return InfoString(kExtensionString) + row.extra;
  if (row.code == kTaskCode) {
    char status[256] = "", next[256] = "";
    TaskStatusText(row.title.c_str(), status, sizeof status);
    TaskNextRunText(row.title.c_str(), next, sizeof next);
    return std::string(status) + "\r\n" + next;
  }
  const bool system = row.code >= kFirstSystemCode && row.code <= kLastSystemCode;
  if ((row.code == kActiveTaskCode || system) &&
      FindServiceDescription(path, description, sizeof description) > 0)
    return description;
  if (system && ContainsNoCase(version.text[kLegalCopyright], "Microsoft")) {
    std::string text = InfoString(kMicrosoftNoteString);
    const std::size_t place = text.find("%s");
    if (place != std::string::npos) text.replace(place, 2, row.title);
    return text + InfoString(kDefaultNoteString);
  }
  if (!row.extra.empty() && row.code != kActiveTaskCode) return row.extra;
  return InfoString(kDefaultNoteString);
}

void InfoNote(HWND dialog, InfoDialogState& state, const ItemRow& row, const char* path,
              const VersionStrings& version) {
  std::string text;
  state.noteExists = NoteFind(row.command.c_str(), row.title.c_str(), state.notePath);
  if (!state.noteExists || !NoteRead(state.notePath, text)) {
    state.noteExists = false;
    text = InfoDefaultNote(row, path, version);
  }
  SetDlgItemTextA(dialog, IDC_INFO_NOTE, text.c_str());
  // A note of the user's own can be edited and saved; the explanation in its place cannot.
  SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_SETREADONLY, state.noteExists ? FALSE : TRUE, 0);
  SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_SETMODIFY, FALSE, 0);
  SetDlgItemTextA(dialog, IDC_INFO_NOTE_BUTTON,
                  InfoString(state.noteExists ? kSaveNoteString : kCreateNoteString).c_str());
  EnableWindow(GetDlgItem(dialog, IDC_INFO_NOTE_BUTTON), !state.noteExists);
}

void InfoFacts(HWND dialog, const ItemRow& row, const char* path, const VersionStrings& version) {
  SetDlgItemTextA(dialog, IDC_INFO_PRODUCT, version.text[kProductName]);
  SetDlgItemTextA(dialog, IDC_INFO_VERSION, version.text[kProductVersion]);
  SetDlgItemTextA(dialog, IDC_INFO_COMPANY, version.text[kCompanyName]);
  SetDlgItemTextA(dialog, IDC_INFO_DESCRIPTION, row.title.c_str());
  SetDlgItemTextA(dialog, IDC_INFO_COPYRIGHT, version.text[kLegalCopyright]);
  FileFactsRecord facts = {};
  ReadFileFacts(path, row.code, &facts);
  SetDlgItemTextA(dialog, IDC_INFO_CREATED, facts.text[kFactCreated]);
  SetDlgItemTextA(dialog, IDC_INFO_SAVED, facts.text[kFactWritten]);
  SetDlgItemTextA(dialog, IDC_INFO_SIZE, facts.text[kFactSize]);
  SetDlgItemTextA(dialog, IDC_INFO_DETECTED, facts.text[kFactFirstDetected]);
}

}  // namespace

bool InfoIsService(int code) { return code == kServiceExeCode || code == kServiceSvchostCode; }

void InfoShowEntry(HWND dialog, InfoDialogState& state) {
  if (state.rows.empty()) return;
  const ItemRow& row = state.rows[static_cast<std::size_t>(state.index)];
  EnableWindow(GetDlgItem(dialog, IDC_INFO_APPLY), FALSE);
  char path[kPathSize] = "";
  NormaliseCommand(row.command.c_str(), path, sizeof path);
  SetDlgItemTextA(dialog, IDC_INFO_PATH, path);
  const bool service = InfoIsService(row.code);
  for (int control : {IDC_INFO_START_LABEL, IDC_INFO_START_TYPE, IDC_INFO_APPLY})
    InfoShow(dialog, control, service);
  InfoShow(dialog, IDC_INFO_LOCATION, !service);
  state.startType = -1;
  if (service)
    InfoServiceState(dialog, state, row);
  else
    InfoProgramState(dialog, row, path);
  if (row.code == kActiveXCode) InfoStatusShown(dialog, false);
  InfoLocationLine(dialog, row);
  VersionStrings version = {};
  ReadVersionStrings(path, &version);
  InfoFacts(dialog, row, path, version);
  InfoNote(dialog, state, row, path, version);
}
