#include "platform/windows/DispatchObject.h"

#include <oleauto.h>

#include <utility>
#include <vector>

namespace kvotlk::windows {
namespace {

// Frees the texts a failing call may leave in its exception information.
void clearException(EXCEPINFO& exception) {
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  exception = EXCEPINFO{};
}

}  // namespace

bool isGoneResult(HRESULT result) {
  return result == RPC_E_DISCONNECTED || result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) ||
         result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE) || result == RPC_E_SERVER_DIED ||
         result == RPC_E_SERVER_DIED_DNE || result == CO_E_OBJNOTCONNECTED ||
         result == CO_E_SERVER_STOPPING;
}

void KvoLink::returned(HRESULT result) {
  gone = gone || isGoneResult(result);
  if (apartment) {
    apartment->callReturned(result);
  }
}

DispatchObject::DispatchObject(std::shared_ptr<KvoLink> link, ComPtr<IDispatch> object)
    : link_(std::move(link)), object_(std::move(object)) {}

std::optional<Variant> DispatchObject::call(DISPID id,
                                            std::initializer_list<std::int32_t> args) const {
  if (!object_ || !link_ || link_->gone) {
    return std::nullopt;
  }
  // Automation passes the arguments last first.
  std::vector<VARIANTARG> arguments(args.size());
  std::size_t slot = args.size();
  for (const std::int32_t arg : args) {
    --slot;
    VariantInit(&arguments[slot]);
    arguments[slot].vt = VT_I4;
    arguments[slot].lVal = arg;
  }
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  Variant result;
  EXCEPINFO exception{};
  UINT badArgument = 0;
  const HRESULT outcome =
      object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                      &params, result.put(), &exception, &badArgument);
  if (exception.pfnDeferredFillIn != nullptr) {
    exception.pfnDeferredFillIn(&exception);
  }
  const HRESULT reported = outcome == DISP_E_EXCEPTION ? exception.scode : outcome;
  clearException(exception);
  link_->returned(reported);
  if (FAILED(outcome)) {
    return std::nullopt;
  }
  return result;
}

std::optional<std::string> DispatchObject::text(DISPID id) const {
  const auto result = call(id);
  return result ? textOf(result->get()) : std::nullopt;
}

std::optional<bool> DispatchObject::flag(DISPID id) const {
  const auto result = call(id);
  return result ? boolOf(result->get()) : std::nullopt;
}

std::optional<std::int32_t> DispatchObject::int32(DISPID id,
                                                  std::initializer_list<std::int32_t> args) const {
  const auto result = call(id, args);
  return result ? int32Of(result->get()) : std::nullopt;
}

std::optional<double> DispatchObject::real(DISPID id,
                                           std::initializer_list<std::int32_t> args) const {
  const auto result = call(id, args);
  return result ? doubleOf(result->get()) : std::nullopt;
}

std::optional<DispatchObject> DispatchObject::object(DISPID id) const {
  const auto result = call(id);
  if (!result) {
    return std::nullopt;
  }
  return DispatchObject(link_, objectOf(result->get()));
}

}  // namespace kvotlk::windows
