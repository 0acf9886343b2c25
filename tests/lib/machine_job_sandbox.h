// A registry sandbox for the elevated job's tests: what the user is told is caught instead of
// shown, and the hand-over to a real elevated explorer is refused unless a test allows it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "categories/machine_job.h"
#include "foundation/user_hooks.h"
#include "machine_job_text.h"
#include "sandbox.h"

inline constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";

// What the elevated explorer receives: the job crosses a real command line.
inline int RunAsJob(const std::string& kind, const std::vector<std::string>& fields) {
  return MachineJobFromCommandLine(
      ("\"C:\\K\\KorvaneEx.exe\" " + MachineJobArguments({kind, fields})).c_str());
}

class MachineJobSandbox : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    Told().clear();
    UserHooks hooks;
    hooks.inform = [](HWND, const char* text) { Told().emplace_back(text); };
    UserHooksInstall(hooks);
    SetEnvironmentVariableA(kFault, "job");
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    UserHooksInstall({});
    RegistrySandbox::TearDown();
  }
  static std::vector<std::string>& Told() {
    static std::vector<std::string> told;
    return told;
  }
};
