#include "lookup/signature.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>

#include <vector>

#include "foundation/handles.h"
#include "lookup/signature_catalogue.h"
#include "lookup/signature_verify.h"

namespace {

constexpr DWORD kSignerInfoMax = 64 * 1024;
constexpr int kSignerNameSize = 256;
constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

void SignatureCloseStore(HCERTSTORE store) { CertCloseStore(store, 0); }
void SignatureCloseMessage(HCRYPTMSG message) { CryptMsgClose(message); }
void SignatureFreeCertificate(PCCERT_CONTEXT cert) { CertFreeCertificateContext(cert); }
using StoreOwner = Owned<HCERTSTORE, SignatureCloseStore>;
using MessageOwner = Owned<HCRYPTMSG, SignatureCloseMessage>;
using CertificateOwner = Owned<PCCERT_CONTEXT, SignatureFreeCertificate>;

std::wstring SignatureWidePath(const char* path) {
  const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length) != length) return {};
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// The signer the check found; null when it found none, whatever it answered.
CRYPT_PROVIDER_SGNR* SignatureCheckedSigner(HANDLE state) {
  CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(state);
  return provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
}

bool SignatureMicrosoftRoot(const CRYPT_PROVIDER_SGNR& signer) {
  if (signer.pChainContext == nullptr) return false;
  CERT_CHAIN_POLICY_PARA para = {};
  para.cbSize = sizeof para;
  CERT_CHAIN_POLICY_STATUS status = {};
  status.cbSize = sizeof status;
  return CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_MICROSOFT_ROOT,
                                          signer.pChainContext, &para, &status) &&
         status.dwError == 0;
}

// The signer's certificate as the signed message names it (issuer and serial number).
CertificateOwner SignatureSignerCertificate(HCERTSTORE store, HCRYPTMSG message) {
  DWORD size = 0;
  if (!CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0 ||
      size > kSignerInfoMax)
    return CertificateOwner();
  std::vector<BYTE> buffer(size);
  if (!CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size))
    return CertificateOwner();
  const auto* info = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());
  CERT_INFO wanted = {};
  wanted.Issuer = info->Issuer;
  wanted.SerialNumber = info->SerialNumber;
  return CertificateOwner(
      CertFindCertificateInStore(store, kEncoding, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr));
}

// Programs and libraries begin with "MZ". Anything else is no program, and asking the trust
// provider about it would only try every subject format it knows in turn.
bool SignatureIsProgram(const wchar_t* path) {
  Handle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char start[2] = {};
  DWORD read = 0;
  return file && ReadFile(file.get(), start, sizeof start, &read, nullptr) &&
         read == sizeof start && start[0] == 'M' && start[1] == 'Z';
}

SignatureFacts SignatureReadEmbedded(const wchar_t* path) {
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = path;
  WINTRUST_DATA data = {};
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  SignatureFacts facts;
  SignatureVerify(data, path, facts);
  return facts;
}

}  // namespace

void SignatureVerify(WINTRUST_DATA& data, const wchar_t* signedFile, SignatureFacts& facts) {
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  // Only what is at hand: a certificate never sends the check out onto the network.
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  const LONG result = WinVerifyTrust(nullptr, &action, &data);
  facts.state = SignatureStateOfTrust(static_cast<std::uint32_t>(result));
  if (facts.state == SignatureState::kValid) {
    // A trust provider that could not be loaded answers "valid" having checked nothing.
    const CRYPT_PROVIDER_SGNR* signer = SignatureCheckedSigner(data.hWVTStateData);
    if (signer == nullptr) {
      facts.state = SignatureState::kNone;
    } else {
      facts.microsoftRoot = SignatureMicrosoftRoot(*signer);
      facts.signer = SignatureSignerName(signedFile);
    }
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(nullptr, &action, &data);
}

std::string SignatureSignerName(const wchar_t* signedFile) {
  StoreOwner store;
  MessageOwner message;
  DWORD encoding = 0, content = 0, format = 0;
  if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, signedFile,
                        CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED |
                            CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED,
                        CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &content, &format,
                        store.Put(), message.Put(), nullptr))
    return {};
  const CertificateOwner cert = SignatureSignerCertificate(store.get(), message.get());
  if (!cert) return {};
  char name[kSignerNameSize] = "";
  if (CertGetNameStringA(cert.get(), CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name,
                         sizeof name) <= 1)
    return {};
  return name;
}

SignatureFacts SignatureRead(const char* path) {
  if (path == nullptr || path[0] == '\0') return {};
  const std::wstring wide = SignatureWidePath(path);
  if (wide.empty()) return {};
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !SignatureIsProgram(wide.c_str()))
    return {};
  SignatureFacts facts = SignatureReadEmbedded(wide.c_str());
  if (facts.state != SignatureState::kUnsigned || !SignatureCataloguesReadable()) return facts;
  SignatureFacts listed = SignatureReadCatalogue(wide.c_str());
  return listed.state == SignatureState::kNone ? facts : listed;
}
