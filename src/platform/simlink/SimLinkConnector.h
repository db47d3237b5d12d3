#pragma once

#include <memory>
#include <string>

#include "kalvero/KalveroPort.h"

namespace kvotlk::simlink {

// Finds a simulator listening under the endpoint: "the main window exists" when it accepts
// a connection, and the running application is a fresh connection to it. Needs a Qt
// application object; without one nothing is found.
std::unique_ptr<KvoConnector> makeSimLinkConnector(const std::string& endpoint);

}  // namespace kvotlk::simlink
