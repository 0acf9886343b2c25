// The synthetic services: subkeys of the sandboxed HKLM Services key, the svchost-hosted ones
// running the system's own DLLs, the others programs of a third-party vendor.
#pragma once
#include "bench_sandbox.h"

struct ServicesMachine {
  int services = 0;
  int microsoft = 0;  // how many run a file whose company is Microsoft
};

// False when any of it could not be written.
bool ServicesMachineBuild(const BenchSandbox& sandbox, int services, ServicesMachine& machine);
