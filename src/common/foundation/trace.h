// The support trace log ("send2ts.txt", section "Trace"). Off unless option Debug is set.
#pragma once

// Full path of the trace file; fixed once at start.
void TraceSetFile(const char* path);
// Counter 0 switches logging on; 9999 (the start value) keeps it off.
void TraceSetCounter(int counter);
int TraceWrite(const char* label, const char* message);
int TraceSpanEnd();
// Keeps a label at a call site; writes nothing.
int TraceNote(const char* label, const char* message);

// Set by any step that puts a dialog before the user, so its span reads 1.
extern bool g_traceUserWait;
