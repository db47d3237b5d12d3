#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <atomic>
#include <map>
#include <utility>
#include <vector>

#include "platform/windows/ComPtr.h"
#include "platform/windows/Variant.h"
#include "platform/windows/WideText.h"

// The automation objects of the fake CMM software (tests/windows/FakeKalveroServer.h):
// values as the software answers them, objects answering property gets by dispatch id,
// and the event source with its connection points.
namespace kvotlk::test {

using windows::ComPtr;

// Values as the software answers them; each owns what it holds. A number converted to
// VT_BOOL is VARIANT_TRUE unless it is 0; an object value holds a reference of its own;
// an empty value is only its type (VT_EMPTY, VT_NULL, an object type holding none).
inline windows::Variant textValue(const char* utf8) {
  windows::Variant value;
  VARIANT* const held = value.put();
  held->vt = VT_BSTR;
  held->bstrVal =
      utf8 == nullptr ? nullptr : SysAllocString(windows::toWide(utf8).value_or(L"").c_str());
  return value;
}

inline windows::Variant numberValue(VARTYPE type, double number) {
  VARIANT real;
  real.vt = VT_R8;
  real.dblVal = number;
  windows::Variant value;
  VariantChangeType(value.put(), &real, 0, type);
  return value;
}

inline windows::Variant objectValue(IDispatch* object) {
  VARIANT held;
  held.vt = VT_DISPATCH;
  held.pdispVal = object;
  windows::Variant value;
  VariantCopy(value.put(), &held);
  return value;
}

inline windows::Variant emptyValue(VARTYPE type = VT_EMPTY) {
  windows::Variant value;
  value.put()->vt = type;
  return value;
}

// Shared by every object of one fake: once it has gone, every property call fails with
// `failure`.
struct FakeServerLife {
  HRESULT failure = S_OK;
  int calls = 0;
  WORD lastFlags = 0;
  std::vector<std::int32_t> lastArguments;
};

// An automation object answering property gets by dispatch id from a table of values.
class FakeObject : public IDispatch {
 public:
  explicit FakeObject(std::shared_ptr<FakeServerLife> life) : life_(std::move(life)) {}
  virtual ~FakeObject() = default;

  void set(DISPID id, windows::Variant value) { values_.insert_or_assign(id, std::move(value)); }
  void setTypeInfo(ITypeInfo* info) { typeInfo_ = ComPtr<ITypeInfo>::share(info); }
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    const bool own = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch);
    *object = own ? static_cast<IDispatch*>(this) : extraInterface(iid);
    if (*object == nullptr) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*lcid*/, ITypeInfo** info) override {
    *info = nullptr;
    return typeInfo_ ? typeInfo_->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(info))
                     : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*iid*/, LPOLESTR* /*names*/, UINT /*count*/,
                                          LCID /*lcid*/, DISPID* /*ids*/) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID /*iid*/, LCID /*lcid*/, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* /*exception*/,
                                   UINT* /*badArgument*/) override {
    ++life_->calls;
    if (FAILED(life_->failure)) {
      return life_->failure;
    }
    life_->lastFlags = flags;
    life_->lastArguments.clear();
    for (UINT i = params->cArgs; i > 0; --i) {
      const VARIANT& argument = params->rgvarg[i - 1];
      life_->lastArguments.push_back(argument.vt == VT_I4 ? argument.lVal : -1);
    }
    const auto found = values_.find(id);
    if (found == values_.end()) {
      return DISP_E_MEMBERNOTFOUND;
    }
    return VariantCopy(result, const_cast<VARIANT*>(&found->second.get()));
  }

 protected:
  // Further interfaces of a derived object; null when it has none of that IID.
  virtual void* extraInterface(REFIID /*iid*/) { return nullptr; }
  std::shared_ptr<FakeServerLife> life_;

 private:
  std::atomic<ULONG> references_{1};
  std::map<DISPID, windows::Variant> values_;
  ComPtr<ITypeInfo> typeInfo_;
};

// The object EventSource answers, with class information naming the event interface as
// its default source (unless switched off). One object plays every connection point it
// lists, answering for each the interface of the point it handed out last; sinks are
// advised for the event interface only.
class FakeEventSource final : public FakeObject,
                              public IConnectionPointContainer,
                              public IConnectionPoint,
                              public IProvideClassInfo,
                              public IEnumConnectionPoints {
 public:
  FakeEventSource(std::shared_ptr<FakeServerLife> life, const IID& eventIid,
                  ComPtr<ITypeInfo> classInfo)
      : FakeObject(std::move(life)),
        pointIids{eventIid},
        eventIid_(eventIid),
        classInfo_(std::move(classInfo)) {}

  // Calls every sink, from a copy of the list since a sink may unadvise while called.
  void fire(DISPID id, const std::vector<IDispatch*>& arguments) {
    std::vector<VARIANTARG> values(arguments.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      values[i].vt = VT_DISPATCH;
      values[i].pdispVal = arguments[arguments.size() - 1 - i];
    }
    DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    const auto sinks = sinks_;
    for (const auto& [cookie, sink] : sinks) {
      sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
  }

  int advises = 0;
  int unadvises = 0;
  std::size_t sinkCount() const { return sinks_.size(); }
  bool offerClassInfo = true;
  std::vector<IID> pointIids;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return FakeObject::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return FakeObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return FakeObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
    Reset();
    return QueryInterface(IID_IEnumConnectionPoints, reinterpret_cast<void**>(points));
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    *point = nullptr;
    return IsEqualIID(iid, eventIid_)
               ? QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(point))
               : CONNECT_E_NOCONNECTION;
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = nextPoint_ > 0 ? pointIids.at(nextPoint_ - 1) : eventIid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override {
    return QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(c));
  }
  // Like the usual server implementation, the sink is asked for the event interface. Both
  // answer even when the software has gone, so that a call sent after its end shows.
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(eventIid_, reinterpret_cast<void**>(events.put())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_.emplace(*cookie, std::move(events));
    ++advises;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    const bool removed = sinks_.erase(cookie) == 1;
    unadvises += removed ? 1 : 0;
    return removed ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** /*c*/) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
    return classInfo_->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(info));
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    const ULONG given = count > 0 && nextPoint_ < pointIids.size() ? 1 : 0;
    if (given == 1) {
      ++nextPoint_;
      QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(points));
    }
    if (fetched != nullptr) {
      *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG /*count*/) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override {
    nextPoint_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** /*copy*/) override { return E_NOTIMPL; }

 protected:
  void* extraInterface(REFIID iid) override {
    const std::pair<const IID*, void*> interfaces[] = {
        {&IID_IConnectionPointContainer, static_cast<IConnectionPointContainer*>(this)},
        {&IID_IConnectionPoint, static_cast<IConnectionPoint*>(this)},
        {&IID_IEnumConnectionPoints, static_cast<IEnumConnectionPoints*>(this)},
        {&IID_IProvideClassInfo, offerClassInfo ? static_cast<IProvideClassInfo*>(this) : nullptr}};
    for (const auto& [known, pointer] : interfaces) {
      if (IsEqualIID(iid, *known)) {
        return pointer;
      }
    }
    return nullptr;
  }

 private:
  IID eventIid_;
  ComPtr<ITypeInfo> classInfo_;
  std::map<DWORD, ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
  std::size_t nextPoint_ = 0;
};

// COM for the test's thread; declared first in a fixture so it is torn down last.
struct ComThread {
  ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComThread() { CoUninitialize(); }
};

}  // namespace kvotlk::test
