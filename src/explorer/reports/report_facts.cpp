#include "report_facts.h"

#include "categories/services.h"
#include "foundation/filefacts.h"
#include "foundation/strings.h"
#include "lookup/info.h"
#include "lookup_text.h"
#include "records/first_detected.h"
#include "resource.h"
#include "startup/disabled_titles.h"
#include "startup/locations.h"
#include "text.h"

namespace {

constexpr int kIdentitySize = 128;
constexpr int kLanguageCodeSize = 16;
constexpr char kDefaultLocation[] = "en";
constexpr int kLabelSize = 512;

bool ReportFactsFullPath(const std::string& file) {
  return file.size() > 2 && (file[1] == ':' || (file[0] == '\\' && file[1] == '\\'));
}

// A name without its drive is looked for in the Windows and System folders; a full path is
// read as it is, without the existence test's walk through the short form of every folder on
// the way (a file that is not there has no version strings either).
ReportProgram ReportFactsRead(const std::string& file, const SignatureTexts& signatureTexts) {
  ReportProgram program;
  program.file = file;
  char path[kPathSize];
  CopyBounded(path, sizeof path, file);
  if (file.empty() || (!ReportFactsFullPath(file) && !FileExists(path))) return program;
  VersionStrings version;
  ReadVersionStrings(path, &version);
  program.description = version.text[kFileDescription];
  program.version = version.text[kProductVersion];
  program.copyright = version.text[kLegalCopyright];
  program.company = version.text[kCompanyName];
  program.signature = SignatureOf(path);
  program.signatureText = SignatureShownText(program.signature.state, program.signature.signer,
                                             signatureTexts);
  return program;
}

}  // namespace

void ReportFactsBegin(ReportFacts& facts) {
  CommandFoldersRead(facts.folders);
  char build[kIdentitySize] = "";
  ProgramIdentity(build, sizeof build);
  facts.build = build;
  char code[kLanguageCodeSize] = "";
  facts.location = LocalString(IDS_LANGUAGE_CODE, code, sizeof code) > 0 ? code : kDefaultLocation;
  char base[kLookupBaseMax + 1] = "";
  LookupBaseAddress(base, sizeof base);
  facts.base = base;
  facts.disabledTitles = DisabledTitleList();
  facts.signatureTexts = SignatureTextsLoad();
}

std::string ReportFactsServiceState(ReportFacts& facts, const ItemRow& row) {
  if (!facts.serviceStatesRead) {
    facts.serviceStates = ServiceStatesRead();
    facts.serviceStatesRead = true;
  }
  if (!ServiceStatesKnown(facts.serviceStates, row.title.c_str())) return {};
  char text[kServiceStateTextSize] = "";
  ServiceStatesText(ServiceStatesFind(facts.serviceStates, row.title.c_str()), text, sizeof text);
  return text;
}

std::string ReportFactsLocation(const ReportFacts& facts, const ItemRow& row) {
  char label[kLabelSize] = "";
  const bool disabled =
      row.code <= kLocationNotify &&
      DisabledEntryHolds(facts.disabledTitles, row.code, row.title.c_str(), row.key.c_str());
  LocationLabelOf(disabled, row.code, label, sizeof label);
  return label;
}

const ReportProgram& ReportFactsProgram(ReportFacts& facts, const std::string& command) {
  char file[kPathSize] = "";
  NormaliseCommandIn(facts.folders, command.c_str(), file, sizeof file);
  auto found = facts.programs.find(file);
  if (found == facts.programs.end())
    found = facts.programs.emplace(file, ReportFactsRead(file, facts.signatureTexts)).first;
  return found->second;
}

const std::string& ReportFactsDetected(ReportFacts& facts, const ReportProgram& program, int code) {
  static const std::string kNone;
  auto [store, added] = facts.detected.try_emplace(FirstDetectedKey(code));
  if (added) store->second = FirstDetectedStoreRead(code);
  if (program.file.empty()) return kNone;
  const auto found = store->second.byName.find(UpperText(program.file));
  return found == store->second.byName.end() ? kNone : found->second;
}

std::string ReportFactsInfoAddress(const ReportFacts& facts, const ReportProgram& program,
                                   const std::string& title, int code) {
  LookupRequest request;
  request.kind = code;
  request.location = facts.location;
  request.build = facts.build;
  request.normalised = program.file;
  request.title = title;
  request.company = program.company;
  request.version = program.version;
  return ShortLookupAddress(facts.base, request);
}
