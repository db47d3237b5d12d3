#pragma once

#include <memory>
#include <string>

// One converter per workstation: a second one would take the same CMM software's events
// and compete for its captures.
namespace kvotlk {

// This converter's claim of the workstation, held for as long as it lives.
class WorkstationClaim {
 public:
  virtual ~WorkstationClaim() = default;
};

// The claim, or nullptr when another converter runs on this PC already. Defined by the
// platform layer.
std::unique_ptr<WorkstationClaim> claimWorkstation();

// The stop message of a second converter, before it ends.
std::string AlreadyRunningMessage();

}  // namespace kvotlk
