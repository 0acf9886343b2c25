#include "list_edit_text.h"

#include "text.h"

namespace {

bool IsSeparator(char c, std::string_view separators) {
  return separators.find(c) != std::string_view::npos;
}

std::string Comparable(std::string_view text) {
  std::string plain;
  for (char c : text)
    if (c != '"') plain += c;
  const std::size_t first = plain.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = plain.find_last_not_of(" \t");
  return plain.substr(first, last - first + 1);
}

void AppendItem(std::string& out, std::string_view item, const ListEditRule& rule) {
  if (!out.empty() && !rule.terminated) out += rule.joiner;
  out += item;
  if (rule.terminated) out += rule.joiner;
}

}  // namespace

std::vector<std::string> ListEditSplit(std::string_view text, std::string_view separators) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsSeparator(text[i], separators)) continue;
    if (i > start) items.emplace_back(text.substr(start, i - start));
    start = i + 1;
  }
  return items;
}

bool ListEditSame(std::string_view a, std::string_view b, const ListEditForm& form) {
  const std::string left = Comparable(a);
  const std::string right = Comparable(b);
  if (left.empty() || right.empty()) return false;
  if (EqualsNoCase(left, right)) return true;
  if (!form) return false;
  const std::string leftForm = form(left);
  const std::string rightForm = form(right);
  return !leftForm.empty() && EqualsNoCase(leftForm, rightForm);
}

int ListEditRemove(std::string_view text, std::string_view item, const ListEditRule& rule,
                   const ListEditForm& form, std::string& out, std::string* firstDropped) {
  std::string kept;
  int dropped = 0;
  for (const std::string& entry : ListEditSplit(text, rule.separators)) {
    if (ListEditSame(entry, item, form)) {
      if (dropped++ == 0 && firstDropped) *firstDropped = entry;
    } else {
      AppendItem(kept, entry, rule);
    }
  }
  out = dropped ? kept : std::string(text);
  return dropped;
}

int ListEditAppend(std::string_view text, std::string_view item, const ListEditRule& rule,
                   const ListEditForm& form, std::string& out) {
  out = std::string(text);
  if (Comparable(item).empty()) return 0;
  for (char c : item)
    if (IsSeparator(c, rule.separators)) return 0;
  for (const std::string& entry : ListEditSplit(text, rule.separators))
    if (ListEditSame(entry, item, form)) return 0;
  if (!out.empty() && !IsSeparator(out.back(), rule.separators)) out += rule.joiner;
  out += item;
  return 1;
}
