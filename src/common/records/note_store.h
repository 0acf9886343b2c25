// Reading and writing personal notes. A note is kept in the data folder; an entry whose
// command names no file has its note named by its title. Notes hold at most kNoteTextMax
// characters, and nothing longer is ever written, so a saved note reads back whole.
#pragma once
#include <string>

inline constexpr int kNoteTextMax = 16384;

// The existing note of the entry (by its program file, then by its title); false when none.
bool NoteFind(const char* command, const char* title, std::string& path);
// Where a new note of the entry is written; empty when no data folder is known.
std::string NoteNewPath(const char* command, const char* title);
// The note's text, cut at kNoteTextMax; false when it cannot be read.
bool NoteRead(const std::string& path, std::string& text);
// Writes the whole text; false, with nothing half-written left behind, when it cannot
// (or when the text is longer than a note holds).
bool NoteWrite(const std::string& path, const std::string& text);
