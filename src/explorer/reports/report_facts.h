// What the reports show of an item's program file, read once per file for a whole report: a
// machine lists the same few programs under many entries, and a report of thousands of items
// must cost little more than reading them.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "categories/service_states.h"
#include "foundation/paths.h"
#include "lookup/signature.h"
#include "records/first_detected_store.h"
#include "startup/item_list.h"

struct ReportProgram {
  std::string file;  // the normalised program file; empty when the command names none
  std::string description, version, copyright, company;
  SignatureFacts signature;    // kNone when there is no file to read
  std::string signatureText;   // as the lists show it; empty for kNone
};

struct ReportFacts {
  CommandFolders folders;
  std::unordered_map<std::string, ReportProgram> programs;  // by normalised file
  std::unordered_map<std::string, FirstDetectedStore> detected;  // by category key
  std::string build;     // the program identity, for the info links
  std::string location;  // the info links' language code
  std::string base;      // the info lookup's base address
  std::vector<std::string> disabledTitles;  // the disabled index, read once
  SignatureTexts signatureTexts;            // read once
  ServiceStates serviceStates;              // read when the first service asks
  bool serviceStatesRead = false;
};

// Reads what every item shares (folders, identity, lookup base and language) once.
void ReportFactsBegin(ReportFacts& facts);
const ReportProgram& ReportFactsProgram(ReportFacts& facts, const std::string& command);
// The first-detected text of the program under the item's code; empty when none is stored.
const std::string& ReportFactsDetected(ReportFacts& facts, const ReportProgram& program, int code);
// The item's location label, with the disabled marker for a disabled entry; empty for most
// categories.
std::string ReportFactsLocation(const ReportFacts& facts, const ItemRow& row);
// The current state's text of the service an item names; empty when the manager does not
// know it.
std::string ReportFactsServiceState(ReportFacts& facts, const ItemRow& row);
// The info lookup address of the item (the short request, the language of the strings).
std::string ReportFactsInfoAddress(const ReportFacts& facts, const ReportProgram& program,
                                   const std::string& title, int code);
