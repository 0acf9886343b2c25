// The JSON document of the system's items, for other programs to read: one object per item of
// the nine sections (its schema is in docs/report-json.md).
#pragma once
#include <string>

// Writes the document to path (replacing an older file only once the new one is complete);
// false, with GetLastError() telling why, when it could not be written.
bool WriteJsonReportFile(const std::string& path);
