#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kalvero/CommandRecord.h"
#include "kalvero/KalveroPort.h"

// An in-memory stand-in for the CMM software, for tests, benchmarks and tools. Every
// object of one fake shares its life: after goAway() every call answers "gone", and a
// gone software fires no more events.
namespace kvotlk {

struct FakeKalveroLife {
  bool gone = false;
  // Calls per operation name, for asserting how many automation calls a step costs.
  std::map<std::string, int, std::less<>> calls;
  int totalCalls() const;
  // Calls of one operation so far.
  int count(std::string_view operation) const;
  // Counts the call; false when the software has gone (also when this call is the cue).
  bool answer(std::string_view operation);

  // Cues: the software goes away at the nth call of the operation from now on (that call
  // already fails), or after answering this many more calls of any operation.
  void goAwayAt(std::string_view operation, int nth = 1);
  void goAwayAfter(int answeredCalls);

 private:
  std::string cueOperation_;
  int cueCountdown_ = 0;
  int callsLeft_ = -1;
};

class FakeTextCommand final : public KvoTextCommand {
 public:
  FakeTextCommand(std::shared_ptr<FakeKalveroLife> life, std::string name, std::string text);
  std::optional<std::string> TextCmdName() override;
  std::optional<std::string> TextCmdText() override;

  std::string name;
  std::string text;

 private:
  std::shared_ptr<FakeKalveroLife> life_;
};

class FakeDimension final : public KvoDimensionObject {
 public:
  FakeDimension(std::shared_ptr<FakeKalveroLife> life, std::string idText, double measured,
                double secondary);
  std::optional<std::string> DimIdText() override;
  std::optional<double> DimMeasured() override;
  std::optional<double> DimSecondary() override;

  std::string idText;
  double measured = 0.0;
  double secondary = 0.0;

 private:
  std::shared_ptr<FakeKalveroLife> life_;
};

class FakeCommand final : public KvoCommand {
 public:
  FakeCommand(std::shared_ptr<FakeKalveroLife> life, const CommandRecord& scripted);
  std::optional<std::int32_t> CmdTypeCode() override;
  std::optional<std::string> CmdIdText() override;
  std::optional<bool> HasDimension() override;
  std::optional<std::shared_ptr<KvoDimensionObject>> DimensionOf() override;
  std::optional<bool> HasTextCmd() override;
  std::optional<std::shared_ptr<KvoTextCommand>> TextCmdOf() override;
  std::optional<std::int32_t> IntFieldValue(std::int32_t field, std::int32_t index) override;
  std::optional<double> RealFieldValue(std::int32_t field, std::int32_t index) override;

  std::int32_t typeCode = 0;
  std::string idText;
  // None when the command has no dimension or no text command.
  std::shared_ptr<FakeDimension> dimension;
  std::shared_ptr<FakeTextCommand> textCmd;
  std::int32_t field165 = 0;
  double field662 = 0.0;

 private:
  std::shared_ptr<FakeKalveroLife> life_;
};

class FakePartProgram final : public KvoPartProgram {
 public:
  FakePartProgram(std::shared_ptr<FakeKalveroLife> life, std::string fileName);
  std::optional<std::string> PartProgName() override;

  std::string name;

 private:
  std::shared_ptr<FakeKalveroLife> life_;
};

// Holds at most one connected sink; events reach it while it is connected.
class FakeEventSource final : public KvoEventSource {
 public:
  explicit FakeEventSource(std::shared_ptr<FakeKalveroLife> life);
  bool connect(KvoEventSink& sink) override;
  void disconnect() override;

  KvoEventSink* sink = nullptr;
  // The next connect fails when set.
  bool refuseConnect = false;
  // Runs once the sink is connected, before connect returns: a COM server may fire events
  // while the reply to the subscription is still on its way.
  std::function<void()> whileConnecting;

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

  // A part program of the same software that is not the open one.
  std::shared_ptr<FakePartProgram> makePartProgram(const std::string& fileName);
  std::shared_ptr<FakeCommand> makeCommand(const CommandRecord& scripted);
  std::vector<std::shared_ptr<FakeCommand>> makeCommands(const std::vector<CommandRecord>& script);

  // Events, as the software fires them while it executes; nothing reaches a sink once the
  // software has gone. Without a program the open one is meant.
  void startExecution(const std::shared_ptr<KvoPartProgram>& program = nullptr);
  void executeCommand(const std::shared_ptr<KvoCommand>& command,
                      const std::shared_ptr<KvoPartProgram>& program = nullptr);
  void executeCommand(const CommandRecord& scripted,
                      const std::shared_ptr<KvoPartProgram>& program = nullptr);
  // One run of the open program: the start, then every command in turn.
  void run(const std::vector<CommandRecord>& commands);
  void run(const std::vector<std::shared_ptr<FakeCommand>>& commands);

  std::shared_ptr<FakeKalveroLife> life;
  std::shared_ptr<FakePartProgram> currentPartProg;
  std::shared_ptr<FakeEventSource> eventSource;
  std::string versionText = "Kalvero 3.7";
  // Events handed to a connected sink.
  int deliveredEvents = 0;

 private:
  std::shared_ptr<KvoPartProgram> programOrCurrent(
      const std::shared_ptr<KvoPartProgram>& program) const;
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
