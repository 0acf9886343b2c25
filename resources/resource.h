// Every resource id of the two programs and the companion.
// String ids are the string-table numbers the programs address texts by.
#pragma once

// Icons
#define IDI_PROGRAM 101

// Strings
#define IDS_CLASS_NAME 1
#define IDS_CAPTION 2
#define IDS_CONFIRM_EXIT 17
#define IDS_EXPLORER_CAPTION 622
#define IDS_LANGUAGE_CODE 634
#define IDS_EXPLORER_MISSING 795
#define IDS_TRAY_IDLE 820
