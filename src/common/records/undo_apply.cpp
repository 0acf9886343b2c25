#include "records/undo_apply.h"

#include "categories/cookies_mozilla_undo.h"
#include "categories/machine_job.h"
#include "categories/scheduled_tasks_v2_undo.h"
#include "categories/service_undo.h"
#include "foundation/trace.h"
#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_machine.h"
#include "records/undo_registry.h"
#include "startup/delayed_undo.h"
#include "startup/startup_undo.h"
#include "undo_text.h"

namespace {

struct UndoPartKind {
  const char* tag;
  bool (*putBack)(const std::string& part);
  std::string (*recapture)(const std::string& part);
};
const UndoPartKind kUndoPartKinds[] = {
    {kUndoPartRegistry, UndoRegistryPutBack, UndoRegistryRecapture},
    {kUndoPartRegistryValue, UndoRegistryValuePutBack, UndoRegistryValueRecapture},
    {kUndoPartFile, UndoFilePutBack, UndoFileRecapture},
    {kUndoPartService, ServiceUndoPutBack, ServiceUndoRecapture},
    {kUndoPartStartup, StartupUndoPutBack, StartupUndoRecapture},
    {kUndoPartDelayed, DelayedUndoPutBack, DelayedUndoRecapture},
    {kUndoPartCookieLines, MozillaUndoPutBack, MozillaUndoRecapture},
    {kUndoPartTaskV2, TaskV2UndoPutBack, TaskV2UndoRecapture},
};

const UndoPartKind* UndoKindOf(const std::string& tag) {
  for (const UndoPartKind& kind : kUndoPartKinds)
    if (tag == kind.tag) return &kind;
  return nullptr;
}

void UndoKeepRedo(const HistoryRecord& row, const UndoRow& undo, const UndoParts& parts) {
  UndoParts now;
  for (const auto& [tag, part] : parts) {
    const std::string again = UndoKindOf(tag)->recapture(part);
    if (again.empty()) return;
    now.emplace_back(tag, again);
  }
  UndoLineKey key;
  key.actions = {undo.undoAction};
  key.undoAction = row.actionCode;
  key.typeCode = row.typeCode;
  key.title = row.title;
  key.command = row.command;
  if (!UndoStoreRecord(key, UndoDataText(now)))
    TraceNote("undo", "what the taking back changes could not be kept");
}

// A machine-wide record that this account may not put back itself goes, whole, to the elevated
// job, which reads it from this account's store rather than from its command line.
bool UndoPutBackAll(const HistoryRecord& row, const UndoRow& undo, const UndoParts& parts) {
  const bool machine = UndoMachineFits(row.title, parts);
  if (!machine || MachineJobDirectAllowed()) {
    bool all = true;
    for (const auto& [tag, part] : parts) all = UndoApplyPart(tag, part) && all;
    if (all || !machine) return all;
  }
  return MachineJobHandOver(MachineJobUndoRestore(undo.seq)) == kMachineJobDone;
}

}  // namespace

bool UndoApplyPart(const std::string& tag, const std::string& part) {
  const UndoPartKind* kind = UndoKindOf(tag);
  return kind != nullptr && kind->putBack(part);
}

int UndoApplyRow(const HistoryRecord& row, const UndoRow& undo) {
  std::string data;
  UndoParts parts;
  if (undo.state != kUndoRowReady || !UndoStoreData(undo.seq, data) ||
      !UndoDataParts(data, parts) || parts.empty())
    return kUndoMissing;
  for (const auto& part : parts)
    if (UndoKindOf(part.first) == nullptr) return kUndoMissing;
  UndoKeepRedo(row, undo, parts);
  if (!UndoPutBackAll(row, undo, parts)) return kUndoFailed;
  if (!UndoStoreMarkUndone(undo.seq)) TraceNote("undo", "the taken-back record was not marked");
  const std::string extra =
      undo.undoAction == kActUndoRestore ? HistoryActionNameOf(row.actionCode) : row.extra;
  HistoryWrite(row.title.c_str(), row.command.c_str(), extra.c_str(), row.typeCode,
               undo.undoAction);
  return kUndoApplied;
}
