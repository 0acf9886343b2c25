#include "records/history_upload.h"

#include <windows.h>
#include <wininet.h>

#include <string>

#include "foundation/settings.h"
#include "records/history.h"
#include "upload_text.h"

namespace {

inline constexpr int kServerSize = 512;
inline constexpr int kCodeSize = 32;
inline constexpr DWORD kReplyBytes = 32;
inline constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                       INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  HINTERNET get() const { return h_; }

 private:
  HINTERNET h_;
};

// Set on every handle: some clients take the times only from the connection or request.
void UploadBoundTimes(HINTERNET handle) {
  DWORD timeout = kUploadTimeoutMs;
  DWORD retries = 1;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionA(handle, option, &timeout, sizeof timeout);
  InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
}

struct UploadTarget {
  std::string host, object;
  INTERNET_PORT port = 0;
  bool secure = false;
};

bool UploadCrack(const std::string& address, UploadTarget& target) {
  char host[INTERNET_MAX_HOST_NAME_LENGTH] = "";
  char object[INTERNET_MAX_URL_LENGTH] = "";
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUrlPath = object;
  parts.dwUrlPathLength = sizeof object;
  char extra[INTERNET_MAX_URL_LENGTH] = "";
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(address.c_str(), 0, 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
    return false;
  target.host = host;
  target.object = std::string(object) + extra;
  target.port = parts.nPort;
  target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return true;
}

std::string UploadReply(HINTERNET request) {
  char reply[kReplyBytes + 1] = "";
  DWORD total = 0;
  for (DWORD read = 1; total < kReplyBytes && read > 0; total += read) {
    read = 0;
    if (!InternetReadFile(request, reply + total, kReplyBytes - total, &read)) break;
  }
  reply[total] = '\0';
  return reply;
}

}  // namespace

int HistoryUpload(const char* action, const char* type, const char* title, const char* command) {
  char server[kServerSize] = "";
  if (SettingsReadString(HKEY_LOCAL_MACHINE, kBaseKey, "kvserver", server, kServerSize) == 0)
    return 0;
  char code[kCodeSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, kBaseKey, "kvid", code, kCodeSize);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[64] = "";
  HistoryStamp(now, stamp, sizeof stamp);
  const UploadRecord record{code,  stamp, action ? action : "", type ? type : "",
                            title ? title : "", command ? command : ""};
  const std::string address = UploadAddress(server, record);

  UploadTarget target;
  if (!UploadCrack(address, target)) return 0;
  InternetHandle session(InternetOpenA("History", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.get()) return 0;
  UploadBoundTimes(session.get());
  InternetHandle connection(InternetConnectA(session.get(), target.host.c_str(), target.port,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection.get()) return 0;
  UploadBoundTimes(connection.get());
  const DWORD flags = kRequestFlags | (target.secure ? INTERNET_FLAG_SECURE : 0);
  InternetHandle request(HttpOpenRequestA(connection.get(), "GET", target.object.c_str(),
                                          nullptr, nullptr, nullptr, flags, 0));
  if (!request.get()) return 0;
  UploadBoundTimes(request.get());
  if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return 0;
  return UploadReply(request.get())[0] == '1' ? 1 : 0;
}
