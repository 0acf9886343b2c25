#include "started_programs.h"

#include <gtest/gtest.h>

PROCESS_INFORMATION StartedPrograms::Start(const std::string& program) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + program + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << program << " did not start: " << GetLastError();
    return PROCESS_INFORMATION{};
  }
  started_.push_back(process);
  return process;
}

void StartedPrograms::EndAll() {
  for (const PROCESS_INFORMATION& process : started_) {
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  started_.clear();
}
