#include "csv_text.h"

namespace {

bool StartsFormula(std::string_view field) {
  if (field.empty()) return false;
  const char first = field.front();
  return first == '=' || first == '+' || first == '-' || first == '@';
}

bool NeedsQuotes(std::string_view field) {
  if (field.find_first_of(",\"\r\n") != std::string_view::npos) return true;
  return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

// A quoted field from the opening quote at pos; pos ends past the closing quote.
bool ReadQuoted(std::string_view text, std::size_t& pos, std::string& field) {
  ++pos;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c != '"') {
      field += c;
    } else if (pos < text.size() && text[pos] == '"') {
      field += '"';
      ++pos;
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string CsvDefused(std::string_view field) {
  std::string out;
  if (StartsFormula(field)) out += '\'';
  out.append(field);
  return out;
}

std::string CsvField(std::string_view field) {
  const std::string plain = CsvDefused(field);
  if (!NeedsQuotes(plain)) return plain;
  std::string out = "\"";
  for (char c : plain) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(fields[i]);
  }
  return out + "\r\n";
}

bool CsvReadRecord(std::string_view text, std::size_t& pos, std::vector<std::string>& fields) {
  fields.clear();
  if (pos >= text.size()) return false;
  std::string field;
  bool fieldStart = true;
  while (pos < text.size()) {
    if (fieldStart && text[pos] == '"' && !ReadQuoted(text, pos, field)) return false;
    fieldStart = false;
    if (pos >= text.size()) break;
    const char c = text[pos++];
    if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
      fieldStart = true;
    } else if (c == '\n') {
      break;
    } else if (c == '\r' && pos < text.size() && text[pos] == '\n') {
      ++pos;
      break;
    } else {
      field += c;
    }
  }
  fields.push_back(std::move(field));
  return true;
}
