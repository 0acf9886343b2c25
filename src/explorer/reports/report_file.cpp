#include "report_file.h"

#include <utility>

#include "foundation/paths.h"

namespace {
constexpr std::size_t kReportBufferSize = 256 * 1024;
}

std::string ReportDataPath(const char* fileName) {
  char folder[kPathSize] = "";
  if (DataFolder(folder, kPathSize) == 0) return {};
  std::string path = folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + fileName;
}

ReportFile::ReportFile(std::string targetPath)
    : target_(std::move(targetPath)), temporary_(target_ + ".new") {
  if (target_.empty()) {
    error_ = ERROR_PATH_NOT_FOUND;
    return;
  }
  file_.Reset(CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  ok_ = file_.valid();
  if (!ok_) error_ = GetLastError();
  buffer_.reserve(kReportBufferSize);
}

ReportFile::~ReportFile() {
  if (committed_ || !file_.valid()) return;
  file_.Reset();
  DeleteFileA(temporary_.c_str());
}

void ReportFile::Write(std::string_view text) {
  if (!ok_) return;
  buffer_.append(text);
  if (buffer_.size() >= kReportBufferSize) Flush();
}

void ReportFile::WriteLine(std::string_view text) {
  Write(text);
  Write("\r\n");
}

bool ReportFile::Flush() {
  if (!ok_ || buffer_.empty()) return ok_;
  DWORD written = 0;
  if (!WriteFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &written,
                 nullptr) ||
      written != buffer_.size()) {
    error_ = GetLastError();
    if (error_ == 0) error_ = ERROR_WRITE_FAULT;
    ok_ = false;
  }
  buffer_.clear();
  return ok_;
}

bool ReportFile::Commit() {
  if (ok_ && Flush()) {
    file_.Reset();
    if (MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      committed_ = true;
      return true;
    }
    error_ = GetLastError();
    ok_ = false;
  }
  file_.Reset();
  DeleteFileA(temporary_.c_str());
  SetLastError(error_);
  return false;
}
