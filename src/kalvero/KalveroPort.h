#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The Kalvero port: what the converter needs of the CMM software's automation interface.
// Each operation answers nullopt when the call failed because the CMM software has gone
// away or does not answer; an object operation answers a null pointer for "none".
namespace kvotlk {

class KvoTextCommand {
 public:
  virtual ~KvoTextCommand() = default;
  virtual std::optional<std::string> TextCmdName() = 0;
  virtual std::optional<std::string> TextCmdText() = 0;
};

class KvoDimensionObject {
 public:
  virtual ~KvoDimensionObject() = default;
  virtual std::optional<std::string> DimIdText() = 0;
  virtual std::optional<double> DimMeasured() = 0;
  virtual std::optional<double> DimSecondary() = 0;
};

class KvoCommand {
 public:
  virtual ~KvoCommand() = default;
  virtual std::optional<std::int32_t> CmdTypeCode() = 0;
  virtual std::optional<std::string> CmdIdText() = 0;
  virtual std::optional<bool> HasDimension() = 0;
  virtual std::optional<std::shared_ptr<KvoDimensionObject>> DimensionOf() = 0;
  virtual std::optional<bool> HasTextCmd() = 0;
  virtual std::optional<std::shared_ptr<KvoTextCommand>> TextCmdOf() = 0;
  virtual std::optional<std::int32_t> IntFieldValue(std::int32_t field, std::int32_t index) = 0;
  virtual std::optional<double> RealFieldValue(std::int32_t field, std::int32_t index) = 0;
};

class KvoPartProgram {
 public:
  virtual ~KvoPartProgram() = default;
  // The file name with its 4-character extension.
  virtual std::optional<std::string> PartProgName() = 0;
};

// Receives the two execution events, on the user-interface thread.
class KvoEventSink {
 public:
  virtual ~KvoEventSink() = default;
  virtual void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) = 0;
  virtual void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                                const std::shared_ptr<KvoCommand>& Cmmd) = 0;
};

// The source of the execution events. While a sink is connected, events reach it.
class KvoEventSource {
 public:
  virtual ~KvoEventSource() = default;
  // False when the subscription could not be made.
  virtual bool connect(KvoEventSink& sink) = 0;
  // Ends the subscription; harmless when none is made.
  virtual void disconnect() = 0;
};

class KvoApplication {
 public:
  virtual ~KvoApplication() = default;
  virtual std::optional<std::shared_ptr<KvoPartProgram>> CurrentPartProg() = 0;
  virtual std::optional<std::shared_ptr<KvoEventSource>> EventSource() = 0;
  virtual std::optional<std::string> AppVersionText() = 0;
};

// Finds the running CMM software.
class KvoConnector {
 public:
  virtual ~KvoConnector() = default;
  // Whether the CMM software's main window exists.
  virtual bool MainWindowExists() = 0;
  // The running application object; nullptr when none is registered.
  virtual std::shared_ptr<KvoApplication> GetRunningApplication() = 0;
  // Why no link to the CMM software can be made from this program at all, for the
  // operator; nullopt when nothing but the software's absence stands in the way.
  virtual std::optional<std::string> LinkProblem() { return std::nullopt; }
  // Hears true when a call waits because the CMM software rejects calls for a while (a
  // dialog of its own is open), and false when the wait ends; on the user-interface
  // thread, while that call waits.
  virtual void SetWaitObserver(const std::function<void(bool waiting)>& /*observer*/) {}
};

// The link to the CMM software on this build; defined by the platform layer.
std::unique_ptr<KvoConnector> makeKvoConnector();

}  // namespace kvotlk
