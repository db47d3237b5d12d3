#pragma once

#include <map>
#include <memory>
#include <string>

#include "capture/KalveroPort.h"

// An in-memory stand-in for the CMM software, for tests, benchmarks and tools. Every
// object of one fake shares its life: after goAway() every call answers "gone".
namespace kvotlk {

struct FakeKalveroLife {
  bool gone = false;
  // Calls per operation name, for asserting how many automation calls a step costs.
  std::map<std::string, int> calls;
  int totalCalls() const;
  // Counts the call; false when the software has gone.
  bool answer(const std::string& operation);
};

class FakePartProgram final : public KvoPartProgram {
 public:
  FakePartProgram(std::shared_ptr<FakeKalveroLife> life, std::string fileName);
  std::optional<std::string> PartProgName() override;

  std::string name;

 private:
  std::shared_ptr<FakeKalveroLife> life_;
};

class FakeKvoApplication final : public KvoApplication {
 public:
  FakeKvoApplication();
  std::optional<std::shared_ptr<KvoPartProgram>> CurrentPartProg() override;
  std::optional<std::shared_ptr<KvoEventSource>> EventSource() override;
  std::optional<std::string> AppVersionText() override;

  // Opens a part program of that file name (with its 4-character extension).
  std::shared_ptr<FakePartProgram> openPartProgram(const std::string& fileName);
  void closePartProgram();
  void goAway();

  std::shared_ptr<FakeKalveroLife> life;
  std::shared_ptr<FakePartProgram> currentPartProg;
  std::string versionText = "Kalvero 3.7";
};

class FakeKvoConnector final : public KvoConnector {
 public:
  bool MainWindowExists() override;
  std::shared_ptr<KvoApplication> GetRunningApplication() override;

  // A running CMM software with its window; nullptr when none runs.
  std::shared_ptr<FakeKvoApplication> app;
  bool windowExists = false;
  int findWindowCalls = 0;
  int getObjectCalls = 0;

  // Starts a fresh fake CMM software and returns it.
  std::shared_ptr<FakeKvoApplication> start();
};

}  // namespace kvotlk
