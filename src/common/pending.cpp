#include "pending.h"

void InitSystemFiles() {}
void BuildHiddenSnapshot() {}
void BuildActiveXSnapshot() {}
void CookieListFree() {}
int CheckWinInit(int) { return 0; }

int EnumerateHiddenFiles() { return 0; }
int EnumerateActiveX(int) { return 0; }

void CheckHiddenFiles() {}
void CheckActiveX() {}
void CheckSystemFiles() {}
void CheckNewCookies() {}
void FilterCookies() {}
int CheckWindowsSettings() { return 0; }

void FilterMozillaCookies() {}
