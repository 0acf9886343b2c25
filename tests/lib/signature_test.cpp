// Code signatures of real files: the three states of the signed, tampered and unsigned
// stand-ins made in the build, the catalogue fallback, the cache, hostile certificate tables,
// and the Microsoft filters that a company text or a self-made certificate cannot fool.
#include "lookup/signature.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "categories/activex.h"
#include "categories/microsoft_program.h"
#include "categories/services.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "lookup/signature_catalogue.h"
#include "sandbox.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr char kSigner[] = "Korvane Test Signer";
constexpr DWORD kHostileLimitMs = 10000;
constexpr std::size_t kHugeCertificateTable = 10u * 1024u * 1024u;

std::string SystemFile(const char* name) {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

bool SetWriteTime(const std::string& path, const FILETIME& time) {
  Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && SetFileTime(file.get(), nullptr, nullptr, &time);
}

FILETIME WriteTimeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Where the PE's certificate table sits: the offset of its directory entry, and the table.
struct CertificateTable {
  std::size_t entry = 0;
  DWORD offset = 0, size = 0;
};
bool FindCertificateTable(const std::string& image, CertificateTable& table) {
  if (image.size() < 0x40) return false;
  DWORD header = 0;
  std::memcpy(&header, image.data() + 0x3C, sizeof header);
  const std::size_t optional = static_cast<std::size_t>(header) + 24;
  if (optional + 2 > image.size()) return false;
  WORD magic = 0;
  std::memcpy(&magic, image.data() + optional, sizeof magic);
  const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);
  table.entry = directories + IMAGE_DIRECTORY_ENTRY_SECURITY * 8;
  if (table.entry + 8 > image.size()) return false;
  std::memcpy(&table.offset, image.data() + table.entry, 4);
  std::memcpy(&table.size, image.data() + table.entry + 4, 4);
  return table.offset != 0 && table.offset + static_cast<std::size_t>(table.size) == image.size();
}

class SignatureTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    SignatureCacheClear();
    if (!PathExists(signed_) || !PathExists(tampered_) || !PathExists(claim_))
      GTEST_SKIP() << "the signed stand-ins were not made (openssl or osslsigncode missing)";
  }
  void TearDown() override {
    SignatureCacheClear();
    RegistrySandbox::TearDown();
  }
  // The signed stand-in's bytes with its certificate table replaced by what make gives.
  template <class Make>
  std::string HostileCopy(const char* name, Make make) {
    std::string image = FileText(signed_);
    CertificateTable table;
    EXPECT_TRUE(FindCertificateTable(image, table)) << "the signed stand-in has no table";
    make(image, table);
    return WriteScratchFile(name, image);
  }
  const std::string signed_ = ProgramFile("kv_signed_sample.exe");
  const std::string tampered_ = ProgramFile("kv_tampered_sample.exe");
  const std::string unsigned_ = ProgramFile("kv_signature_sample.exe");
  const std::string claim_ = ProgramFile("kv_ms_claim_sample.exe");
};

}  // namespace

TEST_F(SignatureTest, SignedTamperedAndUnsignedProgramsEachShowTheirState) {
  const SignatureFacts valid = SignatureOf(signed_.c_str());
  EXPECT_EQ(SignatureState::kValid, valid.state);
  EXPECT_EQ(kSigner, valid.signer);
  EXPECT_FALSE(valid.microsoftRoot);
  EXPECT_EQ(std::string("Signed by ") + kSigner, SignatureText(signed_.c_str()));

  // One changed byte of code breaks the digest: no signer is taken from such a file.
  const SignatureFacts tampered = SignatureOf(tampered_.c_str());
  EXPECT_EQ(SignatureState::kInvalid, tampered.state);
  EXPECT_EQ("", tampered.signer);
  EXPECT_EQ("Signature not valid: changed after signing, or not trusted",
            SignatureText(tampered_.c_str()));

  EXPECT_EQ(SignatureState::kUnsigned, SignatureOf(unsigned_.c_str()).state);
  EXPECT_EQ("Not signed", SignatureText(unsigned_.c_str()));

  // A file that is no program, a folder and a missing file have nothing to show.
  const std::string text = WriteScratchFile("notes.txt", "plain text, no program\r\n");
  EXPECT_EQ(SignatureState::kNone, SignatureOf(text.c_str()).state);
  EXPECT_EQ("", SignatureText(text.c_str()));
  EXPECT_EQ(SignatureState::kNone, SignatureOf(ScratchFolder().c_str()).state);
  EXPECT_EQ("", SignatureText((ScratchFolder() + "\\missing.exe").c_str()));
  EXPECT_EQ("", SignatureText(""));
}

// Wine keeps no catalogues, so its own files are unsigned and listed in none. The catalogue
// search itself runs (admin context, the file's hash, the search) and finds nothing.
TEST_F(SignatureTest, FilesListedInNoCatalogueStayUnsigned) {
  const std::string system = SystemFile("shell32.dll");
  const SignatureFacts facts = SignatureRead(system.c_str());
  if (SignatureCataloguesReadable()) {  // Windows signs its own files through catalogues
    EXPECT_TRUE(facts.catalogue);
    EXPECT_EQ(SignatureState::kValid, facts.state);
  } else {
    EXPECT_FALSE(facts.catalogue);
    EXPECT_EQ(SignatureState::kUnsigned, facts.state);
  }
  for (const std::string& path : {unsigned_, system}) {
    const std::wstring wide(path.begin(), path.end());
    const SignatureFacts listed = SignatureReadCatalogue(wide.c_str());
    if (!SignatureCataloguesReadable()) {
      EXPECT_EQ(SignatureState::kNone, listed.state) << path;
    }
    EXPECT_EQ(listed.state != SignatureState::kNone, listed.catalogue) << path;
  }
}

TEST_F(SignatureTest, CacheReadsAFileAgainOnlyWhenItsSizeOrLastWriteChanged) {
  const std::string program = ScratchFolder() + "\\program.exe";
  ASSERT_TRUE(CopyFileA(unsigned_.c_str(), program.c_str(), FALSE));
  EXPECT_EQ(SignatureState::kUnsigned, SignatureOf(program.c_str()).state);

  // Replaced by a file of another size: read again.
  ASSERT_TRUE(CopyFileA(signed_.c_str(), program.c_str(), FALSE));
  EXPECT_EQ(SignatureState::kValid, SignatureOf(program.c_str()).state);
  const FILETIME signedTime = WriteTimeOf(program);

  // Same size (one byte differs), another last write: read again.
  ASSERT_TRUE(CopyFileA(tampered_.c_str(), program.c_str(), FALSE));
  FILETIME later = signedTime;
  later.dwLowDateTime += 20000000;
  if (later.dwLowDateTime < signedTime.dwLowDateTime) ++later.dwHighDateTime;
  ASSERT_TRUE(SetWriteTime(program, later));
  EXPECT_EQ(SignatureState::kInvalid, SignatureOf(program.c_str()).state);

  // Size and last write as remembered: the reading stands, whatever way the path is written.
  ASSERT_TRUE(CopyFileA(signed_.c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(SetWriteTime(program, later));
  const std::string shouted = UpperText(program);
  EXPECT_EQ(SignatureState::kInvalid, SignatureOf(shouted.c_str()).state);
  SignatureCacheClear();
  EXPECT_EQ(SignatureState::kValid, SignatureOf(program.c_str()).state);
}

TEST_F(SignatureTest, ReadingsFromManyThreadsAgree) {
  const std::string files[] = {signed_, tampered_, unsigned_};
  const SignatureState expected[] = {SignatureState::kValid, SignatureState::kInvalid,
                                     SignatureState::kUnsigned};
  std::vector<int> wrong(8, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < wrong.size(); ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 30; ++round) {
        const std::size_t which = (t + static_cast<std::size_t>(round)) % 3;
        if (SignatureOf(files[which].c_str()).state != expected[which]) ++wrong[t];
        if (round % 10 == 9 && t == 0) SignatureCacheClear();
      }
    });
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < wrong.size(); ++t) EXPECT_EQ(0, wrong[t]) << "thread " << t;
}

// Broken certificate tables are somebody's doing: shown as not valid, quickly, and without
// taking the reader down.
TEST_F(SignatureTest, HostileCertificateTablesAreNotValidAndDoNotHang) {
  const std::string truncated = HostileCopy("truncated.exe", [](std::string& image, const CertificateTable& table) {
    image.resize(table.offset + table.size / 2);
  });
  const std::string huge = HostileCopy("huge.exe", [](std::string& image, const CertificateTable& table) {
    image.resize(table.offset);
    const DWORD length = static_cast<DWORD>(kHugeCertificateTable);
    const WORD revision = 0x200, type = 2;  // WIN_CERT_TYPE_PKCS_SIGNED_DATA
    image.append(reinterpret_cast<const char*>(&length), 4);
    image.append(reinterpret_cast<const char*>(&revision), 2);
    image.append(reinterpret_cast<const char*>(&type), 2);
    image.append(kHugeCertificateTable - 8, '\x30');
    std::memcpy(image.data() + table.entry + 4, &length, 4);
  });
  const std::string beyond = HostileCopy("beyond.exe", [](std::string& image, const CertificateTable& table) {
    const DWORD size = 0xFFFFFFF0u;
    std::memcpy(image.data() + table.entry + 4, &size, 4);
  });
  for (const std::string& path : {truncated, huge, beyond}) {
    const DWORD start = GetTickCount();
    const SignatureFacts facts = SignatureOf(path.c_str());
    EXPECT_LT(GetTickCount() - start, kHostileLimitMs) << path;
    EXPECT_NE(SignatureState::kValid, facts.state) << path;
    EXPECT_EQ("", facts.signer) << path;
  }
  EXPECT_EQ(SignatureState::kInvalid, SignatureOf(truncated.c_str()).state);
  EXPECT_EQ(SignatureState::kInvalid, SignatureOf(huge.c_str()).state);
}

TEST_F(SignatureTest, MicrosoftIsASignatureNotACompanyText) {
  // Both stand-ins call themselves "Microsoft Corporation"; one is even signed by a
  // certificate of that name, but it does not end in Microsoft's root.
  EXPECT_FALSE(MicrosoftProgram(unsigned_.c_str()));
  const SignatureFacts claim = SignatureOf(claim_.c_str());
  EXPECT_EQ(SignatureState::kValid, claim.state);
  EXPECT_EQ("Microsoft Corporation", claim.signer);
  EXPECT_FALSE(claim.microsoftRoot);
  EXPECT_FALSE(MicrosoftProgram(claim_.c_str()));
  // The same unsigned program copied into the System folder counts by its company text only
  // while the catalogues cannot be searched.
  const std::string inSystem = SystemFile("kv_signature_claim.exe");
  ASSERT_TRUE(CopyFileA(unsigned_.c_str(), inSystem.c_str(), FALSE));
  EXPECT_EQ(!SignatureCataloguesReadable(), MicrosoftProgram(inSystem.c_str()));
  DeleteFileA(inSystem.c_str());
  const std::string tamperedInSystem = SystemFile("kv_signature_tampered.exe");
  ASSERT_TRUE(CopyFileA(tampered_.c_str(), tamperedInSystem.c_str(), FALSE));
  EXPECT_FALSE(MicrosoftProgram(tamperedInSystem.c_str()));
  DeleteFileA(tamperedInSystem.c_str());
}

TEST_F(SignatureTest, HideMicrosoftFiltersShowProgramsThatOnlyClaimToBeMicrosoft) {
  const std::string services = kServicesRegistryKey;
  for (const auto& [name, program] : {std::pair{"KvClaimUnsigned", unsigned_},
                                      std::pair{"KvClaimSigned", claim_}}) {
    WriteRegString(HKEY_LOCAL_MACHINE, services + "\\" + name, "ImagePath", program);
    WriteRegString(HKEY_LOCAL_MACHINE, services + "\\" + name, "DisplayName", name);
  }
  // Windows' own, hosted by svchost: unsigned under Wine, and Wine has no catalogues.
  WriteRegString(HKEY_LOCAL_MACHINE, services + "\\KvSystem", "ImagePath",
                 SystemFile("svchost.exe") + " -k kv");
  WriteRegString(HKEY_LOCAL_MACHINE, services + "\\KvSystem", "DisplayName", "KvSystem");
  WriteRegString(HKEY_LOCAL_MACHINE, services + "\\KvSystem\\Parameters", "ServiceDll",
                 SystemFile("shell32.dll"));
  OptionSet("HideMicrosoftServices", 1);
  EnumerateServices(0);
  std::vector<std::string> titles;
  for (const ItemRow& row : ReadItems()) titles.push_back(row.title);
  EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), "KvClaimUnsigned"));
  EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), "KvClaimSigned"));
  EXPECT_EQ(titles.end(), std::find(titles.begin(), titles.end(), "KvSystem"));

  constexpr char kClsid[] = "{0F000000-0000-4000-8000-00000000000F}";
  const std::string stats = std::string(kActiveXStatsKey) + "\\" + kClsid + "\\iexplore";
  SettingsWriteNumber(HKEY_CURRENT_USER, stats.c_str(), "Type", 1);
  const std::string server = std::string("CLSID\\") + kClsid;
  SettingsWriteString(HKEY_CLASSES_ROOT, server.c_str(), "", "Claiming Control");
  SettingsWriteString(HKEY_CLASSES_ROOT, (server + "\\InprocServer32").c_str(), "", claim_.c_str());
  OptionSet("HideMicrosoftActiveX", 1);
  ASSERT_EQ(1, EnumerateActiveX(0));
  EXPECT_EQ("Claiming Control", ReadItem(0).title);
}
