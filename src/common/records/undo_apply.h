// Taking back an action from its undo record.
#pragma once
#include <string>

#include "history_text.h"
#include "records/undo_store.h"

enum UndoApplyResult { kUndoApplied = 1, kUndoFailed = 0, kUndoMissing = -1 };

// One part put back by the module its tag names; false for a tag no module has.
bool UndoApplyPart(const std::string& tag, const std::string& part);
// Keeps what the parts hold now (so the taking back can itself be taken back), puts every
// part back (a machine-wide record through the elevated job when this account may not),
// marks the record and writes the line of the taking back. A part that could not be put back
// leaves the record unmarked and writes no line.
int UndoApplyRow(const HistoryRecord& row, const UndoRow& undo);
