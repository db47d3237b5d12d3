#pragma once

#include <oaidl.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/windows/ComPtr.h"

// Results of automation calls, turned into the program's types the way a late-bound
// caller reads them: a by-reference value is read through, VT_EMPTY counts as zero,
// false or empty text, VT_NULL as false or empty text (and fails as a number), other
// types are converted by VariantChangeTypeEx under the user's locale.
namespace kvotlk::windows {

// Owns one VARIANT and clears it (and with it any BSTR or object inside) once.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      VariantClear(&value_);
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }

  VARIANT* put() {
    VariantClear(&value_);
    return &value_;
  }
  const VARIANT& get() const { return value_; }

 private:
  VARIANT value_;
};

std::optional<std::string> textOf(const VARIANT& value);
std::optional<bool> boolOf(const VARIANT& value);
std::optional<std::int32_t> int32Of(const VARIANT& value);
std::optional<double> doubleOf(const VARIANT& value);
// The automation object held; null for "none" (VT_EMPTY, VT_NULL, a null object, or a
// value that is no object).
ComPtr<IDispatch> objectOf(const VARIANT& value);

}  // namespace kvotlk::windows
