// The history log, history.txt in the program folder.
#pragma once
#include <windows.h>

#include "item_codes.h"

enum HistoryActionCode {
  kActStartRemove = 0, kActStartDisable = 1, kActStartEnable = 2, kActIEHelperRemove = 3,
  kActTaskRemove = 4, kActTaskKill = 5, kActStartAlert = 6, kActTaskAlert = 7,
  kActIEHelperAlert = 8, kActServiceStop = 9, kActServiceAutomatic = 10, kActServiceManual = 11,
  kActServiceDisabled = 12, kActResetUserinit = 21, kActResetShell = 22,
  kActRemoveTaskScheduler = 23, kActRemoveDelayLoad = 24, kActRemoveShellExecuteHook = 25,
  kActHiddenAlert = 28, kActHiddenDeleteFile = 29, kActTaskRestore = 13,
  kActIEHelperRestore = 14, kActFileTypeRestore = 32, kActActiveXKillBit = 33,
  kActSystemFileReject = 34, kActUndoRestore = 35, kActCookieRemove = 36,
  kActStartDelay = 37,
};

int HistoryWrite(const char* title, const char* command, const char* extra, int typeCode,
                 int actionCode);
const char* HistoryTypeName(int code);
const char* HistoryActionName(int code);
int HistoryStamp(const SYSTEMTIME& time, char* out, int capacity);
// <program folder>\history.txt; 0 and an empty text when the folder is unknown.
int HistoryFilePath(char* out, int capacity);
