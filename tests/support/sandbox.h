// Hermetic surroundings for library tests: HKCU, HKLM and HKCR are mapped onto scratch keys
// for the life of the fixture, a scratch folder is made and removed, and the shared item list
// and the history file start and end empty.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "startup/item_list.h"

class RegistrySandbox : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Scratch folder for files; removed with everything in it after the test.
  const std::string& ScratchFolder() const { return scratch_; }
  // The real per-user key the three roots are mapped below ("<key>\HKCU", "<key>\HKLM",
  // "<key>\HKCR"), for a program outside the test that must write where the test reads.
  const std::string& ScratchKeyPath() const { return root_; }
  // Writes a file into the scratch folder and returns its full path.
  std::string WriteScratchFile(const char* name, const std::string& bytes);

 private:
  std::string root_;     // HKCU-relative path of this test's scratch keys
  std::string scratch_;  // scratch folder
  HKEY mapped_[3] = {};
};

// Reads a REG_SZ straight from the (mapped) registry; empty when missing.
std::string ReadRegString(HKEY root, const char* subkey, const char* value);
// Reads a REG_DWORD; 0 when missing or of another type.
DWORD ReadRegDword(HKEY root, const char* subkey, const char* value);
bool RegKeyExists(HKEY root, const char* subkey);
bool RegValueExists(HKEY root, const char* subkey, const char* value);
// Write straight into the registry, making the key on the way; a failed write fails the test.
void WriteRegValue(HKEY root, const std::string& subkey, const char* value, DWORD type,
                   const std::string& bytes);
void WriteRegString(HKEY root, const std::string& subkey, const char* value,
                    const std::string& text);
// Denies (or allows again) setting values and making subkeys of a key, as a standard user
// meets it on a machine-wide key; false when the access list could not be set.
bool DenyKeyWrites(HKEY root, const char* subkey, bool deny);
// Points a per-user shell folder (AppData, Startup, Cookies) at the given path.
void SetShellFolder(const char* name, const std::string& path);

// The whole file; empty when it cannot be read.
std::string FileText(const std::string& path);
bool PathExists(const std::string& path);
// A file in the test program's folder, where the sample programs are built.
std::string ProgramFile(const char* name);
std::string HistoryText();

// Rows compare by what they hold, not by where they were copied from.
bool operator==(const ItemRow& a, const ItemRow& b);
std::ostream& operator<<(std::ostream& out, const ItemRow& r);
ItemRow ReadItem(int index);
std::vector<ItemRow> ReadItems();
