#include "kalvero/KalveroPort.h"
#include "platform/simlink/SimLinkConnector.h"
#include "platform/simlink/SimProtocol.h"

namespace kvotlk {

// This build reaches the CMM software through the simulator's fixed endpoint.
std::unique_ptr<KvoConnector> makeKvoConnector() {
  return simlink::makeSimLinkConnector(simlink::kDefaultEndpoint);
}

}  // namespace kvotlk
