// Operations that the start-up and first-run steps call but that belong to the startup,
// category and record modules. Each lands with its module; until then the body in
// pending.cpp does nothing, so landing one is deleting its line there.
#pragma once

void RebuildKnownEntries();
void ResetKnownEntries();
int RemoveStartupEntry(const char* title, const char* command, const char* key, int code);
int BuildStartupList(int quick);
void InitSystemFiles();
void InitFirstDetected();
int FirstDetectedText(const char* name, int code, char* out24);
void BuildServicesSnapshot();
void BuildHiddenSnapshot();
void BuildActiveXSnapshot();
int InitFileTypeStore();
int LoadDelayedList();
void ItemListClear();
void ItemListFree();
void CookieListFree();
int CheckWinInit(int quiet);
