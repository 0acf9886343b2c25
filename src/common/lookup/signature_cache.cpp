#include <windows.h>

#include <mutex>
#include <string>
#include <unordered_map>

#include "foundation/filefacts.h"
#include "foundation/strings.h"
#include "lookup/signature.h"
#include "resource.h"

namespace {

constexpr int kTextSize = 512;
constexpr std::size_t kCachedFilesMax = 4096;

struct CachedSignature {
  FileStamp stamp;
  SignatureFacts facts;
};

std::mutex g_signatureLock;
std::unordered_map<std::string, CachedSignature> g_signatures;

std::string SignatureString(int number) {
  char text[kTextSize] = "";
  LocalString(number, text, sizeof text);
  return text;
}

bool SignatureCacheFind(const std::string& key, const FileStamp& stamp, SignatureFacts& out) {
  std::lock_guard<std::mutex> lock(g_signatureLock);
  const auto cached = g_signatures.find(key);
  if (cached == g_signatures.end() || !FileStampSame(cached->second.stamp, stamp)) return false;
  out = cached->second.facts;
  return true;
}

void SignatureCacheStore(const std::string& key, const FileStamp& stamp,
                         const SignatureFacts& facts) {
  std::lock_guard<std::mutex> lock(g_signatureLock);
  if (g_signatures.size() >= kCachedFilesMax) g_signatures.clear();
  g_signatures[key] = CachedSignature{stamp, facts};
}

}  // namespace

// Reading a signature hashes the whole file; the sweep and every list fill ask about the same
// programs again and again.
SignatureFacts SignatureOf(const char* path) {
  const FileStamp stamp = FileStampOf(path);
  if (!stamp.valid) return {};
  const std::string key = SignatureCacheKey(path);
  SignatureFacts facts;
  if (SignatureCacheFind(key, stamp, facts)) return facts;
  facts = SignatureRead(path);
  // A file that changed while it was read is read again next time.
  if (FileStampSame(stamp, FileStampOf(path))) SignatureCacheStore(key, stamp, facts);
  return facts;
}

// Only the state's own text is loaded: a translation's texts come from the registry.
std::string SignatureTextOf(const SignatureFacts& facts) {
  SignatureTexts texts;
  switch (facts.state) {
    case SignatureState::kValid: texts.valid = SignatureString(IDS_SIGNATURE_VALID); break;
    case SignatureState::kInvalid: texts.invalid = SignatureString(IDS_SIGNATURE_INVALID); break;
    case SignatureState::kUnsigned:
      texts.notSigned = SignatureString(IDS_SIGNATURE_UNSIGNED);
      break;
    default: return {};
  }
  return SignatureShownText(facts.state, facts.signer, texts);
}

SignatureTexts SignatureTextsLoad() {
  SignatureTexts texts;
  texts.valid = SignatureString(IDS_SIGNATURE_VALID);
  texts.invalid = SignatureString(IDS_SIGNATURE_INVALID);
  texts.notSigned = SignatureString(IDS_SIGNATURE_UNSIGNED);
  return texts;
}

std::string SignatureText(const char* path) { return SignatureTextOf(SignatureOf(path)); }

void SignatureCacheClear() {
  std::lock_guard<std::mutex> lock(g_signatureLock);
  g_signatures.clear();
}
