// Registers a Task Scheduler 2.0 task through the real task service, as a setup program
// would, for tests that need one. The caller has COM initialised.
#pragma once
#include <windows.h>

#include <string>

// Exec action running command with arguments, at logon. folder "" is the root folder.
HRESULT RegisterProbeTask(const std::wstring& folder, const std::wstring& name,
                          const std::wstring& command, const std::wstring& arguments);
