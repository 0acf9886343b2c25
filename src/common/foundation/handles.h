// Small owners for platform handles, so every early return closes what it opened.
#pragma once
#include <windows.h>
#include <utility>

class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) { Reset(); key_ = std::exchange(other.key_, nullptr); }
    return *this;
  }
  ~RegKey() { Reset(); }

  // Opens root\subkey with the given access; false (and no key held) on failure.
  bool Open(HKEY root, const char* subkey, REGSAM access) {
    Reset();
    if (RegOpenKeyExA(root, subkey, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    return key_ != nullptr;
  }
  // Creates root\subkey and any missing parents.
  bool Create(HKEY root, const char* subkey, REGSAM access) {
    Reset();
    if (RegCreateKeyExA(root, subkey, 0, nullptr, 0, access, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS)
      key_ = nullptr;
    return key_ != nullptr;
  }
  void Reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// Owner for kernel handles; INVALID_HANDLE_VALUE and null both mean "none".
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) { Reset(); h_ = std::exchange(other.h_, nullptr); }
    return *this;
  }
  ~Handle() { Reset(); }
  void Reset(HANDLE h = nullptr) {
    if (valid()) CloseHandle(h_);
    h_ = h;
  }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }

 private:
  HANDLE h_ = nullptr;
};

// Owner for a COM interface pointer.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T** Put() { Reset(); return &p_; }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// Owner for a handle of any other kind, given back with Release; null means "none".
template <class T, void (*Release)(T)>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }
  void Reset(T h = nullptr) {
    if (h_) Release(h_);
    h_ = h;
  }
  T* Put() { Reset(); return &h_; }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  T h_ = nullptr;
};
