// Operations of categories that are not built yet. The sweep and the start-up steps call
// them where they belong; each body in pending.cpp does nothing, so landing a category is
// moving its line out of here into the category's own header.
#pragma once
#include <windows.h>

void InitSystemFiles();
void BuildHiddenSnapshot();
void BuildActiveXSnapshot();
void CookieListFree();
int CheckWinInit(int quiet);

int EnumerateHiddenFiles();
int EnumerateActiveX(int keepList);

void CheckHiddenFiles();
void CheckActiveX();
void CheckSystemFiles();
void CheckNewCookies();
void FilterCookies();
int CheckWindowsSettings();

// The sweep's Mozilla-family cookie step: puts a filtered cookies file in place when due.
void FilterMozillaCookies();
