#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <cwchar>
#include <utility>
#include <vector>

#include "platform/windows/KvoComObjects.h"

// The execution events of the CMM software: an event sink advised through a connection
// point of the object that EventSource answers.
namespace kvotlk::windows {
namespace {

// An interface the object may send events through: its IID, its type information when
// found, and its connection point when already known.
struct SourceInterface {
  IID iid{};
  ComPtr<ITypeInfo> info;
  ComPtr<IConnectionPoint> point;
};

// A buggy enumerator must not keep the converter in a loop.
constexpr int kMaxConnectionPoints = 64;

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

// The type library registered on this machine for an interface: HKCR\Interface\{IID}\TypeLib
// names its GUID and, in "Version", its version as hexadecimal "major.minor".
ComPtr<ITypeLib> registeredLibraryOf(const IID& iid) {
  wchar_t iidText[40] = {};
  StringFromGUID2(iid, iidText, 40);
  const std::wstring key = std::wstring(L"Interface\\") + iidText + L"\\TypeLib";
  wchar_t libraryText[40] = {};
  wchar_t version[16] = {};
  DWORD librarySize = sizeof(libraryText);
  DWORD versionSize = sizeof(version);
  GUID library{};
  ComPtr<ITypeLib> loaded;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, libraryText,
                   &librarySize) != ERROR_SUCCESS ||
      FAILED(CLSIDFromString(libraryText, &library)) ||
      RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"Version", RRF_RT_REG_SZ, nullptr, version,
                   &versionSize) != ERROR_SUCCESS) {
    return {};
  }
  wchar_t* rest = nullptr;
  const auto major = static_cast<WORD>(std::wcstoul(version, &rest, 16));
  const auto minor = static_cast<WORD>(*rest == L'.' ? std::wcstoul(rest + 1, nullptr, 16) : 0);
  if (FAILED(LoadRegTypeLib(library, major, minor, LOCALE_NEUTRAL, loaded.put()))) {
    return {};
  }
  return loaded;
}

ComPtr<ITypeInfo> infoIn(ITypeLib* library, const IID& iid) {
  ComPtr<ITypeInfo> info;
  if (library == nullptr || FAILED(library->GetTypeInfoOfGuid(iid, info.put()))) {
    return {};
  }
  return info;
}

// The type information of an interface the object names, from the type library that
// holds the object's own type information. Without it dispIdOf reads the registered one.
ComPtr<ITypeInfo> typeInfoOf(const DispatchObject& object, const IID& iid) {
  ComPtr<ITypeInfo> own;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  if (FAILED(object.get()->GetTypeInfo(0, LOCALE_USER_DEFAULT, own.put())) || !own ||
      FAILED(own->GetContainingTypeLib(library.put(), &index))) {
    return {};
  }
  return infoIn(library.get(), iid);
}

// Every interface the object may send events through: the default source of its class
// first, then the interface of each connection point it lists.
std::vector<SourceInterface> sourcesOf(const DispatchObject& object,
                                       IConnectionPointContainer* container) {
  std::vector<SourceInterface> sources;
  if (auto source = defaultSourceOf(object)) {
    sources.push_back(std::move(*source));
  }
  ComPtr<IEnumConnectionPoints> points;
  if (FAILED(container->EnumConnectionPoints(points.put())) || !points) {
    return sources;
  }
  for (int i = 0; i < kMaxConnectionPoints; ++i) {
    SourceInterface source;
    if (points->Next(1, source.point.put(), nullptr) != S_OK || !source.point) {
      break;
    }
    if (SUCCEEDED(source.point->GetConnectionInterface(&source.iid))) {
      source.info = typeInfoOf(object, source.iid);
      sources.push_back(std::move(source));
    }
  }
  return sources;
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

// Looks the name up among the interface's functions, one by one.
std::optional<DISPID> idByScan(ITypeInfo* info, const wchar_t* name) {
  TYPEATTR* attributes = nullptr;
  if (info == nullptr || FAILED(info->GetTypeAttr(&attributes))) {
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
  if (auto id = idByName(infoIn(registeredLibraryOf(source.iid).get(), source.iid).get(), name)) {
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

  // Subscribes through the first interface that has both events and takes the sink.
  bool connect(KvoEventSink& target) override {
    disconnect();
    if (object_.isNone() || object_.link()->gone) {
      return false;
    }
    const auto container = ComPtr<IDispatch>::share(object_.get())
                               .query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    bool made = false;
    if (container) {
      for (SourceInterface& source : sourcesOf(object_, container.get())) {
        made = subscribe(*container.get(), source, target);
        if (made || object_.link()->gone) {
          break;
        }
      }
    }
    if (object_.link()->apartment) {
      object_.link()->apartment->endWait();
    }
    return made;
  }

  void disconnect() override {
    if (!point_) {
      return;
    }
    sink_->detach();
    if (!object_.link()->gone) {
      object_.link()->returned(point_->Unadvise(cookie_));
    }
    point_.reset();
    sink_.reset();
    cookie_ = 0;
  }

 private:
  bool subscribe(IConnectionPointContainer& container, SourceInterface& source,
                 KvoEventSink& target) {
    const auto start = dispIdOf(source, L"OnStartExecution");
    const auto executed = dispIdOf(source, L"OnObjectExecuted");
    if (!start || !executed ||
        (!source.point && FAILED(container.FindConnectionPoint(source.iid, source.point.put())))) {
      return false;
    }
    auto sink = ComPtr<EventSink>::adopt(
        new EventSink(source.iid, {*start, *executed}, object_.link(), target));
    DWORD cookie = 0;
    const HRESULT advised = source.point->Advise(sink.get(), &cookie);
    object_.link()->returned(advised);
    if (FAILED(advised)) {
      sink->detach();
      return false;
    }
    point_ = source.point;
    sink_ = std::move(sink);
    cookie_ = cookie;
    return true;
  }

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
