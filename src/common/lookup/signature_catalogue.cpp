#include "lookup/signature_catalogue.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
#include <mscat.h>

#include <string>

#include "foundation/handles.h"
#include "lookup/signature_verify.h"
#include "text.h"

namespace {

constexpr DWORD kHashMax = 64;
constexpr char kCatalogueFolder[] = "\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\*.cat";

void SignatureReleaseAdmin(HCATADMIN admin) { CryptCATAdminReleaseContext(admin, 0); }
using AdminOwner = Owned<HCATADMIN, SignatureReleaseAdmin>;

// A catalogue lists its members under the upper-case hex of their hash.
std::wstring SignatureMemberTag(const BYTE* hash, DWORD size) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring tag;
  for (DWORD i = 0; i < size; ++i) {
    tag += kDigits[hash[i] >> 4];
    tag += kDigits[hash[i] & 0x0F];
  }
  return tag;
}

bool SignatureCatalogueFilesPresent() {
  char pattern[MAX_PATH + sizeof kCatalogueFolder] = "";
  const UINT length = GetSystemDirectoryA(pattern, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  AppendBounded(pattern, sizeof pattern, kCatalogueFolder);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool SignatureAcquireAdmin(AdminOwner& admin) {
  GUID policy = DRIVER_ACTION_VERIFY;
  return CryptCATAdminAcquireContext(admin.Put(), &policy, 0) != FALSE;
}

// The path of the first catalogue that lists the hash; empty when none does.
std::wstring SignatureCatalogueFor(HCATADMIN admin, BYTE* hash, DWORD size) {
  HCATINFO info = CryptCATAdminEnumCatalogFromHash(admin, hash, size, 0, nullptr);
  if (info == nullptr) return {};
  CATALOG_INFO catalogue = {};
  catalogue.cbStruct = sizeof catalogue;
  const bool found = CryptCATCatalogInfoFromContext(info, &catalogue, 0) != FALSE;
  CryptCATAdminReleaseCatalogContext(admin, info, 0);
  return found ? std::wstring(catalogue.wszCatalogFile) : std::wstring();
}

}  // namespace

// A machine without a single catalogue is one whose catalogues cannot be searched (Wine has
// none): its system files are unsigned and listed nowhere.
bool SignatureCataloguesReadable() {
  static const bool readable = [] {
    AdminOwner admin;
    return SignatureAcquireAdmin(admin) && SignatureCatalogueFilesPresent();
  }();
  return readable;
}

SignatureFacts SignatureReadCatalogue(const wchar_t* path) {
  AdminOwner admin;
  if (!SignatureAcquireAdmin(admin)) return {};
  Handle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  BYTE hash[kHashMax];
  DWORD size = sizeof hash;
  if (!CryptCATAdminCalcHashFromFileHandle(file.get(), &size, hash, 0)) return {};
  const std::wstring catalogue = SignatureCatalogueFor(admin.get(), hash, size);
  if (catalogue.empty()) return {};
  const std::wstring tag = SignatureMemberTag(hash, size);
  WINTRUST_CATALOG_INFO member = {};
  member.cbStruct = sizeof member;
  member.pcwszCatalogFilePath = catalogue.c_str();
  member.pcwszMemberTag = tag.c_str();
  member.pcwszMemberFilePath = path;
  member.hMemberFile = file.get();
  member.pbCalculatedFileHash = hash;
  member.cbCalculatedFileHash = size;
  WINTRUST_DATA data = {};
  data.dwUnionChoice = WTD_CHOICE_CATALOG;
  data.pCatalog = &member;
  SignatureFacts facts;
  SignatureVerify(data, catalogue.c_str(), facts);
  facts.catalogue = true;
  return facts;
}
