// The monitor's initialisation: settings store, snapshots, options and delayed starts.
#pragma once

void MonitorInitialize();
// The trace log's "Begin" note with the installed versions.
void MonitorTraceBegin();
