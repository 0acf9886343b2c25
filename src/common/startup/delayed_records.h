// What the explorer reads and does with one delayed-start record, found by the record itself
// (its program and the code that chooses its root), never by a file name alone.
#pragma once

// The record's delay in seconds; 0 when it has none.
int DelayedRecordSeconds(const char* program, int code);
// Starts the record's program now with its own parameters, through its applet when it has
// one; running copies do not stop it. 0 on success, else the shell's error.
int DelayedLaunchNow(const char* program, int code);
