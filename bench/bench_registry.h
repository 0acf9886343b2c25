// Writing the synthetic machines' registry values; each write creates its key when missing.
#pragma once
#include <windows.h>

#include <string>

bool BenchWriteValue(HKEY root, const std::string& path, const char* name, DWORD type,
                     const void* data, DWORD size);
bool BenchWriteText(HKEY root, const std::string& path, const char* name,
                    const std::string& text, DWORD type = REG_SZ);
bool BenchWriteNumber(HKEY root, const std::string& path, const char* name, DWORD number);
