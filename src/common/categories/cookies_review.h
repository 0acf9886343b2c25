// What the user decides about single cookies: the explorer's removal and keeping, and the
// monitor's question when cookies the user has not kept turn up.
#pragma once

// Removes the listed cookie of that title from the kept-cookies store and from the browser:
// with the IE kind its file in the cookie folder is deleted, with the Mozilla kind a once-only
// Nut names it (the explorer then filters the file). 0 when nothing could be done.
int CookiesRemove(const char* title);
// Marks the cookie of that title kept.
int CookiesKeep(const char* title);
// True when the kept-cookies store holds the title with a non-empty value.
bool CookieIsKept(const char* title);
// Index of the first listed cookie whose title has no non-empty kept value; -1 when none.
int CookiesFirstUnkept();
// The new-cookie question: lists the cookies without filter and, when one is not kept, asks
// through the askCookieReview hook. After an earlier "No to All" of the same cycle the answer
// is No without asking. True when the user wants to review them.
bool CookiesAskReview(bool noToAll);
