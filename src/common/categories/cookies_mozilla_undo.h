// Taking back the Mozilla filter's deletions: the cookie lines the filter takes out of
// cookies.txt are kept before the file is replaced, and the undo adds them to the file as it
// is by then, so cookies that came since stay and no line is doubled. Taking back the undo
// takes those lines out again.
#pragma once
#include <string>

// lines: the dropped lines, each ended by a line feed. False when nothing could be kept.
bool MozillaUndoRecord(const std::string& path, const std::string& lines);
// The history line of a replacement that dropped these lines.
void MozillaUndoRemovedLine(const std::string& path, const std::string& lines);
bool MozillaUndoPutBack(const std::string& part);
std::string MozillaUndoRecapture(const std::string& part);
