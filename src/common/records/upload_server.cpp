#include "upload_server.h"

#include <windows.h>

#include "foundation/settings.h"

namespace {

constexpr int kServerSize = 512;

}  // namespace

UploadServerKind UploadServerKindOf(const char* server) {
  if (server == nullptr || server[0] == '\0') return UploadServerKind::None;
  return lstrcmpiA(server, kMakerUploadServer) == 0 ? UploadServerKind::Maker
                                                    : UploadServerKind::Other;
}

UploadServerKind UploadServerConfigured() {
  char server[kServerSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, kBaseKey, "kvserver", server, kServerSize);
  return UploadServerKindOf(server);
}
