// Owner for service-manager handles, so every early return closes what it opened.
#pragma once
#include <windows.h>
#include <utility>

class ServiceHandle {
 public:
  ServiceHandle() = default;
  explicit ServiceHandle(SC_HANDLE h) : h_(h) {}
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  ServiceHandle(ServiceHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  ServiceHandle& operator=(ServiceHandle&& other) noexcept {
    if (this != &other) { Reset(); h_ = std::exchange(other.h_, nullptr); }
    return *this;
  }
  ~ServiceHandle() { Reset(); }
  void Reset(SC_HANDLE h = nullptr) {
    if (h_) CloseServiceHandle(h_);
    h_ = h;
  }
  SC_HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  SC_HANDLE h_ = nullptr;
};
