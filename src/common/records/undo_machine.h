// Taking back a machine-wide change for an account that may not write there itself. The
// record lives in that account's store, which the account can write, so the elevated job
// puts back only records whose every part targets what one kind of Korvane action changes
// (a service's start, a kill-bit entry, an IE add-on's keys, a machine file type, a watched
// system file), all of one item named by the record's line.
#pragma once
#include <string>

#include "undo_text.h"

// True when the parts fit one machine-wide kind of action on the item titled so.
bool UndoMachineFits(const std::string& title, const UndoParts& parts);
// The job: the record numbered so in that account's store put back; 1 when every part was.
int UndoMachineRestore(const std::string& seq, const char* account);
