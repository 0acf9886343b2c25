// Which collecting address the per-machine kvserver names: none, someone else's, or the
// maker's own. Choices that hide alerts are offered only with the maker's.
#pragma once

inline constexpr char kMakerUploadServer[] = "http://www.tamsel.com/cgi-bin/history.pl?";

enum class UploadServerKind { None, Other, Maker };

// By the address text; an empty text is no address. The comparison ignores case.
UploadServerKind UploadServerKindOf(const char* server);
// By the kvserver value of this machine.
UploadServerKind UploadServerConfigured();
