#include "capture/KalveroPort.h"

namespace kvotlk {
namespace {

// No CMM software can be reached from this build yet: the connector finds none.
class UnreachableConnector final : public KvoConnector {
 public:
  bool MainWindowExists() override { return false; }
  std::shared_ptr<KvoApplication> GetRunningApplication() override { return nullptr; }
};

}  // namespace

std::unique_ptr<KvoConnector> makeKvoConnector() {
  return std::make_unique<UnreachableConnector>();
}

}  // namespace kvotlk
