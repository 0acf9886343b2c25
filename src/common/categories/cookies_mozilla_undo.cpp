#include "categories/cookies_mozilla_undo.h"

#include <string_view>

#include "cookie_lines_text.h"
#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_store.h"
#include "undo_text.h"

namespace {

// The history's name for Netscape-family cookies.
constexpr int kMozillaUndoType = 501;
constexpr char kMozillaUndoAdd[] = "add";
constexpr char kMozillaUndoDrop[] = "drop";

// The first dropped cookie names the line; the extra text says how many went with it.
std::string MozillaUndoTitle(const std::string& lines) {
  std::string title;
  CookieForEachLine(lines, [&](std::string_view line) {
    CookieFields fields;
    if (title.empty() && CookieLineFields(line, fields)) title = CookieTitle(fields);
  });
  return title;
}

std::string MozillaUndoCount(const std::string& lines) {
  std::size_t count = 0;
  CookieForEachLine(lines, [&](std::string_view line) { count += line.empty() ? 0 : 1; });
  return std::to_string(count);
}

UndoLineKey MozillaUndoKey(const std::string& path, const std::string& lines) {
  UndoLineKey key;
  key.actions = {kActCookieRemove};
  key.typeCode = kMozillaUndoType;
  key.title = MozillaUndoTitle(lines);
  key.command = path;
  return key;
}

// The file's bytes now; false when it is there but cannot be read. A missing file reads empty.
bool MozillaUndoRead(const std::string& path, std::string& text) {
  const auto fields = UndoParseFields(UndoFileCapture(path.c_str()));
  if (!fields || fields->size() != 3) return false;
  text = (*fields)[1] == "1" ? (*fields)[2] : std::string();
  return true;
}

}  // namespace

bool MozillaUndoRecord(const std::string& path, const std::string& lines) {
  if (path.empty() || lines.empty()) return false;
  return UndoStoreKeep(MozillaUndoKey(path, lines),
                       {{kUndoPartCookieLines, UndoFieldsText({path, kMozillaUndoAdd, lines})}});
}

void MozillaUndoRemovedLine(const std::string& path, const std::string& lines) {
  HistoryWrite(MozillaUndoTitle(lines).c_str(), path.c_str(), MozillaUndoCount(lines).c_str(),
               kMozillaUndoType, kActCookieRemove);
}

bool MozillaUndoPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3 || (*fields)[0].empty()) return false;
  const std::string& path = (*fields)[0];
  const bool add = (*fields)[1] == kMozillaUndoAdd;
  if (!add && (*fields)[1] != kMozillaUndoDrop) return false;
  std::string text;
  if (!MozillaUndoRead(path, text)) return false;
  const std::string changed = add ? CookieLinesAdded(text, (*fields)[2])
                                  : CookieLinesRemoved(text, (*fields)[2]);
  return changed == text || UndoFilePutBack(UndoFieldsText({path, "1", changed}));
}

// The same lines the other way round: what was added is dropped again.
std::string MozillaUndoRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3) return std::string();
  const bool add = (*fields)[1] == kMozillaUndoAdd;
  return UndoFieldsText({(*fields)[0], add ? kMozillaUndoDrop : kMozillaUndoAdd, (*fields)[2]});
}
