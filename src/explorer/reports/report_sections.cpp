#include "report_sections.h"

#include "categories/active_tasks.h"
#include "categories/activex.h"
#include "categories/file_types.h"
#include "categories/hidden_files.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/services.h"
#include "foundation/options.h"
#include "startup/delayed_start.h"
#include "startup/startup_list.h"

namespace {

void ReportFillStartup() { BuildStartupList(0); }
void ReportFillDelayed() { LoadDelayedList(); }
void ReportFillActiveTasks() { EnumerateActiveTasks(); }
// A scheduler that cannot be asked may leave the list as it was: the section is then empty.
void ReportFillScheduledTasks() {
  if (EnumerateScheduledTasks() <= 0) ItemListClear();
}
void ReportFillIEHelpers() { EnumerateIEHelpers(); }
void ReportFillFileTypes() { EnumerateFileTypes(); }
void ReportFillServices() { EnumerateServices(0); }
void ReportFillHiddenFiles() { EnumerateHiddenFiles(); }
// As the ActiveX page lists them: every registration when the user asked for all.
void ReportFillActiveX() {
  if (OptionRead(kOptActiveXListAll) > 0)
    EnumerateAllActiveX();
  else
    EnumerateActiveX(0);
}

}  // namespace

const ReportSection kReportSections[kReportSectionCount] = {
    {606, "startup", ReportFillStartup, ReportSectionKind::Plain},
    {609, "delayedStart", ReportFillDelayed, ReportSectionKind::Plain},
    {607, "activeTasks", ReportFillActiveTasks, ReportSectionKind::Plain},
    {680, "scheduledTasks", ReportFillScheduledTasks, ReportSectionKind::Plain},
    {694, "ieHelpers", ReportFillIEHelpers, ReportSectionKind::IEHelpers},
    {739, "fileTypes", ReportFillFileTypes, ReportSectionKind::Plain},
    {636, "services", ReportFillServices, ReportSectionKind::Services},
    {973, "hiddenFiles", ReportFillHiddenFiles, ReportSectionKind::HiddenFiles},
    {1155, "activeX", ReportFillActiveX, ReportSectionKind::Plain},
};

std::vector<ItemRow> ReportSectionRows(const ReportSection& section) {
  section.fill();
  std::vector<ItemRow> rows;
  rows.reserve(static_cast<std::size_t>(ItemCount()));
  for (int i = 0; i < ItemCount(); ++i) {
    ItemRow row = ItemRowAt(i);
    if (!row.title.empty() || !row.command.empty()) rows.push_back(std::move(row));
  }
  ItemListClear();
  return rows;
}

const char* ReportSectionHelperKey(int code) {
  switch (code) {
    case kTypeBHO: return kBHOKey;
    case kTypeToolbar: return kToolbarKey;
    case kTypeExtension: return kExtensionsKey;
    default: return nullptr;
  }
}
