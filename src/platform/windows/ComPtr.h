#pragma once

#include <unknwn.h>

#include <utility>

namespace kvotlk::windows {

// Holds one reference to a COM object and releases it once.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  static ComPtr adopt(T* raw) {
    ComPtr p;
    p.raw_ = raw;
    return p;
  }
  // Adds a reference of its own.
  static ComPtr share(T* raw) {
    if (raw != nullptr) {
      raw->AddRef();
    }
    return adopt(raw);
  }
  ComPtr(const ComPtr& other) : raw_(other.raw_) {
    if (raw_ != nullptr) {
      raw_->AddRef();
    }
  }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(raw_, other.raw_);
    return *this;
  }
  ~ComPtr() { reset(); }

  void reset() {
    if (T* const old = std::exchange(raw_, nullptr)) {
      old->Release();
    }
  }
  T* get() const { return raw_; }
  T* operator->() const { return raw_; }
  explicit operator bool() const { return raw_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** put() {
    reset();
    return &raw_;
  }
  template <class U>
  ComPtr<U> query(REFIID iid) const {
    ComPtr<U> result;
    if (raw_ != nullptr &&
        FAILED(raw_->QueryInterface(iid, reinterpret_cast<void**>(result.put())))) {
      result.reset();
    }
    return result;
  }

 private:
  T* raw_ = nullptr;
};

}  // namespace kvotlk::windows
