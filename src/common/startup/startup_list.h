// The startup enumeration: every entry of every autostart location into the item list.
#pragma once
#include <string>

int BuildStartupList(int quick);
// The full list (quick 0) or the advanced mode: the places beyond the Run family are listed.
bool StartupListShowsAll(int quick);
void EnumRunKeys();
void EnumStartupFolders();
void EnumWinIni();
void EnumDisabledEntries();
int WinlogonUserinitExtra(char* out260);
int WinlogonShellExtra(char* out260);
int EnumShellHooks();
// Status of the link object (S_OK, S_FALSE when the target is missing, or its error); with
// arguments, also the arguments the shortcut hands its target.
long ShortcutTarget(const char* shortcut, char* target260, char* description260,
                    std::string* arguments = nullptr);
