#include "FakeKalveroServer.h"

// The fake CMM software in a process of its own, so that every call of the binding is
// marshalled. The thread message kFakeFireEvents fires OnStartExecution and
// OnObjectExecuted; the test ends the process when it is done with it.
int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    kvotlk::test::FakeKalveroServer server({.registerTypes = true});
    server.application->set(31, kvotlk::test::textValue(L"Kalvero im eigenen Prozess"));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.hwnd == nullptr && message.message == kvotlk::test::kFakeFireEvents) {
        server.events->fire(kvotlk::test::kFakeOnStartExecution, {server.partProgram.get()});
        server.events->fire(kvotlk::test::kFakeOnObjectExecuted,
                            {server.partProgram.get(), server.command.get()});
      }
      DispatchMessageW(&message);
    }
  }
  CoUninitialize();
  return 0;
}
