#include <cstring>

#include "FakeKalveroServer.h"

// The fake CMM software in a process of its own, so that every call of the binding is
// marshalled. With the argument "factory" it hands out its application only through a
// class factory, else through the running object table. The thread message
// kFakeFireEvents fires OnStartExecution and OnObjectExecuted; the test ends the process
// when it is done with it.
int main(int argc, char** argv) try {
  using namespace kvotlk::test;
  const ComThread com;
  const bool factory = argc > 1 && std::strcmp(argv[1], "factory") == 0;
  FakeKalveroServer server({.offer = factory ? FakeKalveroServer::Offer::ClassFactory
                                             : FakeKalveroServer::Offer::RunningObject,
                            .registerTypes = true});
  server.application->set(31, textValue(L"Kalvero im eigenen Prozess"));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kFakeFireEvents) {
      server.events->fire(kFakeOnStartExecution, {server.partProgram.get()});
      server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()});
    }
    DispatchMessageW(&message);
  }
  return 0;
} catch (const std::exception&) {
  return 1;
}
