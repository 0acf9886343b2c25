// Stopping one listed process: the row's own process, never the first one found running the
// same file, and only while that process still runs the file the row was filled from.
#pragma once

// Terminates the process when it still runs path (a reused process id is left alone) and
// writes the kill history record (title, path, extra); true when it was stopped.
bool KillListedProcess(unsigned long processId, const char* title, const char* path,
                       const char* extra);
// Whether the process runs the program file path (both normalised, any letter case).
bool ProcessRunsFile(unsigned long processId, const char* path);
