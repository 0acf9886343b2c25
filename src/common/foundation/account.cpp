#include "foundation/account.h"

#include <sddl.h>

#include <cstring>

#include "foundation/handles.h"
#include "text.h"

std::string AccountOfProcess() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  Handle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return {};
  char* text = nullptr;
  if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
    return {};
  std::string account = text;
  LocalFree(text);
  return account;
}

std::string AccountName(const char* account) {
  const std::string text = account ? account : "";
  PSID sid = nullptr;
  if (!ConvertStringSidToSidA(text.c_str(), &sid)) return text;
  char name[256] = "", domain[256] = "";
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use = SidTypeUnknown;
  const bool named = LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use);
  LocalFree(sid);
  if (!named) return text;
  return domain[0] ? std::string(domain) + "\\" + name : std::string(name);
}

AccountHive::AccountHive(const char* account) {
  // A backslash would name a key below some other hive.
  if (account == nullptr || account[0] == '\0' || std::strchr(account, '\\')) return;
  if (EqualsNoCase(account, AccountOfProcess())) {
    key_ = HKEY_CURRENT_USER;
    return;
  }
  if (RegOpenKeyExA(HKEY_USERS, account, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

AccountHive::~AccountHive() {
  if (key_ != nullptr && key_ != HKEY_CURRENT_USER) RegCloseKey(key_);
}
