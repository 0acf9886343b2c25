// The nine sections of the system report and of the JSON document, in their order: each fills
// the shared item list with its category's items and says what more its items show.
#pragma once
#include <vector>

#include "startup/item_list.h"

enum class ReportSectionKind { Plain, Services, HiddenFiles, IEHelpers };

struct ReportSection {
  int heading;           // string id of the heading
  const char* category;  // the category's name in the JSON document
  void (*fill)();        // empties the item list and fills it with the section's items
  ReportSectionKind kind;
};

inline constexpr int kReportSectionCount = 9;
// The HTML index links the first seven; Hidden Files and ActiveX have anchors only.
inline constexpr int kReportIndexedSections = 7;
extern const ReportSection kReportSections[kReportSectionCount];

// The section's items with a title or a command, in list order. The item list is left empty.
std::vector<ItemRow> ReportSectionRows(const ReportSection& section);
// The machine key an IE helper of this code is registered under; null for other codes.
const char* ReportSectionHelperKey(int code);
