// The explorer's one-shot jobs: started with a switch, they do their work and end without
// a window, also while another explorer runs.
#pragma once

enum class ExplorerJob { None, Restore, UpdateMode, Prefix };

// The first job switch the command line holds, in the fixed order of the jobs.
ExplorerJob ExplorerJobFor(const char* commandLine);
void ExplorerRunJob(ExplorerJob job);
