#include "pages.h"

#include "resource.h"

DLGPROC PageProcFor(int pageCommand) {
  switch (pageCommand) {
    case ID_PAGE_STARTUP: return StartupPageProc;
    case ID_PAGE_VELT: return VeltPageProc;
    case ID_PAGE_DELAYED: return DelayedPageProc;
    case ID_PAGE_SERVICES: return ServicesPageProc;
    case ID_PAGE_ACTIVE_TASKS: return ActiveTasksPageProc;
    case ID_PAGE_SCHEDULED_TASKS: return ScheduledTasksPageProc;
    case ID_PAGE_IE_HELPERS: return IEHelpersPageProc;
    case ID_PAGE_ACTIVEX: return ActiveXPageProc;
    case ID_PAGE_FILE_TYPES: return FileTypesPageProc;
    case ID_PAGE_HIDDEN_FILES: return HiddenFilesPageProc;
    case ID_PAGE_OPTIONS: return OptionsPageProc;
    case ID_PAGE_COOKIES: return CookiesPageProc;
    default: return nullptr;
  }
}
