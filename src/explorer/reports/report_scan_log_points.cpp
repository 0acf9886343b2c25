// The autostart points beyond the Run family, as O4 lines named by their short names.
#include "report_scan_log_parts.h"
#include "scan_log_text.h"
#include "startup/startup_points.h"

namespace {

void ScanLogFillStartupPoints() { StartupPointsList(); }

}  // namespace

void ScanLogWriteStartupPoints(ScanLog& log) {
  for (const ItemRow& row : ScanLogRows(ScanLogFillStartupPoints))
    ScanLogLine(log, ScanLogPointLine(StartupPointShortName(row.code), row.title, row.command));
}
