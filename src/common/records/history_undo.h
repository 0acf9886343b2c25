// Taking back an action of the history log: the actions marked reversible, each through the
// operation that can put back what it did.
#pragma once
#include "history_text.h"

// 1 when the action was taken back; 0 when it could not be, or is not reversible (then
// nothing is done at all).
int HistoryUndo(const HistoryRecord& record);
