// A file's bytes, or its absence, kept for the undo store and put back as they were.
#pragma once
#include <string>

// The part text; empty when the file is there but cannot be read.
std::string UndoFileCapture(const char* path);
bool UndoFilePutBack(const std::string& part);
std::string UndoFileRecapture(const std::string& part);
