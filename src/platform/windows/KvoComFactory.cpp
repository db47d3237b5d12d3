#include "kalvero/KalveroPort.h"
#include "platform/windows/KvoComConnector.h"

namespace kvotlk {

// This build reaches the CMM software over COM.
std::unique_ptr<KvoConnector> makeKvoConnector() { return windows::makeComConnector(); }

}  // namespace kvotlk
