// More about a program: its local knowledge-base page or the maker's lookup server, and the
// help pages. The addresses are only handed to a browser; no answer is ever read.
#pragma once

// HKCU settings value with the lookup server's base address (scheme, server, closing '/').
inline constexpr char kLookupBaseValue[] = "LookupBase";

// Opens the local page, or the lookup address (short or detailed by option VeltFormat).
// kind is the asking category's code; title is sent when the path normalises to nothing.
int ShowInfo(int kind, const char* path, const char* title);
// Opens the help page of a command: the local copy when there is one.
int ShowHelp(int commandId);
// True, with the page's path, when <program folder>\kbase\<key>.html exists for the item.
bool KnowledgeBasePage(const char* name, char* path, int capacity);

// The base address in use: the configured one when usable, else the built-in example.
int LookupBaseAddress(char* out, int capacity);
// The address ShowInfo hands on when no local page answers.
int InfoAddress(int kind, const char* path, const char* title, bool detailed, char* out,
                int capacity);
// Writes an Internet-shortcut file that points at the address; false when it cannot.
bool InfoWriteShortcut(const char* file, const char* address);
