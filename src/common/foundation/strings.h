// Localised strings: the resource string table with per-number registry overrides.
#pragma once
#include <windows.h>

extern int g_languageId;

int LocalString(int number, char* out, int capacity);
void SetDialogText(HWND dialog, int number, int control);
void ChooseLanguage();
void ResetTranslation();
