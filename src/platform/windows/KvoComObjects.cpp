#include "platform/windows/KvoComObjects.h"

#include <utility>

namespace kvotlk::windows {
namespace {

// Dispatch ids of the automation table.
namespace app {
constexpr DISPID CurrentPartProg = 2;
constexpr DISPID EventSource = 27;
constexpr DISPID AppVersionText = 31;
}  // namespace app
namespace partprog {
constexpr DISPID PartProgName = 6;
}  // namespace partprog
namespace command {
constexpr DISPID CmdTypeCode = 6;
constexpr DISPID CmdIdText = 3;
constexpr DISPID HasDimension = 17;
constexpr DISPID DimensionOf = 8;
constexpr DISPID HasTextCmd = 58;
constexpr DISPID TextCmdOf = 57;
constexpr DISPID IntFieldValue = 104;
constexpr DISPID RealFieldValue = 102;
}  // namespace command
namespace dimension {
constexpr DISPID DimIdText = 5;
constexpr DISPID DimMeasured = 12;
constexpr DISPID DimSecondary = 3;
}  // namespace dimension
namespace textcmd {
constexpr DISPID TextCmdName = 1;
constexpr DISPID TextCmdText = 2;
}  // namespace textcmd

// An object-valued operation: nullopt when the call failed, a null pointer for "none".
template <class Port>
std::optional<std::shared_ptr<Port>> objectResult(
    const DispatchObject& owner, DISPID id, std::shared_ptr<Port> (*wrap)(DispatchObject object)) {
  auto result = owner.object(id);
  if (!result) {
    return std::nullopt;
  }
  if (result->isNone()) {
    return std::shared_ptr<Port>();
  }
  return wrap(std::move(*result));
}

class ComTextCommand final : public KvoTextCommand {
 public:
  explicit ComTextCommand(DispatchObject object) : object_(std::move(object)) {}
  std::optional<std::string> TextCmdName() override { return object_.text(textcmd::TextCmdName); }
  std::optional<std::string> TextCmdText() override { return object_.text(textcmd::TextCmdText); }

 private:
  DispatchObject object_;
};

class ComDimension final : public KvoDimensionObject {
 public:
  explicit ComDimension(DispatchObject object) : object_(std::move(object)) {}
  std::optional<std::string> DimIdText() override { return object_.text(dimension::DimIdText); }
  std::optional<double> DimMeasured() override { return object_.real(dimension::DimMeasured); }
  std::optional<double> DimSecondary() override { return object_.real(dimension::DimSecondary); }

 private:
  DispatchObject object_;
};

class ComCommand final : public KvoCommand {
 public:
  explicit ComCommand(DispatchObject object) : object_(std::move(object)) {}
  std::optional<std::int32_t> CmdTypeCode() override { return object_.int32(command::CmdTypeCode); }
  std::optional<std::string> CmdIdText() override { return object_.text(command::CmdIdText); }
  std::optional<bool> HasDimension() override { return object_.flag(command::HasDimension); }
  std::optional<std::shared_ptr<KvoDimensionObject>> DimensionOf() override {
    return objectResult<KvoDimensionObject>(object_, command::DimensionOf, wrapDimension);
  }
  std::optional<bool> HasTextCmd() override { return object_.flag(command::HasTextCmd); }
  std::optional<std::shared_ptr<KvoTextCommand>> TextCmdOf() override {
    return objectResult<KvoTextCommand>(object_, command::TextCmdOf, wrapTextCommand);
  }
  std::optional<std::int32_t> IntFieldValue(std::int32_t field, std::int32_t index) override {
    return object_.int32(command::IntFieldValue, {field, index});
  }
  std::optional<double> RealFieldValue(std::int32_t field, std::int32_t index) override {
    return object_.real(command::RealFieldValue, {field, index});
  }

 private:
  DispatchObject object_;
};

class ComPartProgram final : public KvoPartProgram {
 public:
  explicit ComPartProgram(DispatchObject object) : object_(std::move(object)) {}
  std::optional<std::string> PartProgName() override {
    return object_.text(partprog::PartProgName);
  }

 private:
  DispatchObject object_;
};

class ComApplication final : public KvoApplication {
 public:
  explicit ComApplication(DispatchObject object) : object_(std::move(object)) {}
  std::optional<std::shared_ptr<KvoPartProgram>> CurrentPartProg() override {
    return objectResult<KvoPartProgram>(object_, app::CurrentPartProg, wrapPartProgram);
  }
  std::optional<std::shared_ptr<KvoEventSource>> EventSource() override {
    return objectResult<KvoEventSource>(object_, app::EventSource, wrapEventSource);
  }
  std::optional<std::string> AppVersionText() override { return object_.text(app::AppVersionText); }

 private:
  DispatchObject object_;
};

}  // namespace

std::shared_ptr<KvoApplication> wrapApplication(DispatchObject object) {
  return std::make_shared<ComApplication>(std::move(object));
}
std::shared_ptr<KvoPartProgram> wrapPartProgram(DispatchObject object) {
  return std::make_shared<ComPartProgram>(std::move(object));
}
std::shared_ptr<KvoCommand> wrapCommand(DispatchObject object) {
  return std::make_shared<ComCommand>(std::move(object));
}
std::shared_ptr<KvoDimensionObject> wrapDimension(DispatchObject object) {
  return std::make_shared<ComDimension>(std::move(object));
}
std::shared_ptr<KvoTextCommand> wrapTextCommand(DispatchObject object) {
  return std::make_shared<ComTextCommand>(std::move(object));
}

}  // namespace kvotlk::windows
