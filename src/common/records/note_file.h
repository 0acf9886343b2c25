// Personal notes: one text file per program, "note_<file name>.txt", in the program folder or
// else the data folder.
#pragma once

// The note file of the program that command starts, when it exists; false (out empty)
// otherwise.
bool NoteFileFind(const char* command, char* out, int capacity);
// Where a new note of that program is written: the program folder. False when the command
// names no file.
bool NoteFileNewPath(const char* command, char* out, int capacity);
