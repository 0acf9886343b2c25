#include "signature_bench.h"

#include <windows.h>

#include <string>
#include <vector>

#include "bench_files.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "lookup/signature.h"

namespace {

constexpr char kSignedSample[] = "kv_signed_sample.exe";

std::string SignatureBenchBeside(const char* name) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::string self(path);
  return self.substr(0, self.rfind('\\') + 1) + name;
}

// Half of the files signed (the test build's signed stand-in, when it was made) and half
// unsigned, as a machine's startup programs and services are.
bool SignatureBenchFiles(const std::string& folder, int count, std::vector<std::string>& files,
                         std::vector<SignatureState>& expected) {
  const std::string signedSample = SignatureBenchBeside(kSignedSample);
  const bool haveSigned = GetFileAttributesA(signedSample.c_str()) != INVALID_FILE_ATTRIBUTES;
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "\\program" + std::to_string(i) + ".exe";
    const bool signedCopy = haveSigned && i % 2 == 0;
    const bool made = signedCopy ? CopyFileA(signedSample.c_str(), path.c_str(), FALSE) != FALSE
                                 : BenchVendorCopy(path);
    if (!made) return false;
    files.push_back(path);
    expected.push_back(signedCopy ? SignatureState::kValid : SignatureState::kUnsigned);
  }
  return true;
}

bool SignatureBenchReadAll(const std::vector<std::string>& files,
                           const std::vector<SignatureState>& expected) {
  bool sound = true;
  for (std::size_t i = 0; i < files.size(); ++i)
    sound = SignatureOf(files[i].c_str()).state == expected[i] && sound;
  return sound;
}

}  // namespace

SignatureBenchResult SignatureBenchRun(int count, int repetitions) {
  SignatureBenchResult result;
  result.files = count;
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return result;
  std::vector<std::string> files;
  std::vector<SignatureState> expected;
  if (SignatureBenchFiles(sandbox.folder, count, files, expected)) {
    // The trust provider's libraries load on the first check; that is no cost of a file.
    SignatureRead(SignatureBenchBeside("kv_bench.exe").c_str());
    bool sound = true;
    std::vector<double> cold, warm;
    for (int run = 0; run < repetitions; ++run) {
      SignatureCacheClear();
      double start = BenchNowMs();
      sound = SignatureBenchReadAll(files, expected) && sound;
      cold.push_back(BenchNowMs() - start);
      start = BenchNowMs();
      sound = SignatureBenchReadAll(files, expected) && sound;
      warm.push_back(BenchNowMs() - start);
    }
    result.coldMs = BenchMedian(cold);
    result.warmMs = BenchMedian(warm);
    result.sound = sound;
  }
  SignatureCacheClear();
  BenchSandboxClose(sandbox);
  return result;
}
