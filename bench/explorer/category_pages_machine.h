// What the category pages' bench adds to the category benches' machines: delayed-start
// records and ActiveX controls over real program files, hidden files, and idle copies of the
// bench running for the Active Tasks page.
#pragma once
#include <string>
#include <vector>

#include "bench_sandbox.h"
#include "foundation/handles.h"

// The command line switch that makes the bench wait, idle, until it is ended.
inline constexpr char kBenchIdleSwitch[] = "--idle";

// count per-user delay records over programs vendor copies in the sandbox folder.
bool DelayedMachineBuild(const BenchSandbox& sandbox, int count, int programs);
// count controls used by the browser, each with its class and server in the sandboxed HKCR.
bool ActiveXMachineBuild(const BenchSandbox& sandbox, int count, int programs);
// count hidden files in the first folder the Hidden Files category searches; their paths go
// into files, also when one could not be made.
bool HiddenMachineBuild(int count, std::vector<std::string>& files);
void HiddenMachineRemove(std::vector<std::string>& files);
// count copies of this program started with the idle switch; false when one did not start.
bool IdleProcessesStart(int count, std::vector<Handle>& processes);
void IdleProcessesStop(std::vector<Handle>& processes);
