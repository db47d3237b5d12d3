#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeKalveroObjects.h"
#include "FakeKalveroTypes.h"
#include "kalvero/KalveroPort.h"

// A stand-in for the CMM software inside the test process: its hidden main window, its
// application object (registered as running, or handed out by a class factory),
// automation objects answering the dispatch ids of the automation table, and an event
// source with type information and connection points.
namespace kvotlk::test {

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
