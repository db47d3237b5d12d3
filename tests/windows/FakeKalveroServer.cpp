#include "FakeKalveroServer.h"

#include <oleauto.h>
#include <olectl.h>

#include <stdexcept>
#include <utility>

namespace kvotlk::test {
namespace {

constexpr const char* kWindowClass = "BrannigAssociatesIncKalveroWndClass";
constexpr const wchar_t* kProgIdKey = L"KVOAUT.Application\\CLSID";
constexpr const wchar_t* kFakeClassId = L"{6D1E9A3C-52B7-4F0A-9C1D-7A2B3C4D5E01}";
constexpr GUID kFakeClsid = {
    0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, 0x01}};
constexpr GUID kLibraryGuid = {
    0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, 0x02}};
constexpr IID kEventIid = {
    0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, 0x03}};
constexpr IID kSourceObjectIid = {
    0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, 0x04}};
constexpr GUID kSourceClassGuid = {
    0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, 0x05}};

// Automation table of the CMM software, as the fake answers it.
constexpr DISPID kCurrentPartProg = 2;
constexpr DISPID kEventSource = 27;
constexpr DISPID kAppVersionText = 31;
constexpr DISPID kPartProgName = 6;
constexpr DISPID kCmdTypeCode = 6;
constexpr DISPID kCmdIdText = 3;
constexpr DISPID kHasDimension = 17;
constexpr DISPID kDimensionOf = 8;
constexpr DISPID kHasTextCmd = 58;
constexpr DISPID kTextCmdOf = 57;
constexpr DISPID kIntFieldValue = 104;
constexpr DISPID kRealFieldValue = 102;
constexpr DISPID kDimIdText = 5;
constexpr DISPID kDimMeasured = 12;
constexpr DISPID kDimSecondary = 3;
constexpr DISPID kTextCmdName = 1;
constexpr DISPID kTextCmdText = 2;

void check(HRESULT result) {
  if (FAILED(result)) {
    throw std::runtime_error("type library of the fake: " + std::to_string(result));
  }
}

ComPtr<ITypeInfo> dispatchInfo() {
  ComPtr<ITypeLib> stdole;
  ComPtr<ITypeInfo> info;
  check(LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, stdole.put()));
  check(stdole->GetTypeInfoOfGuid(IID_IDispatch, info.put()));
  return info;
}

ComPtr<ICreateTypeInfo> newDispInterface(ICreateTypeLib2* library, const wchar_t* name,
                                         const IID& iid) {
  ComPtr<ICreateTypeInfo> info;
  std::wstring copy(name);
  check(library->CreateTypeInfo(copy.data(), TKIND_DISPATCH, info.put()));
  check(info->SetGuid(iid));
  HREFTYPE base = 0;
  check(info->AddRefTypeInfo(dispatchInfo().get(), &base));
  check(info->AddImplType(0, base));
  return info;
}

void addEvent(ICreateTypeInfo* info, UINT index, DISPID id, std::vector<std::wstring> names) {
  std::vector<ELEMDESC> parameters(names.size() - 1);
  for (ELEMDESC& parameter : parameters) {
    parameter.tdesc.vt = VT_DISPATCH;
  }
  FUNCDESC function{};
  function.memid = id;
  function.funckind = FUNC_DISPATCH;
  function.invkind = INVOKE_FUNC;
  function.callconv = CC_STDCALL;
  function.cParams = static_cast<SHORT>(parameters.size());
  function.lprgelemdescParam = parameters.data();
  function.elemdescFunc.tdesc.vt = VT_VOID;
  check(info->AddFuncDesc(index, &function));
  std::vector<LPOLESTR> pointers;
  pointers.reserve(names.size());
  for (std::wstring& name : names) {
    pointers.push_back(name.data());
  }
  check(info->SetFuncAndParamNames(index, pointers.data(), static_cast<UINT>(pointers.size())));
}

struct FakeTypes {
  ComPtr<ITypeInfo> events;
  ComPtr<ITypeInfo> sourceObject;
  ComPtr<ITypeInfo> sourceClass;
};

// A type library made in memory: the event interface, the event source object's own
// interface and its class, which names the event interface as the default source.
FakeTypes buildTypes(bool registered) {
  ComPtr<ICreateTypeLib2> library;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::wstring file = std::wstring(temp) + L"KvoFake.tlb";
  check(CreateTypeLib2(SYS_WIN64, file.data(), library.put()));
  check(library->SetGuid(kLibraryGuid));
  std::wstring libraryName = L"KvoFakeLib";
  check(library->SetName(libraryName.data()));

  auto events = newDispInterface(library.get(), L"_DKvoEvents", kEventIid);
  addEvent(events.get(), 0, kFakeOnOtherEvent, {L"OnEndExecution", L"PartProg"});
  addEvent(events.get(), 1, kFakeOnStartExecution, {L"OnStartExecution", L"PartProg"});
  addEvent(events.get(), 2, kFakeOnObjectExecuted, {L"OnObjectExecuted", L"PartProg", L"Cmmd"});
  check(events->LayOut());
  auto sourceObject = newDispInterface(library.get(), L"IKvoEventSource", kSourceObjectIid);
  check(sourceObject->LayOut());

  ComPtr<ICreateTypeInfo> sourceClass;
  std::wstring className = L"KvoEventSource";
  check(library->CreateTypeInfo(className.data(), TKIND_COCLASS, sourceClass.put()));
  check(sourceClass->SetGuid(kSourceClassGuid));
  HREFTYPE own = 0;
  HREFTYPE source = 0;
  const auto sourceObjectInfo = sourceObject.query<ITypeInfo>(IID_ITypeInfo);
  const auto eventsInfo = events.query<ITypeInfo>(IID_ITypeInfo);
  check(sourceClass->AddRefTypeInfo(sourceObjectInfo.get(), &own));
  check(sourceClass->AddImplType(0, own));
  check(sourceClass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT));
  check(sourceClass->AddRefTypeInfo(eventsInfo.get(), &source));
  check(sourceClass->AddImplType(1, source));
  check(sourceClass->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE));
  check(sourceClass->LayOut());
  if (registered) {
    check(library->SaveAllChanges());
    ComPtr<ITypeLib> saved;
    check(LoadTypeLibEx(file.c_str(), REGKIND_REGISTER, saved.put()));
  }

  return {eventsInfo, sourceObjectInfo, sourceClass.query<ITypeInfo>(IID_ITypeInfo)};
}

template <class T>
ComPtr<T> make(const std::shared_ptr<FakeServerLife>& life) {
  return ComPtr<T>::adopt(new T(life));
}

}  // namespace

windows::Variant textValue(const wchar_t* text) {
  windows::Variant value;
  value.put()->vt = VT_BSTR;
  const_cast<VARIANT&>(value.get()).bstrVal = text == nullptr ? nullptr : SysAllocString(text);
  return value;
}

windows::Variant numberValue(VARTYPE type, double number) {
  VARIANT real;
  real.vt = VT_R8;
  real.dblVal = number;
  windows::Variant value;
  VariantChangeType(value.put(), &real, 0, type);
  return value;
}

windows::Variant boolValue(bool truth) {
  windows::Variant value;
  value.put()->vt = VT_BOOL;
  const_cast<VARIANT&>(value.get()).boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
  return value;
}

windows::Variant objectValue(IDispatch* object) {
  windows::Variant value;
  value.put()->vt = VT_DISPATCH;
  const_cast<VARIANT&>(value.get()).pdispVal = object;
  if (object != nullptr) {
    object->AddRef();
  }
  return value;
}

windows::Variant emptyValue(VARTYPE type) {
  windows::Variant value;
  value.put()->vt = type;
  return value;
}

FakeObject::FakeObject(std::shared_ptr<FakeServerLife> life) : life_(std::move(life)) {}

HRESULT STDMETHODCALLTYPE FakeObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = extraInterface(iid);
  }
  if (*object == nullptr) {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE FakeObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE FakeObject::Release() {
  const ULONG left = --references_;
  if (left == 0) {
    delete this;
  }
  return left;
}

HRESULT STDMETHODCALLTYPE FakeObject::GetTypeInfoCount(UINT* count) {
  *count = typeInfo_ ? 1 : 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeObject::GetTypeInfo(UINT /*index*/, LCID /*locale*/,
                                                  ITypeInfo** info) {
  *info = typeInfo_.get();
  if (*info == nullptr) {
    return E_NOTIMPL;
  }
  (*info)->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeObject::GetIDsOfNames(REFIID /*iid*/, LPOLESTR* /*names*/,
                                                    UINT /*count*/, LCID /*locale*/,
                                                    DISPID* /*ids*/) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE FakeObject::Invoke(DISPID id, REFIID /*iid*/, LCID /*locale*/, WORD flags,
                                             DISPPARAMS* params, VARIANT* result,
                                             EXCEPINFO* /*exception*/, UINT* /*badArgument*/) {
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
  return result == nullptr ? S_OK : VariantCopy(result, const_cast<VARIANT*>(&found->second.get()));
}

FakeEventSource::FakeEventSource(std::shared_ptr<FakeServerLife> life, const IID& eventIid,
                                 ComPtr<ITypeInfo> classInfo)
    : FakeObject(std::move(life)), eventIid_(eventIid), classInfo_(std::move(classInfo)) {}

void* FakeEventSource::extraInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    return static_cast<IConnectionPointContainer*>(this);
  }
  if (IsEqualIID(iid, IID_IConnectionPoint)) {
    return static_cast<IConnectionPoint*>(this);
  }
  if (IsEqualIID(iid, IID_IProvideClassInfo) && offerClassInfo) {
    return static_cast<IProvideClassInfo*>(this);
  }
  return nullptr;
}

void FakeEventSource::fire(DISPID id, const std::vector<IDispatch*>& arguments, bool byReference) {
  std::vector<IDispatch*> slots(arguments.rbegin(), arguments.rend());
  std::vector<VARIANTARG> values(slots.size());
  for (std::size_t i = 0; i < slots.size(); ++i) {
    VariantInit(&values[i]);
    if (byReference) {
      values[i].vt = VT_DISPATCH | VT_BYREF;
      values[i].ppdispVal = &slots[i];
    } else {
      values[i].vt = VT_DISPATCH;
      values[i].pdispVal = slots[i];
    }
  }
  DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  // A sink may unadvise while it is called: call a copy of the list.
  std::vector<ComPtr<IDispatch>> sinks;
  for (const auto& entry : sinks_) {
    sinks.push_back(entry.second);
  }
  for (const auto& sink : sinks) {
    sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }
}

HRESULT STDMETHODCALLTYPE FakeEventSource::EnumConnectionPoints(IEnumConnectionPoints** points) {
  enumerated_ = false;
  *points = this;
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::Next(ULONG count, IConnectionPoint** points,
                                                ULONG* fetched) {
  const ULONG given = count > 0 && !enumerated_ ? 1 : 0;
  if (given == 1) {
    points[0] = this;
    AddRef();
    enumerated_ = true;
  }
  if (fetched != nullptr) {
    *fetched = given;
  }
  return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::Reset() {
  enumerated_ = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::Clone(IEnumConnectionPoints** copy) {
  *copy = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::FindConnectionPoint(REFIID iid,
                                                               IConnectionPoint** point) {
  *point = nullptr;
  if (!IsEqualIID(iid, eventIid_)) {
    return CONNECT_E_NOCONNECTION;
  }
  *point = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::GetConnectionInterface(IID* iid) {
  *iid = eventIid_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE
FakeEventSource::GetConnectionPointContainer(IConnectionPointContainer** container) {
  *container = static_cast<IConnectionPointContainer*>(this);
  AddRef();
  return S_OK;
}

// Like the usual server implementation, the sink is asked for the event interface.
HRESULT STDMETHODCALLTYPE FakeEventSource::Advise(IUnknown* sink, DWORD* cookie) {
  if (FAILED(life_->failure)) {
    return life_->failure;
  }
  ComPtr<IDispatch> events;
  if (sink == nullptr ||
      FAILED(sink->QueryInterface(eventIid_, reinterpret_cast<void**>(events.put())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  ++advises;
  *cookie = nextCookie_++;
  sinks_.emplace(*cookie, std::move(events));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::Unadvise(DWORD cookie) {
  if (FAILED(life_->failure)) {
    return life_->failure;
  }
  if (sinks_.erase(cookie) == 0) {
    return CONNECT_E_NOCONNECTION;
  }
  ++unadvises;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::EnumConnections(IEnumConnections** connections) {
  *connections = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FakeEventSource::GetClassInfo(ITypeInfo** info) {
  *info = classInfo_.get();
  (*info)->AddRef();
  return S_OK;
}

FakeKalveroServer::FakeKalveroServer(Options options) {
  const FakeTypes types = buildTypes(options.registerTypes);
  application = make<FakeObject>(life);
  partProgram = make<FakeObject>(life);
  command = make<FakeObject>(life);
  dimension = make<FakeObject>(life);
  textCommand = make<FakeObject>(life);
  events = ComPtr<FakeEventSource>::adopt(new FakeEventSource(life, kEventIid, types.sourceClass));
  events->setTypeInfo(types.sourceObject.get());

  application->set(kCurrentPartProg, objectValue(partProgram.get()));
  application->set(kEventSource, objectValue(events.get()));
  application->set(kAppVersionText, textValue(L"Kalvero 3.7 \u2013 Pr\u00fcfraum"));
  partProgram->set(kPartProgName, textValue(L"Welle_\u00d8 20.PRG"));
  command->set(kCmdTypeCode, numberValue(VT_I2, 1209));
  command->set(kCmdIdText, textValue(L"4711"));
  command->set(kHasDimension, boolValue(true));
  command->set(kDimensionOf, objectValue(dimension.get()));
  command->set(kHasTextCmd, boolValue(false));
  command->set(kTextCmdOf, objectValue(textCommand.get()));
  command->set(kIntFieldValue, numberValue(VT_I2, 3));
  command->set(kRealFieldValue, numberValue(VT_R8, -0.125));
  dimension->set(kDimIdText, textValue(L"101"));
  dimension->set(kDimMeasured, numberValue(VT_R8, 1234.5));
  dimension->set(kDimSecondary, numberValue(VT_R4, 0.25));
  textCommand->set(kTextCmdName, textValue(L"ID"));
  textCommand->set(kTextCmdText, textValue(L"101,102,,104"));

  registerProgId();
  if (options.window) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);
    window_ = CreateWindowExA(0, kWindowClass, "Kalvero", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
      throw std::runtime_error("no window for the fake (is there a display?)");
    }
  }
  if (options.running) {
    check(
        RegisterActiveObject(application.get(), kFakeClsid, ACTIVEOBJECT_STRONG, &runningCookie_));
  }
}

FakeKalveroServer::~FakeKalveroServer() { goAway(); }

void FakeKalveroServer::goAway(HRESULT why) {
  life->failure = why;
  if (window_ != nullptr) {
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (runningCookie_ != 0) {
    RevokeActiveObject(runningCookie_, nullptr);
    runningCookie_ = 0;
  }
}

void FakeKalveroServer::registerProgId() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kProgIdKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    const std::wstring value = kFakeClassId;
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
}

void FakeKalveroServer::unregisterProgId() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"KVOAUT.Application");
}

std::vector<ULONG> FakeKalveroServer::references() const {
  return {application->references(), partProgram->references(), command->references(),
          dimension->references(),   textCommand->references(), events->references()};
}

}  // namespace kvotlk::test
