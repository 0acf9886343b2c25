// The history rows as the history dialog has them, each with its undo state.
#pragma once
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "records/history_read.h"
#include "records/undo_store.h"

// The newest row of the action and its undo state.
inline std::pair<HistoryRecord, UndoRow> NewestUndoRow(int action) {
  std::vector<HistoryRecord> rows;
  EXPECT_TRUE(HistoryReadRecords(rows));
  const std::vector<UndoRow> undo = UndoStoreRows(rows);
  for (std::size_t i = rows.size(); i-- > 0;)
    if (rows[i].actionCode == action) return {rows[i], undo[i]};
  ADD_FAILURE() << "no line of action " << action;
  return {};
}
