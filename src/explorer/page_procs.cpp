#include "pages.h"

#include "resource.h"

DLGPROC PageProcFor(int pageCommand) {
  switch (pageCommand) {
    case ID_PAGE_STARTUP: return StartupPageProc;
    case ID_PAGE_VELT: return VeltPageProc;
    case ID_PAGE_DELAYED: return DelayedPageProc;
    default: return nullptr;
  }
}
