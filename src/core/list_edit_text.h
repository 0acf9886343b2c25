// Taking one item out of, or adding one to, a separated list such as the win.ini
// "load=" / "run=" lines or AppInit_DLLs. Platform-free: a second comparable form of an
// item (its long path) is handed in by the caller.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ListEditRule {
  std::string_view separators;  // any of them ends an item
  char joiner;                  // written between kept items
  bool terminated;              // every kept item is followed by the joiner ("a;b;")
};
inline constexpr ListEditRule kWinIniListRule{";", ';', true};
inline constexpr ListEditRule kAppInitListRule{", ", ',', false};

// Another form under which an item counts as the same (e.g. its long path); may be empty.
using ListEditForm = std::function<std::string(std::string_view)>;

// The non-empty items of text.
std::vector<std::string> ListEditSplit(std::string_view text, std::string_view separators);
// Same item: equal ignoring case, quotes and surrounding blanks, or equal in the other form.
bool ListEditSame(std::string_view a, std::string_view b, const ListEditForm& form);
// Rebuilds text without every item that is the same as item; returns how many were dropped.
// When none was, out is text unchanged. firstDropped, when given, gets the first dropped item
// as it was written.
int ListEditRemove(std::string_view text, std::string_view item, const ListEditRule& rule,
                   const ListEditForm& form, std::string& out, std::string* firstDropped = nullptr);
// Adds item at the end and returns 1, keeping the existing text as it is. Returns 0 with
// out = text when item is empty, holds a separator or is already in the list.
int ListEditAppend(std::string_view text, std::string_view item, const ListEditRule& rule,
                   const ListEditForm& form, std::string& out);
