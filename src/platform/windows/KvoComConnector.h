#pragma once

#include <memory>

#include "kalvero/KalveroPort.h"

namespace kvotlk::windows {

// Finds the CMM software by its main window class and the running application object of
// its ProgID, and reaches it over COM.
std::unique_ptr<KvoConnector> makeComConnector();

}  // namespace kvotlk::windows
