// Taking back a service's stop or start-type change: its start type and whether it ran are
// kept before the change and put back together.
#pragma once
#include <string>
#include <vector>

// Keeps the service's state for the line of one of these actions; false when not kept.
bool ServiceUndoRecord(const char* displayName, const char* command, int code,
                       const std::vector<int>& actions);
// The part text; empty when the service's start type cannot be read.
std::string ServiceUndoCapture(const char* displayName);
bool ServiceUndoPutBack(const std::string& part);
std::string ServiceUndoRecapture(const std::string& part);
