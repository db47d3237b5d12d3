#pragma once

#include <memory>

#include "kalvero/CommandRecord.h"
#include "kalvero/KalveroPort.h"

// The objects of the simulated CMM software as the converter sees them. The application
// and the part programs ask the simulator; an executed command, its dimension and its text
// command answer from what the event carried, as long as the simulator is still there.
namespace kvotlk::simlink {

class SimLink;

class SimApplication final : public KvoApplication {
 public:
  explicit SimApplication(std::shared_ptr<SimLink> link);
  std::optional<std::shared_ptr<KvoPartProgram>> CurrentPartProg() override;
  std::optional<std::shared_ptr<KvoEventSource>> EventSource() override;
  std::optional<std::string> AppVersionText() override;

 private:
  std::shared_ptr<SimLink> link_;
  std::shared_ptr<KvoEventSource> eventSource_;
};

class SimPartProgram final : public KvoPartProgram {
 public:
  // Handle 0 names no program: it never answers.
  SimPartProgram(std::shared_ptr<SimLink> link, std::int64_t handle);
  std::optional<std::string> PartProgName() override;

 private:
  std::shared_ptr<SimLink> link_;
  std::int64_t handle_;
};

class SimEventSource final : public KvoEventSource {
 public:
  explicit SimEventSource(std::shared_ptr<SimLink> link);
  bool connect(KvoEventSink& sink) override;
  void disconnect() override;

 private:
  std::shared_ptr<SimLink> link_;
};

class SimCommand final : public KvoCommand {
 public:
  SimCommand(std::shared_ptr<SimLink> link, CommandRecord values);
  std::optional<std::int32_t> CmdTypeCode() override;
  std::optional<std::string> CmdIdText() override;
  std::optional<bool> HasDimension() override;
  std::optional<std::shared_ptr<KvoDimensionObject>> DimensionOf() override;
  std::optional<bool> HasTextCmd() override;
  std::optional<std::shared_ptr<KvoTextCommand>> TextCmdOf() override;
  std::optional<std::int32_t> IntFieldValue(std::int32_t field, std::int32_t index) override;
  std::optional<double> RealFieldValue(std::int32_t field, std::int32_t index) override;

 private:
  std::shared_ptr<SimLink> link_;
  CommandRecord values_;
};

class SimDimension final : public KvoDimensionObject {
 public:
  SimDimension(std::shared_ptr<SimLink> link, DimensionRecord values);
  std::optional<std::string> DimIdText() override;
  std::optional<double> DimMeasured() override;
  std::optional<double> DimSecondary() override;

 private:
  std::shared_ptr<SimLink> link_;
  DimensionRecord values_;
};

class SimTextCommand final : public KvoTextCommand {
 public:
  SimTextCommand(std::shared_ptr<SimLink> link, TextCmdRecord values);
  std::optional<std::string> TextCmdName() override;
  std::optional<std::string> TextCmdText() override;

 private:
  std::shared_ptr<SimLink> link_;
  TextCmdRecord values_;
};

}  // namespace kvotlk::simlink
