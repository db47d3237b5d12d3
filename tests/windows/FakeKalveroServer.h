#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "kalvero/KalveroPort.h"
#include "platform/windows/ComPtr.h"
#include "platform/windows/Variant.h"
#include "platform/windows/WideText.h"

// A stand-in for the CMM software inside the test process: its hidden main window, its
// application object (registered as running, or handed out by a class factory),
// automation objects answering the dispatch ids of the automation table, and an event
// source with type information and connection points.
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

// Dispatch ids the fake's event interface gives its events; the binding must find them
// by name.
inline constexpr DISPID kFakeOnStartExecution = 7;
inline constexpr DISPID kFakeOnObjectExecuted = 9;
inline constexpr DISPID kFakeOnOtherEvent = 1;

namespace fake {

inline constexpr const char* kWindowClass = "BrannigAssociatesIncKalveroWndClass";
constexpr GUID fakeGuid(unsigned char last) {
  return {0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, last}};
}
constexpr GUID kFakeClsid = fakeGuid(1);
constexpr GUID kLibraryGuid = fakeGuid(2);
constexpr IID kEventIid = fakeGuid(3);
constexpr GUID kSourceClassGuid = fakeGuid(5);

inline void check(HRESULT result) {
  if (FAILED(result)) {
    throw std::runtime_error("fake CMM software: " + std::to_string(result));
  }
}

// One event of a dispinterface: its name, then the names of its object parameters.
inline void addEvent(ICreateTypeInfo* info, UINT index, DISPID id,
                     std::vector<const wchar_t*> names) {
  ELEMDESC parameters[2] = {};
  parameters[0].tdesc.vt = parameters[1].tdesc.vt = VT_DISPATCH;
  FUNCDESC function{};
  function.memid = id;
  function.funckind = FUNC_DISPATCH;
  function.invkind = INVOKE_FUNC;
  function.callconv = CC_STDCALL;
  function.cParams = static_cast<SHORT>(names.size() - 1);
  function.lprgelemdescParam = parameters;
  function.elemdescFunc.tdesc.vt = VT_VOID;
  check(info->AddFuncDesc(index, &function));
  check(info->SetFuncAndParamNames(index, const_cast<LPOLESTR*>(names.data()),
                                   static_cast<UINT>(names.size())));
}

// A type library made in memory: the event interface and the event source's class,
// which names it as its default source. Registered, it is saved as a file first.
inline ComPtr<ITypeInfo> buildClassInfo(bool registered) {
  const std::wstring file = (std::filesystem::temp_directory_path() / L"KvoFake.tlb").wstring();
  ComPtr<ICreateTypeLib2> library;
  check(CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, file.data(), library.put()));
  check(library->SetGuid(kLibraryGuid));
  check(library->SetName(const_cast<LPOLESTR>(L"KvoFakeLib")));

  ComPtr<ITypeLib> stdole;
  ComPtr<ITypeInfo> dispatch;
  check(LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, stdole.put()));
  check(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch.put()));
  ComPtr<ICreateTypeInfo> events;
  HREFTYPE reference = 0;
  check(
      library->CreateTypeInfo(const_cast<LPOLESTR>(L"_DKvoEvents"), TKIND_DISPATCH, events.put()));
  check(events->SetGuid(kEventIid));
  check(events->AddRefTypeInfo(dispatch.get(), &reference));
  check(events->AddImplType(0, reference));
  addEvent(events.get(), 0, kFakeOnOtherEvent, {L"OnEndExecution", L"PartProg"});
  addEvent(events.get(), 1, kFakeOnStartExecution, {L"OnStartExecution", L"PartProg"});
  addEvent(events.get(), 2, kFakeOnObjectExecuted, {L"OnObjectExecuted", L"PartProg", L"Cmmd"});
  check(events->LayOut());

  ComPtr<ICreateTypeInfo> sourceClass;
  check(library->CreateTypeInfo(const_cast<LPOLESTR>(L"KvoEventSource"), TKIND_COCLASS,
                                sourceClass.put()));
  check(sourceClass->SetGuid(kSourceClassGuid));
  check(sourceClass->AddRefTypeInfo(events.query<ITypeInfo>(IID_ITypeInfo).get(), &reference));
  check(sourceClass->AddImplType(0, reference));
  check(sourceClass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE));
  check(sourceClass->LayOut());
  ComPtr<ITypeLib> saved;
  if (registered && (FAILED(library->SaveAllChanges()) ||
                     FAILED(LoadTypeLibEx(file.c_str(), REGKIND_REGISTER, saved.put())))) {
    throw std::runtime_error("type library of the fake not registered");
  }
  return sourceClass.query<ITypeInfo>(IID_ITypeInfo);
}

}  // namespace fake

// The whole fake CMM software. The constructor starts it: window, ProgID, application.
// It is also its own class factory, handing out the application as a single-instance
// automation server does; it revokes the factory before it ends.
class FakeKalveroServer final : public IClassFactory {
 public:
  enum class Offer { RunningObject, ClassFactory, Nothing };
  struct Options {
    bool window = true;
    Offer offer = Offer::RunningObject;
    // Saves the type library and registers it, as an installation of the software does.
    bool registerTypes = false;
  };
  FakeKalveroServer() : FakeKalveroServer(Options{}) {}
  explicit FakeKalveroServer(Options options) {
    const auto classInfo = fake::buildClassInfo(options.registerTypes);
    events = ComPtr<FakeEventSource>::adopt(new FakeEventSource(life, fake::kEventIid, classInfo));
    events->setTypeInfo(classInfo.get());

    // The automation table by dispatch id.
    application->set(2, objectValue(partProgram.get()));        // CurrentPartProg
    application->set(27, objectValue(events.get()));            // EventSource
    application->set(31, textValue("Kalvero 3.7 – Prüfraum"));  // AppVersionText
    partProgram->set(6, textValue("Welle_Ø 20.PRG"));           // PartProgName
    command->set(6, numberValue(VT_I2, 1209));                  // CmdTypeCode
    command->set(3, textValue("4711"));                         // CmdIdText
    command->set(17, numberValue(VT_BOOL, 1));                  // HasDimension
    command->set(8, objectValue(dimension.get()));              // DimensionOf
    command->set(58, numberValue(VT_BOOL, 0));                  // HasTextCmd
    command->set(57, objectValue(textCommand.get()));           // TextCmdOf
    command->set(104, numberValue(VT_I2, 3));                   // IntFieldValue
    command->set(102, numberValue(VT_R8, -0.125));              // RealFieldValue
    dimension->set(5, textValue("101"));                        // DimIdText
    dimension->set(12, numberValue(VT_R8, 1234.5));             // DimMeasured
    dimension->set(3, numberValue(VT_R4, 0.25));                // DimSecondary
    textCommand->set(1, textValue("ID"));                       // TextCmdName
    textCommand->set(2, textValue("101,102,,104"));             // TextCmdText

    registerProgId();
    if (options.window) {
      const WNDCLASSA windowClass{
          0,       DefWindowProcA, 0,       0,       GetModuleHandleA(nullptr),
          nullptr, nullptr,        nullptr, nullptr, fake::kWindowClass};
      RegisterClassA(&windowClass);
      window_ = CreateWindowExA(0, fake::kWindowClass, "Kalvero", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                100, nullptr, nullptr, windowClass.hInstance, nullptr);
      // Under Wine a window needs a display (xvfb-run).
      fake::check(window_ != nullptr ? S_OK : HRESULT_FROM_WIN32(GetLastError()));
    }
    if (options.offer == Offer::RunningObject) {
      fake::check(RegisterActiveObject(application.get(), fake::kFakeClsid, ACTIVEOBJECT_STRONG,
                                       &runningCookie_));
    } else if (options.offer == Offer::ClassFactory) {
      fake::check(CoRegisterClassObject(fake::kFakeClsid, this, CLSCTX_LOCAL_SERVER,
                                        REGCLS_MULTIPLEUSE, &factoryCookie_));
    }
  }
  virtual ~FakeKalveroServer() { goAway(); }

  // The software ends: every call fails with `why`, the window closes, the application
  // is withdrawn.
  void goAway(HRESULT why = RPC_E_DISCONNECTED) {
    life->failure = why;
    DestroyWindow(std::exchange(window_, nullptr));
    RevokeActiveObject(std::exchange(runningCookie_, 0), nullptr);
    CoRevokeClassObject(std::exchange(factoryCookie_, 0));
  }

  static void registerProgId() {
    wchar_t classId[40] = {};
    const auto characters = static_cast<DWORD>(StringFromGUID2(fake::kFakeClsid, classId, 40));
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L"KVOAUT.Application\\CLSID", nullptr, REG_SZ, classId,
                    characters * sizeof(wchar_t));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
    *object = known ? this : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* /*outer*/, REFIID iid, void** obj) override {
    return application->QueryInterface(iid, obj);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL /*lock*/) override { return S_OK; }

  // Reference counts of every object, to compare before and after the binding was used.
  std::vector<ULONG> references() const {
    return {application->references(), partProgram->references(), command->references(),
            dimension->references(),   textCommand->references(), events->references()};
  }

  std::shared_ptr<FakeServerLife> life = std::make_shared<FakeServerLife>();
  ComPtr<FakeObject> newObject() { return ComPtr<FakeObject>::adopt(new FakeObject(life)); }
  ComPtr<FakeObject> application = newObject();
  ComPtr<FakeObject> partProgram = newObject();
  ComPtr<FakeObject> command = newObject();
  ComPtr<FakeObject> dimension = newObject();
  ComPtr<FakeObject> textCommand = newObject();
  ComPtr<FakeEventSource> events;

 private:
  HWND window_ = nullptr;
  DWORD runningCookie_ = 0;
  DWORD factoryCookie_ = 0;
};

// Records every event the binding hands over as "Start <program>" or "Executed <program>
// <command>", with the names read back through the objects it was handed.
class RecordingSink final : public KvoEventSink {
 public:
  void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) override {
    seen.push_back("Start " + PartProg->PartProgName().value_or("?"));
    afterEvent();
  }
  void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                        const std::shared_ptr<KvoCommand>& Cmmd) override {
    seen.push_back("Executed " + PartProg->PartProgName().value_or("?") + " " +
                   Cmmd->CmdIdText().value_or("?"));
    lastCommand = Cmmd;
    afterEvent();
  }

  std::vector<std::string> seen;
  std::shared_ptr<KvoCommand> lastCommand;
  std::function<void()> afterEvent = [] {};
};

}  // namespace kvotlk::test
