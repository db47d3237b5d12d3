#pragma once

#include <windows.h>

#include <ocidl.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "capture/KalveroPort.h"
#include "platform/windows/ComPtr.h"
#include "platform/windows/Variant.h"

// A stand-in for the CMM software inside the test process: its hidden main window, its
// application object registered as running for the ProgID, automation objects answering
// the dispatch ids of the automation table, and an event source with type information and
// a connection point.
namespace kvotlk::test {

using windows::ComPtr;

// COM for the test's thread; declared first in a fixture so it is torn down last.
struct ComThread {
  ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComThread() { CoUninitialize(); }
  ComThread(const ComThread&) = delete;
  ComThread& operator=(const ComThread&) = delete;
};

// Values as the software answers them; each owns what it holds.
windows::Variant textValue(const wchar_t* text);
windows::Variant numberValue(VARTYPE type, double value);
windows::Variant boolValue(bool value);
// With a reference of its own to the object.
windows::Variant objectValue(IDispatch* object);
// Only the type: VT_EMPTY, VT_NULL, or an object type holding none.
windows::Variant emptyValue(VARTYPE type = VT_EMPTY);

// Shared by every object of one fake: once it has gone, every call fails with `failure`.
struct FakeServerLife {
  HRESULT failure = S_OK;
  int calls = 0;
  WORD lastFlags = 0;
  std::vector<std::int32_t> lastArguments;
};

// An automation object answering property gets by dispatch id from a table of values.
class FakeObject : public IDispatch {
 public:
  explicit FakeObject(std::shared_ptr<FakeServerLife> life);
  virtual ~FakeObject() = default;
  FakeObject(const FakeObject&) = delete;
  FakeObject& operator=(const FakeObject&) = delete;

  void set(DISPID id, windows::Variant value) { values_.insert_or_assign(id, std::move(value)); }
  void setTypeInfo(ITypeInfo* info) { typeInfo_ = ComPtr<ITypeInfo>::share(info); }
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override;

 protected:
  // Further interfaces of a derived object; null when it has none of that IID.
  virtual void* extraInterface(REFIID /*iid*/) { return nullptr; }
  std::shared_ptr<FakeServerLife> life_;

 private:
  std::atomic<ULONG> references_{1};
  std::map<DISPID, windows::Variant> values_;
  ComPtr<ITypeInfo> typeInfo_;
};

// The object EventSource answers: a connection point for the event interface, and class
// information naming that interface as the default source (unless switched off). It is
// also the enumerator of its one connection point.
class FakeEventSource final : public FakeObject,
                              public IConnectionPointContainer,
                              public IConnectionPoint,
                              public IProvideClassInfo,
                              public IEnumConnectionPoints {
 public:
  FakeEventSource(std::shared_ptr<FakeServerLife> life, const IID& eventIid,
                  ComPtr<ITypeInfo> classInfo);

  void fire(DISPID id, const std::vector<IDispatch*>& arguments, bool byReference = false);
  int advises = 0;
  int unadvises = 0;
  std::size_t sinkCount() const { return sinks_.size(); }
  bool offerClassInfo = true;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return FakeObject::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return FakeObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return FakeObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG /*count*/) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override;

 protected:
  void* extraInterface(REFIID iid) override;

 private:
  IID eventIid_;
  ComPtr<ITypeInfo> classInfo_;
  std::map<DWORD, ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
  bool enumerated_ = false;
};

// Dispatch ids the fake's event interface gives its events; the binding must find them
// by name.
inline constexpr DISPID kFakeOnStartExecution = 7;
inline constexpr DISPID kFakeOnObjectExecuted = 9;
inline constexpr DISPID kFakeOnOtherEvent = 1;

// Thread messages to the fake in a process of its own (FakeKalveroProcess.cpp).
inline constexpr UINT kFakeFireEvents = WM_APP + 1;

// The whole fake CMM software. The constructor starts it: window, ProgID, running object.
class FakeKalveroServer {
 public:
  struct Options {
    bool window = true;
    bool running = true;
    // Saves the type library and registers it, as an installation of the software does.
    bool registerTypes = false;
  };
  FakeKalveroServer() : FakeKalveroServer(Options{}) {}
  explicit FakeKalveroServer(Options options);
  ~FakeKalveroServer();
  FakeKalveroServer(const FakeKalveroServer&) = delete;
  FakeKalveroServer& operator=(const FakeKalveroServer&) = delete;

  // The software ends: every call fails with `why`, the window closes, the running
  // object is revoked.
  void goAway(HRESULT why = RPC_E_DISCONNECTED);
  static void registerProgId();
  static void unregisterProgId();

  // Reference counts of every object, to compare before and after the binding was used.
  std::vector<ULONG> references() const;

  std::shared_ptr<FakeServerLife> life = std::make_shared<FakeServerLife>();
  ComPtr<FakeObject> application;
  ComPtr<FakeObject> partProgram;
  ComPtr<FakeObject> command;
  ComPtr<FakeObject> dimension;
  ComPtr<FakeObject> textCommand;
  ComPtr<FakeEventSource> events;

 private:
  HWND window_ = nullptr;
  DWORD runningCookie_ = 0;
};

struct Recorded {
  std::string event;
  std::optional<std::string> program;
  std::optional<std::string> command;
  bool operator==(const Recorded&) const = default;
};

// Records every event the binding hands over, with the names read back through the
// objects it was handed.
class RecordingSink final : public KvoEventSink {
 public:
  void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) override {
    seen.push_back({"OnStartExecution", PartProg->PartProgName(), std::nullopt});
    afterEvent();
  }
  void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                        const std::shared_ptr<KvoCommand>& Cmmd) override {
    seen.push_back({"OnObjectExecuted", PartProg->PartProgName(), Cmmd->CmdIdText()});
    lastCommand = Cmmd;
    afterEvent();
  }

  std::vector<Recorded> seen;
  std::shared_ptr<KvoCommand> lastCommand;
  std::function<void()> afterEvent = [] {};
};

}  // namespace kvotlk::test
