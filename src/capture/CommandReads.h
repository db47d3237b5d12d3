#pragma once

#include <cstdint>
#include <optional>

#include "kalvero/KalveroPort.h"

// One executed command as the capture reads it. Every call crosses into the CMM
// software's process, which waits meanwhile, so the properties that several steps need
// are read once per event and kept. nullopt means the call failed.
namespace kvotlk {

class CommandReads {
 public:
  explicit CommandReads(KvoCommand& command) : command_(command) {}

  KvoCommand& command() { return command_; }
  std::optional<std::int32_t> CmdTypeCode();
  // Field 165, index 1.
  std::optional<std::int32_t> Field165();

 private:
  KvoCommand& command_;
  bool typeCodeRead_ = false;
  std::optional<std::int32_t> typeCode_;
  bool field165Read_ = false;
  std::optional<std::int32_t> field165_;
};

}  // namespace kvotlk
