// Taking back a rejected change of a monitored system file (HOSTS, the boot files): the
// rejected file is kept before the saved copy replaces it, and written back.
#pragma once

bool SystemFileUndoRecord(const char* name, const char* path);
// The history line of a rejection that happened.
void SystemFileRejectedLine(const char* name, const char* path);
