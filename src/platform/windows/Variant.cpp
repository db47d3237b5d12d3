#include "platform/windows/Variant.h"

#include <oleauto.h>

#include "platform/windows/WideText.h"

namespace kvotlk::windows {
namespace {

// The conversion functions take their source as non-const but leave it unchanged.
VARIANTARG* source(const VARIANT& value) { return const_cast<VARIANTARG*>(&value); }

// A copy with any by-reference level read through; nullopt when that fails.
std::optional<Variant> readThrough(const VARIANT& value) {
  Variant plain;
  if (FAILED(VariantCopyInd(plain.put(), source(value)))) {
    return std::nullopt;
  }
  return plain;
}

std::optional<Variant> converted(const VARIANT& value, VARTYPE type) {
  auto plain = readThrough(value);
  if (!plain) {
    return std::nullopt;
  }
  Variant result;
  if (FAILED(
          VariantChangeTypeEx(result.put(), source(plain->get()), LOCALE_USER_DEFAULT, 0, type))) {
    return std::nullopt;
  }
  return result;
}

bool isNothing(const VARIANT& value) { return value.vt == VT_EMPTY || value.vt == VT_NULL; }

}  // namespace

std::optional<std::string> textOf(const VARIANT& value) {
  const auto plain = readThrough(value);
  if (plain && isNothing(plain->get())) {
    return std::string();
  }
  const auto text = converted(value, VT_BSTR);
  if (!text) {
    return std::nullopt;
  }
  const BSTR bstr = text->get().bstrVal;
  return bstr == nullptr ? std::string() : fromWide(std::wstring_view(bstr, SysStringLen(bstr)));
}

std::optional<bool> boolOf(const VARIANT& value) {
  const auto plain = readThrough(value);
  if (plain && isNothing(plain->get())) {
    return false;
  }
  const auto flag = converted(value, VT_BOOL);
  if (!flag) {
    return std::nullopt;
  }
  return flag->get().boolVal != VARIANT_FALSE;
}

std::optional<std::int32_t> int32Of(const VARIANT& value) {
  const auto number = converted(value, VT_I4);
  if (!number) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(number->get().lVal);
}

std::optional<double> doubleOf(const VARIANT& value) {
  const auto number = converted(value, VT_R8);
  if (!number) {
    return std::nullopt;
  }
  return number->get().dblVal;
}

ComPtr<IDispatch> objectOf(const VARIANT& value) {
  const auto plain = readThrough(value);
  if (!plain) {
    return {};
  }
  const VARIANT& v = plain->get();
  if (v.vt == VT_DISPATCH) {
    return ComPtr<IDispatch>::share(v.pdispVal);
  }
  if (v.vt == VT_UNKNOWN) {
    return ComPtr<IUnknown>::share(v.punkVal).query<IDispatch>(IID_IDispatch);
  }
  return {};
}

}  // namespace kvotlk::windows
