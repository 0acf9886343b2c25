// Accounts by their SID text: the elevated job runs as whoever consented, so what the asking
// account keeps (its store, its data folder) is found through the SID it was handed.
#pragma once
#include <windows.h>

#include <string>

// The account of this process as a SID text; empty when it cannot be read.
std::string AccountOfProcess();

// "DOMAIN\user" for a SID text; the text itself when Windows cannot name it.
std::string AccountName(const char* account);

// That account's registry hive, opened for reading: HKCU for this process's own account,
// its HKEY_USERS hive otherwise. Empty when the text is not a plain SID or the hive is not
// loaded.
class AccountHive {
 public:
  explicit AccountHive(const char* account);
  ~AccountHive();
  AccountHive(const AccountHive&) = delete;
  AccountHive& operator=(const AccountHive&) = delete;
  HKEY get() const { return key_; }
  bool own() const { return key_ == HKEY_CURRENT_USER; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};
