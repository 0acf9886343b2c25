#include <windows.h>

#include "alerts.h"
#include "categories/cookies.h"
#include "categories/cookies_mozilla.h"
#include "categories/cookies_nuts.h"
#include "categories/cookies_review.h"
#include "explorer_launch.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "resource.h"
#include "sweep.h"
#include "sweep_steps.h"
#include "tray_icon.h"

bool g_sweepNoToAll = false;

namespace {

inline constexpr char kReviewSwitch[] = "-COOKIES";
inline constexpr int kQuestionSize = 1024;

}  // namespace

bool SweepCookiesQuestion() {
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_COOKIES);
  g_sweep.alertShowing = true;
  g_traceUserWait = true;
  AlertSound(kSoundCookie);
  char question[kQuestionSize] = "";
  LocalString(IDS_NEW_COOKIES_QUESTION, question, sizeof question);
  const bool yes = ShowMessage(nullptr, question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
  g_sweep.alertShowing = false;
  return yes;
}

void FilterCookies() {
  CookieKindSet(CookieKindOfBrowser(BrowserKind()));
  if (CookieKindGet() == kCookieKindIE) EnumerateCookies(1);
}

// Not tied to the cookie kind: the kind is only set when the Nuts interval is on, and a
// waiting file must still reach the browser when it is off.
void FilterMozillaCookies() {
  if (!ReplaceMozillaCookieFile()) return;
  SetUpdateCookieFile(false);
  DropOnceNuts();
}

void CheckNewCookies() {
  if (CookiesAskReview(g_sweepNoToAll)) StartExplorer(kReviewSwitch);
}
