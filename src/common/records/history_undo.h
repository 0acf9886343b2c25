// Taking back an action of the history log: the actions marked reversible, each through the
// operation that can put back what it did.
#pragma once
#include "history_text.h"
#include "records/undo_store.h"

// 1 when the action was taken back; 0 when it could not be, or is not reversible (then
// nothing is done at all).
int HistoryUndo(const HistoryRecord& record);

enum HistoryRestoreResult {
  kRestoreNothing,  // not an action that can be taken back
  kRestoreDone,
  kRestoreFailed,
  kRestoreGone,     // its undo data is no longer kept
  kRestoreAlready,  // it was taken back before
};
// The history dialog's Restore: the starred actions as HistoryUndo takes them back, every
// other action from its undo record.
HistoryRestoreResult HistoryRestore(const HistoryRecord& record, const UndoRow& undo);
