// Which startup entries are the monitor's and the explorer's own.
#pragma once

// True when the command starts one of our two programs from our own folder (or names it
// without a folder): a foreign entry that merely mentions the name is not ours.
bool OwnEntryCommand(const char* command);
