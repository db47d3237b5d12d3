#include "platform/simlink/SimLinkConnector.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QString>

#include "platform/simlink/SimLink.h"
#include "platform/simlink/SimLinkObjects.h"

namespace kvotlk::simlink {
namespace {

constexpr int kProbeTimeoutMs = 1000;

class SimLinkConnector final : public KvoConnector {
 public:
  explicit SimLinkConnector(const std::string& endpoint)
      : endpoint_(QString::fromStdString(endpoint)) {}

  bool MainWindowExists() override {
    if (QCoreApplication::instance() == nullptr) {
      return false;
    }
    QLocalSocket probe;
    probe.connectToServer(endpoint_);
    const bool answered = probe.waitForConnected(kProbeTimeoutMs);
    probe.abort();
    return answered;
  }

  std::shared_ptr<KvoApplication> GetRunningApplication() override {
    auto link = SimLink::open(endpoint_);
    if (!link) {
      return nullptr;
    }
    return std::make_shared<SimApplication>(std::move(link));
  }

 private:
  QString endpoint_;
};

}  // namespace

std::unique_ptr<KvoConnector> makeSimLinkConnector(const std::string& endpoint) {
  return std::make_unique<SimLinkConnector>(endpoint);
}

}  // namespace kvotlk::simlink
