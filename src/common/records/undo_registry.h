// A registry key with everything below it, or its absence, kept for the undo store and put
// back exactly as it was.
#pragma once
#include <windows.h>

#include <string>

// The part text for root\path; empty when the key is there but cannot be read whole.
std::string UndoRegistryCapture(HKEY root, const char* path);
// Removes what is at the key now and writes back what the part holds.
bool UndoRegistryPutBack(const std::string& part);
// The same key read again as it is now (for taking back the taking back); empty as above.
std::string UndoRegistryRecapture(const std::string& part);

// One value, or its absence, the same way.
std::string UndoRegistryValueCapture(HKEY root, const char* path, const char* name);
bool UndoRegistryValuePutBack(const std::string& part);
std::string UndoRegistryValueRecapture(const std::string& part);
