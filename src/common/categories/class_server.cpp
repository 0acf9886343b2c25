#include "categories/class_server.h"

#include <string>

#include "foundation/settings.h"
#include "text.h"

namespace {

constexpr int kClassNameSize = 512;
constexpr int kServerPathSize = 260;
constexpr int kReadSize = 1025;

// Reads a default value cut to the capacity rather than dropped when longer.
void ReadDefault(const std::string& subkey, char* out, int capacity) {
  char text[kReadSize] = "";
  SettingsReadString(HKEY_CLASSES_ROOT, subkey.c_str(), "", text, sizeof text);
  CopyBounded(out, static_cast<std::size_t>(capacity), text);
}

}  // namespace

void LookUpClassServer(const char* clsid, char* className512, char* serverPath260) {
  const std::string id = clsid ? clsid : "";
  std::string key = "CLSID\\";
  key += id.empty() || id[0] != '{' ? "{" + id + "}" : id;
  if (className512) ReadDefault(key, className512, kClassNameSize);
  if (serverPath260) ReadDefault(key + "\\InprocServer32", serverPath260, kServerPathSize);
}
