#include "capture/FakeKalvero.h"

#include <numeric>
#include <utility>

namespace kvotlk {

int FakeKalveroLife::totalCalls() const {
  return std::accumulate(calls.begin(), calls.end(), 0,
                         [](int sum, const auto& entry) { return sum + entry.second; });
}

bool FakeKalveroLife::answer(const std::string& operation) {
  ++calls[operation];
  return !gone;
}

FakePartProgram::FakePartProgram(std::shared_ptr<FakeKalveroLife> life, std::string fileName)
    : name(std::move(fileName)), life_(std::move(life)) {}

std::optional<std::string> FakePartProgram::PartProgName() {
  if (!life_->answer("PartProgName")) {
    return std::nullopt;
  }
  return name;
}

FakeKvoApplication::FakeKvoApplication() : life(std::make_shared<FakeKalveroLife>()) {}

std::optional<std::shared_ptr<KvoPartProgram>> FakeKvoApplication::CurrentPartProg() {
  if (!life->answer("CurrentPartProg")) {
    return std::nullopt;
  }
  return std::shared_ptr<KvoPartProgram>(currentPartProg);
}

std::optional<std::shared_ptr<KvoEventSource>> FakeKvoApplication::EventSource() {
  if (!life->answer("EventSource")) {
    return std::nullopt;
  }
  return std::shared_ptr<KvoEventSource>();
}

std::optional<std::string> FakeKvoApplication::AppVersionText() {
  if (!life->answer("AppVersionText")) {
    return std::nullopt;
  }
  return versionText;
}

std::shared_ptr<FakePartProgram> FakeKvoApplication::openPartProgram(const std::string& fileName) {
  currentPartProg = std::make_shared<FakePartProgram>(life, fileName);
  return currentPartProg;
}

void FakeKvoApplication::closePartProgram() { currentPartProg.reset(); }

void FakeKvoApplication::goAway() { life->gone = true; }

bool FakeKvoConnector::MainWindowExists() {
  ++findWindowCalls;
  return windowExists;
}

std::shared_ptr<KvoApplication> FakeKvoConnector::GetRunningApplication() {
  ++getObjectCalls;
  return app;
}

std::shared_ptr<FakeKvoApplication> FakeKvoConnector::start() {
  app = std::make_shared<FakeKvoApplication>();
  windowExists = true;
  return app;
}

}  // namespace kvotlk
