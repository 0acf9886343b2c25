#include "pending.h"

void RebuildKnownEntries() {}
void ResetKnownEntries() {}
int RemoveStartupEntry(const char*, const char*, const char*, int) { return 0; }
int BuildStartupList(int) { return 0; }
void InitSystemFiles() {}
void InitFirstDetected() {}
int FirstDetectedText(const char*, int, char* out24) { return out24[0] = '\0', 0; }
void BuildServicesSnapshot() {}
void BuildHiddenSnapshot() {}
void BuildActiveXSnapshot() {}
int InitFileTypeStore() { return 0; }
int LoadDelayedList() { return 0; }
void ItemListClear() {}
void ItemListFree() {}
void CookieListFree() {}
int CheckWinInit(int) { return 0; }
