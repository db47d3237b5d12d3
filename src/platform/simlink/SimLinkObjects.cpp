#include "platform/simlink/SimLinkObjects.h"

#include <utility>

#include "platform/simlink/SimLink.h"

namespace kvotlk::simlink {
namespace {

// The value while the simulator is there, else nullopt.
template <typename T>
std::optional<T> whileAlive(const SimLink& link, T value) {
  if (!link.alive()) {
    return std::nullopt;
  }
  return value;
}

// The single text value of a reply.
std::optional<std::string> textReply(const std::optional<Fields>& reply) {
  if (!reply || reply->size() != 1) {
    return std::nullopt;
  }
  return reply->front();
}

}  // namespace

SimApplication::SimApplication(std::shared_ptr<SimLink> link)
    : link_(std::move(link)), eventSource_(std::make_shared<SimEventSource>(link_)) {}

std::optional<std::shared_ptr<KvoPartProgram>> SimApplication::CurrentPartProg() {
  const auto reply = link_->call(kOpCurrentPartProg);
  const auto handle = reply && reply->size() == 1 ? parseInteger(reply->front()) : std::nullopt;
  if (!handle) {
    return std::nullopt;
  }
  if (*handle == 0) {
    return std::shared_ptr<KvoPartProgram>();
  }
  return std::make_shared<SimPartProgram>(link_, *handle);
}

std::optional<std::shared_ptr<KvoEventSource>> SimApplication::EventSource() {
  return whileAlive(*link_, eventSource_);
}

std::optional<std::string> SimApplication::AppVersionText() {
  return textReply(link_->call(kOpAppVersionText));
}

SimPartProgram::SimPartProgram(std::shared_ptr<SimLink> link, std::int64_t handle)
    : link_(std::move(link)), handle_(handle) {}

std::optional<std::string> SimPartProgram::PartProgName() {
  if (handle_ == 0) {
    return std::nullopt;
  }
  return textReply(link_->call(kOpPartProgName, {std::to_string(handle_)}));
}

SimEventSource::SimEventSource(std::shared_ptr<SimLink> link) : link_(std::move(link)) {}

bool SimEventSource::connect(KvoEventSink& sink) { return link_->subscribe(sink); }

void SimEventSource::disconnect() { link_->unsubscribe(); }

SimCommand::SimCommand(std::shared_ptr<SimLink> link, CommandRecord values)
    : link_(std::move(link)), values_(std::move(values)) {}

std::optional<std::int32_t> SimCommand::CmdTypeCode() {
  return whileAlive(*link_, values_.CmdTypeCode);
}

std::optional<std::string> SimCommand::CmdIdText() { return whileAlive(*link_, values_.CmdIdText); }

std::optional<bool> SimCommand::HasDimension() {
  return whileAlive(*link_, values_.dimension.has_value());
}

std::optional<std::shared_ptr<KvoDimensionObject>> SimCommand::DimensionOf() {
  std::shared_ptr<KvoDimensionObject> dimension;
  if (values_.dimension) {
    dimension = std::make_shared<SimDimension>(link_, *values_.dimension);
  }
  return whileAlive(*link_, dimension);
}

std::optional<bool> SimCommand::HasTextCmd() {
  return whileAlive(*link_, values_.textCmd.has_value());
}

std::optional<std::shared_ptr<KvoTextCommand>> SimCommand::TextCmdOf() {
  std::shared_ptr<KvoTextCommand> textCmd;
  if (values_.textCmd) {
    textCmd = std::make_shared<SimTextCommand>(link_, *values_.textCmd);
  }
  return whileAlive(*link_, textCmd);
}

std::optional<std::int32_t> SimCommand::IntFieldValue(std::int32_t field, std::int32_t index) {
  constexpr std::int32_t kField165 = 165;
  return whileAlive(*link_, field == kField165 && index == 1 ? values_.field165 : 0);
}

std::optional<double> SimCommand::RealFieldValue(std::int32_t field, std::int32_t index) {
  constexpr std::int32_t kField662 = 662;
  return whileAlive(*link_, field == kField662 && index == 1 ? values_.field662 : 0.0);
}

SimDimension::SimDimension(std::shared_ptr<SimLink> link, DimensionRecord values)
    : link_(std::move(link)), values_(std::move(values)) {}

std::optional<std::string> SimDimension::DimIdText() {
  return whileAlive(*link_, values_.DimIdText);
}

std::optional<double> SimDimension::DimMeasured() {
  return whileAlive(*link_, values_.DimMeasured);
}

std::optional<double> SimDimension::DimSecondary() {
  return whileAlive(*link_, values_.DimSecondary);
}

SimTextCommand::SimTextCommand(std::shared_ptr<SimLink> link, TextCmdRecord values)
    : link_(std::move(link)), values_(std::move(values)) {}

std::optional<std::string> SimTextCommand::TextCmdName() {
  return whileAlive(*link_, values_.TextCmdName);
}

std::optional<std::string> SimTextCommand::TextCmdText() {
  return whileAlive(*link_, values_.TextCmdText);
}

}  // namespace kvotlk::simlink
