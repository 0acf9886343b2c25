#include "history_undo.h"

#include "categories/hidden_files.h"
#include "records/history.h"
#include "records/undo_apply.h"
#include "startup/startup_machine_remove.h"

int HistoryUndo(const HistoryRecord& record) {
  if (!HistoryActionReversible(record.actionCode)) return 0;
  switch (record.actionCode) {
    // The removal wrote the entry's key as the line's extra text.
    case kActStartRemove:
      return StartupMachineRestore(record.title.c_str(), record.command.c_str(),
                                   record.extra.c_str(), record.typeCode);
    case kActHiddenDeleteFile:
      return RestoreHiddenFileFromVault(record.command.c_str()) ? 1 : 0;
    default:
      return 0;
  }
}

HistoryRestoreResult HistoryRestore(const HistoryRecord& record, const UndoRow& undo) {
  if (HistoryActionReversible(record.actionCode))
    return HistoryUndo(record) ? kRestoreDone : kRestoreFailed;
  switch (undo.state) {
    case kUndoRowReady:
      switch (UndoApplyRow(record, undo)) {
        case kUndoApplied: return kRestoreDone;
        case kUndoMissing: return kRestoreGone;
        default: return kRestoreFailed;
      }
    case kUndoRowGone: return kRestoreGone;
    case kUndoRowDone: return kRestoreAlready;
    default: return kRestoreNothing;
  }
}
