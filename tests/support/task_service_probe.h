// Tasks of the Task Scheduler 2.0 for tests: registered through the real task service, as a
// setup program would, or written as Windows writes task files.
#pragma once
#include <windows.h>

#include <string>

#include "sandbox.h"

// A registry sandbox the task service's client works in, with COM initialised; folder_ is
// where the service keeps its task files.
class TaskServiceSandbox : public RegistrySandbox {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string folder_;
};

// The text as UTF-16 with its byte-order mark, as Windows writes task files.
std::string Utf16WithMark(const std::string& ascii);

// Exec action running command with arguments, at logon. folder "" is the root folder. The
// caller has COM initialised.
HRESULT RegisterProbeTask(const std::wstring& folder, const std::wstring& name,
                          const std::wstring& command, const std::wstring& arguments);
