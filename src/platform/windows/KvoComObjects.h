#pragma once

#include <memory>

#include "kalvero/KalveroPort.h"
#include "platform/windows/DispatchObject.h"

// The objects of the CMM software behind the Kalvero port, each an automation object
// called by the dispatch ids of the CMM software's automation table.
namespace kvotlk::windows {

std::shared_ptr<KvoApplication> wrapApplication(DispatchObject object);
std::shared_ptr<KvoPartProgram> wrapPartProgram(DispatchObject object);
std::shared_ptr<KvoCommand> wrapCommand(DispatchObject object);
std::shared_ptr<KvoDimensionObject> wrapDimension(DispatchObject object);
std::shared_ptr<KvoTextCommand> wrapTextCommand(DispatchObject object);
// Defined with the event subscription.
std::shared_ptr<KvoEventSource> wrapEventSource(DispatchObject object);

}  // namespace kvotlk::windows
