#include "fake-kalvero/FakeKalvero.h"

#include <numeric>
#include <utility>

namespace kvotlk {
namespace {

// The value when the software answers the call, else nullopt.
template <typename T>
std::optional<T> answered(FakeKalveroLife& life, std::string_view operation, T value) {
  if (!life.answer(operation)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

int FakeKalveroLife::totalCalls() const {
  return std::accumulate(calls.begin(), calls.end(), 0,
                         [](int sum, const auto& entry) { return sum + entry.second; });
}

int FakeKalveroLife::count(std::string_view operation) const {
  const auto found = calls.find(operation);
  return found == calls.end() ? 0 : found->second;
}

bool FakeKalveroLife::answer(std::string_view operation) {
  auto found = calls.find(operation);
  if (found == calls.end()) {
    found = calls.emplace(std::string(operation), 0).first;
  }
  ++found->second;
  if (cueCountdown_ > 0 && operation == cueOperation_ && --cueCountdown_ == 0) {
    gone = true;
  }
  if (callsLeft_ == 0) {
    gone = true;
  } else if (callsLeft_ > 0) {
    --callsLeft_;
  }
  return !gone;
}

void FakeKalveroLife::goAwayAt(std::string_view operation, int nth) {
  cueOperation_ = std::string(operation);
  cueCountdown_ = nth;
}

void FakeKalveroLife::goAwayAfter(int answeredCalls) { callsLeft_ = answeredCalls; }

FakeTextCommand::FakeTextCommand(std::shared_ptr<FakeKalveroLife> life, std::string nameText,
                                 std::string textText)
    : name(std::move(nameText)), text(std::move(textText)), life_(std::move(life)) {}

std::optional<std::string> FakeTextCommand::TextCmdName() {
  return answered(*life_, "TextCmdName", name);
}

std::optional<std::string> FakeTextCommand::TextCmdText() {
  return answered(*life_, "TextCmdText", text);
}

FakeDimension::FakeDimension(std::shared_ptr<FakeKalveroLife> life, std::string id,
                             double measuredValue, double secondaryValue)
    : idText(std::move(id)),
      measured(measuredValue),
      secondary(secondaryValue),
      life_(std::move(life)) {}

std::optional<std::string> FakeDimension::DimIdText() {
  return answered(*life_, "DimIdText", idText);
}

std::optional<double> FakeDimension::DimMeasured() {
  return answered(*life_, "DimMeasured", measured);
}

std::optional<double> FakeDimension::DimSecondary() {
  return answered(*life_, "DimSecondary", secondary);
}

FakeCommand::FakeCommand(std::shared_ptr<FakeKalveroLife> life, const CommandRecord& scripted)
    : typeCode(scripted.CmdTypeCode),
      idText(scripted.CmdIdText),
      field165(scripted.field165),
      field662(scripted.field662),
      life_(std::move(life)) {
  if (scripted.dimension) {
    dimension = std::make_shared<FakeDimension>(life_, scripted.dimension->DimIdText,
                                                scripted.dimension->DimMeasured,
                                                scripted.dimension->DimSecondary);
  }
  if (scripted.textCmd) {
    textCmd = std::make_shared<FakeTextCommand>(life_, scripted.textCmd->TextCmdName,
                                                scripted.textCmd->TextCmdText);
  }
}

std::optional<std::int32_t> FakeCommand::CmdTypeCode() {
  return answered(*life_, "CmdTypeCode", typeCode);
}

std::optional<std::string> FakeCommand::CmdIdText() {
  return answered(*life_, "CmdIdText", idText);
}

std::optional<bool> FakeCommand::HasDimension() {
  return answered(*life_, "HasDimension", dimension != nullptr);
}

std::optional<std::shared_ptr<KvoDimensionObject>> FakeCommand::DimensionOf() {
  return answered(*life_, "DimensionOf", std::shared_ptr<KvoDimensionObject>(dimension));
}

std::optional<bool> FakeCommand::HasTextCmd() {
  return answered(*life_, "HasTextCmd", textCmd != nullptr);
}

std::optional<std::shared_ptr<KvoTextCommand>> FakeCommand::TextCmdOf() {
  return answered(*life_, "TextCmdOf", std::shared_ptr<KvoTextCommand>(textCmd));
}

std::optional<std::int32_t> FakeCommand::IntFieldValue(std::int32_t field, std::int32_t index) {
  return answered(*life_, "IntFieldValue", field == 165 && index == 1 ? field165 : 0);
}

std::optional<double> FakeCommand::RealFieldValue(std::int32_t field, std::int32_t index) {
  return answered(*life_, "RealFieldValue", field == 662 && index == 1 ? field662 : 0.0);
}

FakePartProgram::FakePartProgram(std::shared_ptr<FakeKalveroLife> life, std::string fileName)
    : name(std::move(fileName)), life_(std::move(life)) {}

std::optional<std::string> FakePartProgram::PartProgName() {
  return answered(*life_, "PartProgName", name);
}

FakeEventSource::FakeEventSource(std::shared_ptr<FakeKalveroLife> life) : life_(std::move(life)) {}

bool FakeEventSource::connect(KvoEventSink& newSink) {
  if (!life_->answer("connect") || refuseConnect) {
    return false;
  }
  sink = &newSink;
  if (whileConnecting) {
    whileConnecting();
  }
  return true;
}

void FakeEventSource::disconnect() {
  life_->answer("disconnect");
  sink = nullptr;
}

FakeKvoApplication::FakeKvoApplication()
    : life(std::make_shared<FakeKalveroLife>()),
      eventSource(std::make_shared<FakeEventSource>(life)) {}

std::optional<std::shared_ptr<KvoPartProgram>> FakeKvoApplication::CurrentPartProg() {
  return answered(*life, "CurrentPartProg", std::shared_ptr<KvoPartProgram>(currentPartProg));
}

std::optional<std::shared_ptr<KvoEventSource>> FakeKvoApplication::EventSource() {
  return answered(*life, "EventSource", std::shared_ptr<KvoEventSource>(eventSource));
}

std::optional<std::string> FakeKvoApplication::AppVersionText() {
  return answered(*life, "AppVersionText", versionText);
}

std::shared_ptr<FakePartProgram> FakeKvoApplication::openPartProgram(const std::string& fileName) {
  currentPartProg = makePartProgram(fileName);
  return currentPartProg;
}

void FakeKvoApplication::closePartProgram() { currentPartProg.reset(); }

void FakeKvoApplication::goAway() { life->gone = true; }

std::shared_ptr<FakePartProgram> FakeKvoApplication::makePartProgram(const std::string& fileName) {
  return std::make_shared<FakePartProgram>(life, fileName);
}

std::shared_ptr<FakeCommand> FakeKvoApplication::makeCommand(const CommandRecord& scripted) {
  return std::make_shared<FakeCommand>(life, scripted);
}

std::vector<std::shared_ptr<FakeCommand>> FakeKvoApplication::makeCommands(
    const std::vector<CommandRecord>& script) {
  std::vector<std::shared_ptr<FakeCommand>> commands;
  commands.reserve(script.size());
  for (const auto& scripted : script) {
    commands.push_back(makeCommand(scripted));
  }
  return commands;
}

std::shared_ptr<KvoPartProgram> FakeKvoApplication::programOrCurrent(
    const std::shared_ptr<KvoPartProgram>& program) const {
  return program ? program : currentPartProg;
}

void FakeKvoApplication::startExecution(const std::shared_ptr<KvoPartProgram>& program) {
  if (life->gone || eventSource->sink == nullptr) {
    return;
  }
  ++deliveredEvents;
  eventSource->sink->OnStartExecution(programOrCurrent(program));
}

void FakeKvoApplication::executeCommand(const std::shared_ptr<KvoCommand>& command,
                                        const std::shared_ptr<KvoPartProgram>& program) {
  if (life->gone || eventSource->sink == nullptr) {
    return;
  }
  ++deliveredEvents;
  eventSource->sink->OnObjectExecuted(programOrCurrent(program), command);
}

void FakeKvoApplication::executeCommand(const CommandRecord& scripted,
                                        const std::shared_ptr<KvoPartProgram>& program) {
  executeCommand(makeCommand(scripted), program);
}

void FakeKvoApplication::run(const std::vector<CommandRecord>& commands) {
  run(makeCommands(commands));
}

void FakeKvoApplication::run(const std::vector<std::shared_ptr<FakeCommand>>& commands) {
  startExecution();
  for (const auto& command : commands) {
    executeCommand(command);
  }
}

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
