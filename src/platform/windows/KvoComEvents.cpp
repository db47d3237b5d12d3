#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <utility>

#include "platform/windows/KvoComObjects.h"

// The execution events of the CMM software: an event sink advised through the connection
// point of the object that EventSource answers.
namespace kvotlk::windows {
namespace {

// The event interface: its IID and type information.
struct SourceInterface {
  IID iid{};
  ComPtr<ITypeInfo> info;
};

std::optional<IID> guidOf(ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  if (info == nullptr || FAILED(info->GetTypeAttr(&attributes))) {
    return std::nullopt;
  }
  const IID iid = attributes->guid;
  info->ReleaseTypeAttr(attributes);
  return iid;
}

// The default source interface of the object's class, from IProvideClassInfo.
std::optional<SourceInterface> defaultSourceOf(const DispatchObject& object) {
  const auto provider =
      ComPtr<IDispatch>::share(object.get()).query<IProvideClassInfo>(IID_IProvideClassInfo);
  ComPtr<ITypeInfo> classInfo;
  TYPEATTR* attributes = nullptr;
  if (!provider || FAILED(provider->GetClassInfo(classInfo.put())) || !classInfo ||
      FAILED(classInfo->GetTypeAttr(&attributes))) {
    return std::nullopt;
  }
  const UINT count = attributes->cImplTypes;
  classInfo->ReleaseTypeAttr(attributes);
  constexpr INT wanted = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    SourceInterface source;
    if (SUCCEEDED(classInfo->GetImplTypeFlags(i, &flags)) && (flags & wanted) == wanted &&
        SUCCEEDED(classInfo->GetRefTypeOfImplType(i, &reference)) &&
        SUCCEEDED(classInfo->GetRefTypeInfo(reference, source.info.put()))) {
      const auto iid = guidOf(source.info.get());
      if (!iid) {
        return std::nullopt;
      }
      source.iid = *iid;
      return source;
    }
  }
  return std::nullopt;
}

// Without class information: the first connection point, its interface described in the
// type library that holds the object's own type information.
std::optional<SourceInterface> firstConnectionPointOf(const DispatchObject& object,
                                                      IConnectionPointContainer* container) {
  ComPtr<IEnumConnectionPoints> points;
  ComPtr<IConnectionPoint> first;
  SourceInterface source;
  if (FAILED(container->EnumConnectionPoints(points.put())) || !points ||
      points->Next(1, first.put(), nullptr) != S_OK || !first ||
      FAILED(first->GetConnectionInterface(&source.iid))) {
    return std::nullopt;
  }
  ComPtr<ITypeInfo> ownInfo;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  if (FAILED(object.get()->GetTypeInfo(0, LOCALE_USER_DEFAULT, ownInfo.put())) || !ownInfo ||
      FAILED(ownInfo->GetContainingTypeLib(library.put(), &index)) || !library ||
      FAILED(library->GetTypeInfoOfGuid(source.iid, source.info.put()))) {
    return std::nullopt;
  }
  return source;
}

std::optional<DISPID> idByName(ITypeInfo* info, const wchar_t* name) {
  std::wstring copy(name);
  LPOLESTR names[] = {copy.data()};
  MEMBERID id = MEMBERID_NIL;
  if (info == nullptr || FAILED(info->GetIDsOfNames(names, 1, &id))) {
    return std::nullopt;
  }
  return id;
}

// The same interface described by the type library registered on this machine, read in
// this process.
ComPtr<ITypeInfo> registeredInfo(ITypeInfo* info, const IID& iid) {
  ComPtr<ITypeLib> library;
  UINT index = 0;
  TLIBATTR* attributes = nullptr;
  if (FAILED(info->GetContainingTypeLib(library.put(), &index)) || !library ||
      FAILED(library->GetLibAttr(&attributes))) {
    return {};
  }
  const TLIBATTR version = *attributes;
  library->ReleaseTLibAttr(attributes);
  ComPtr<ITypeLib> local;
  ComPtr<ITypeInfo> localInfo;
  if (FAILED(LoadRegTypeLib(version.guid, version.wMajorVerNum, version.wMinorVerNum, version.lcid,
                            local.put())) ||
      FAILED(local->GetTypeInfoOfGuid(iid, localInfo.put()))) {
    return {};
  }
  return localInfo;
}

// Looks the name up among the interface's functions, one by one.
std::optional<DISPID> idByScan(ITypeInfo* info, const wchar_t* name) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) {
    return std::nullopt;
  }
  const UINT count = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) {
      continue;
    }
    const MEMBERID id = function->memid;
    info->ReleaseFuncDesc(function);
    BSTR found = nullptr;
    if (FAILED(info->GetDocumentation(id, &found, nullptr, nullptr, nullptr))) {
      continue;
    }
    const bool same =
        found != nullptr && CompareStringOrdinal(found, -1, name, -1, TRUE) == CSTR_EQUAL;
    SysFreeString(found);
    if (same) {
      return id;
    }
  }
  return std::nullopt;
}

// The dispatch id of an event. ITypeInfo::GetIDsOfNames cannot be called on type
// information held in another process, as the CMM software's is; there the registered
// type library is read here, as other automation clients do, and without one the
// interface's functions are scanned.
std::optional<DISPID> dispIdOf(const SourceInterface& source, const wchar_t* name) {
  if (auto id = idByName(source.info.get(), name)) {
    return id;
  }
  if (auto id = idByName(registeredInfo(source.info.get(), source.iid).get(), name)) {
    return id;
  }
  return idByScan(source.info.get(), name);
}

struct EventIds {
  DISPID startExecution = DISPID_UNKNOWN;
  DISPID objectExecuted = DISPID_UNKNOWN;
};

// The COM object the CMM software calls. It forwards the two events to the subscriber
// until it is detached; every other event of the interface is accepted and ignored.
class EventSink final : public IDispatch {
 public:
  EventSink(const IID& sourceIid, EventIds ids, std::shared_ptr<KvoLink> link, KvoEventSink& target)
      : sourceIid_(sourceIid), ids_(ids), link_(std::move(link)), target_(&target) {}
  virtual ~EventSink() = default;
  EventSink(const EventSink&) = delete;
  EventSink& operator=(const EventSink&) = delete;

  void detach() { target_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, sourceIid_)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
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
    if (count == nullptr) {
      return E_POINTER;
    }
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*locale*/,
                                        ITypeInfo** info) override {
    if (info != nullptr) {
      *info = nullptr;
    }
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*iid*/, LPOLESTR* /*names*/, UINT /*count*/,
                                          LCID /*locale*/, DISPID* /*ids*/) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID /*iid*/, LCID /*locale*/, WORD /*flags*/,
                                   DISPPARAMS* params, VARIANT* /*result*/,
                                   EXCEPINFO* /*exception*/, UINT* /*badArgument*/) override {
    // A subscriber may end the subscription inside its handler, which lets go of this
    // sink; it must live until the call returns.
    const auto keepAlive = ComPtr<EventSink>::share(this);
    try {
      deliver(id, params);
    } catch (...) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }

 private:
  // Arguments arrive last first; an event whose objects are missing is dropped, since
  // no handler can work without its part program or command.
  void deliver(DISPID id, const DISPPARAMS* params) {
    if (target_ == nullptr || params == nullptr) {
      return;
    }
    const UINT count = params->cArgs;
    const auto argument = [&](UINT position) {
      return DispatchObject(link_, objectOf(params->rgvarg[count - 1 - position]));
    };
    if (id == ids_.startExecution && count >= 1) {
      const DispatchObject partProg = argument(0);
      if (!partProg.isNone()) {
        target_->OnStartExecution(wrapPartProgram(partProg));
      }
    } else if (id == ids_.objectExecuted && count >= 2) {
      const DispatchObject partProg = argument(0);
      const DispatchObject command = argument(1);
      if (!partProg.isNone() && !command.isNone()) {
        target_->OnObjectExecuted(wrapPartProgram(partProg), wrapCommand(command));
      }
    }
  }

  std::atomic<ULONG> references_{1};
  IID sourceIid_;
  EventIds ids_;
  std::shared_ptr<KvoLink> link_;
  KvoEventSink* target_;
};

class ComEventSource final : public KvoEventSource {
 public:
  explicit ComEventSource(DispatchObject object) : object_(std::move(object)) {}
  ComEventSource(const ComEventSource&) = delete;
  ComEventSource& operator=(const ComEventSource&) = delete;
  ~ComEventSource() override { disconnect(); }

  bool connect(KvoEventSink& target) override {
    disconnect();
    if (object_.isNone() || object_.link()->gone) {
      return false;
    }
    const auto container = ComPtr<IDispatch>::share(object_.get())
                               .query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) {
      return false;
    }
    auto source = defaultSourceOf(object_);
    if (!source) {
      source = firstConnectionPointOf(object_, container.get());
    }
    if (!source) {
      return false;
    }
    const auto start = dispIdOf(*source, L"OnStartExecution");
    const auto executed = dispIdOf(*source, L"OnObjectExecuted");
    ComPtr<IConnectionPoint> point;
    if (!start || !executed || FAILED(container->FindConnectionPoint(source->iid, point.put()))) {
      return false;
    }
    auto sink = ComPtr<EventSink>::adopt(
        new EventSink(source->iid, {*start, *executed}, object_.link(), target));
    DWORD cookie = 0;
    const HRESULT advised = point->Advise(sink.get(), &cookie);
    if (FAILED(advised)) {
      sink->detach();
      object_.link()->gone = object_.link()->gone || isGoneResult(advised);
      return false;
    }
    point_ = std::move(point);
    sink_ = std::move(sink);
    cookie_ = cookie;
    return true;
  }

  void disconnect() override {
    if (!point_) {
      return;
    }
    sink_->detach();
    if (!object_.link()->gone) {
      const HRESULT result = point_->Unadvise(cookie_);
      object_.link()->gone = isGoneResult(result);
    }
    point_.reset();
    sink_.reset();
    cookie_ = 0;
  }

 private:
  DispatchObject object_;
  ComPtr<IConnectionPoint> point_;
  ComPtr<EventSink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace

std::shared_ptr<KvoEventSource> wrapEventSource(DispatchObject object) {
  return std::make_shared<ComEventSource>(std::move(object));
}

}  // namespace kvotlk::windows
