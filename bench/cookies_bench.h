// The cookie filter over a full-size cookies.txt against a bare read and line split of the
// same file, and the IE cookie walk over a huge folder against a bare folder walk. Prints one
// line each; false when ours did not do what it should.
#pragma once

bool CookiesBenchRun(bool quick);
