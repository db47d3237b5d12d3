#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "FakeKalveroServer.h"
#include "common/Paths.h"
#include "platform/windows/KvoComConnector.h"
#include "platform/windows/WideText.h"

// The binding against the fake CMM software in a second process: calls and events are
// marshalled, and the software's end is a real ended server.
namespace kvotlk::test {
namespace {

// Pumps the thread's messages, through which marshalled calls arrive, until the
// condition holds or 20 s have passed.
bool pumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return true;
}

class FakeProcess {
 public:
  FakeProcess() {
    auto exe = windows::toWide(joinPath(executableFolder(), "kvotlk_fake_kalvero.exe"));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started = exe && CreateProcessW(exe->c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &info) != 0;
  }
  ~FakeProcess() { end(); }
  FakeProcess(const FakeProcess&) = delete;
  FakeProcess& operator=(const FakeProcess&) = delete;

  void end() {
    if (started) {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 10000);
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
      started = false;
    }
  }
  bool started = false;
  PROCESS_INFORMATION info{};
};

TEST(KvoComProcess, MarshalledCallsEventsAndTheEndOfTheSoftware) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    FakeProcess fake;
    ASSERT_TRUE(fake.started);
    const auto connector = windows::makeComConnector();
    std::shared_ptr<KvoApplication> app;
    ASSERT_TRUE(pumpUntil([&] {
      app = connector->MainWindowExists() ? connector->GetRunningApplication() : nullptr;
      return app != nullptr;
    }));
    EXPECT_EQ(app->AppVersionText(), "Kalvero im eigenen Prozess");
    const auto current = app->CurrentPartProg();
    ASSERT_TRUE(current.has_value() && *current != nullptr);
    EXPECT_EQ((*current)->PartProgName(), "Welle_\xC3\x98 20.PRG");

    RecordingSink sink;
    const auto source = app->EventSource();
    ASSERT_TRUE(source.has_value() && *source != nullptr);
    ASSERT_TRUE((*source)->connect(sink));
    PostThreadMessageW(fake.info.dwThreadId, kFakeFireEvents, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return sink.seen.size() == 2; }));
    EXPECT_EQ(sink.seen,
              (std::vector<Recorded>{{"OnStartExecution", "Welle_\xC3\x98 20.PRG", std::nullopt},
                                     {"OnObjectExecuted", "Welle_\xC3\x98 20.PRG", "4711"}}));
    EXPECT_EQ(sink.lastCommand->IntFieldValue(165, 1), 3);
    EXPECT_EQ(sink.lastCommand->RealFieldValue(662, 1), -0.125);
    const auto dimension = sink.lastCommand->DimensionOf();
    ASSERT_TRUE(dimension.has_value() && *dimension != nullptr);
    EXPECT_EQ((*dimension)->DimMeasured(), 1234.5);

    fake.end();
    EXPECT_EQ(app->AppVersionText(), std::nullopt);
    EXPECT_EQ(sink.lastCommand->CmdTypeCode(), std::nullopt);
    (*source)->disconnect();
  }
  CoUninitialize();
}

}  // namespace
}  // namespace kvotlk::test
