// The synthetic add-ons: browser helper objects, toolbars and extensions in the sandboxed
// HKLM, their classes in the sandboxed HKCR, their programs real files with version resources.
#pragma once
#include "bench_sandbox.h"

// addOns add-ons, the three kinds taking turns. False when any of it could not be written.
bool IEHelpersMachineBuild(const BenchSandbox& sandbox, int addOns);
