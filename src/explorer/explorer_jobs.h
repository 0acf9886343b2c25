// The explorer's one-shot jobs: started with a switch, they do their work and end without
// a window, also while another explorer runs.
#pragma once

enum class ExplorerJob { None, Machine, Restore, UpdateMode, Prefix };

// The first job switch the command line holds, in the fixed order of the jobs; a machine
// job ("-Job", whose fields may hold any text) before the others.
ExplorerJob ExplorerJobFor(const char* commandLine);
// The process's exit code: a machine job's result, 0 for the others.
int ExplorerRunJob(ExplorerJob job, const char* commandLine);
