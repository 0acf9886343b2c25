// Text rules of the autostart points kept in registry values: a value's items (one text, a
// comma list or a multi-string), the system's own items left out, a list rebuilt without or
// with one item, and Explorer's StartupApproved marks. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class PointListKind { kSingle, kCommaList, kMultiString };

// The items of a value's data as the registry returned it (any bytes, NULs anywhere). kSingle:
// the text up to its first NUL; kCommaList: that text split at ','; kMultiString: the texts
// between NULs. Items are trimmed of blanks; empty ones are dropped.
std::vector<std::string> PointItems(std::string_view data, PointListKind kind);

// A title for a list item: its file name (after the last '\\', up to a blank) without the
// extension; "" when nothing is left.
std::string PointTitle(std::string_view item);

// True when item is one of the system's own: equal ignoring case, or, for a default ending in
// '*', starting with the text before it.
bool PointIsDefault(std::string_view item, const std::vector<std::string_view>& defaults);

// The same item of a list: equal ignoring case, quotes and blanks around it (the item list
// keeps commands without quotes); an item cut to the
// item list's 259 characters still matches the stored one it was cut from.
bool PointSameItem(std::string_view stored, std::string_view listed);

// The value's data rebuilt without the first item that is the same as item; removed says
// whether one was. A multi-string ends with two NULs, a comma list has no ',' at its end.
std::string PointListWithout(std::string_view data, PointListKind kind, std::string_view item,
                             bool& removed);
// The data with item appended; unchanged when the list holds it already.
std::string PointListWith(std::string_view data, PointListKind kind, std::string_view item);

// Explorer's StartupApproved data: the first byte's lowest bit set means the user turned the
// entry off (0x03, 0x07), clear means on (0x02, 0x06). No data reads as on.
bool PointApprovedDisabled(std::string_view data);
// The 12 bytes Explorer writes: 0x03 with the time it was turned off (a FILETIME, low part
// first), or 0x02 with zeros.
std::string PointApprovedData(bool disabled, unsigned long long fileTime);

// Two folder paths name the same folder: equal ignoring case and a final backslash.
bool PointSameFolder(std::string_view a, std::string_view b);
