#pragma once

#include <windows.h>

#include <objbase.h>

#include <optional>
#include <string>

// What the converter finds out about the process behind the CMM software's window before it
// takes an object from it: whether both run with the same rights, and whether an object
// is served by that process and not by a second one COM would have started.
namespace kvotlk::windows {

// Whether the process runs elevated (as administrator); nullopt when it cannot be told.
// A process more privileged than the caller does not let its token be read: that counts
// as elevated when the caller is not.
std::optional<bool> ProcessIsElevated(DWORD processId);

// The German message when converter and CMM software run with different rights, so that
// COM keeps their objects apart; nullopt when the rights are the same or cannot be told.
std::optional<std::string> ElevationProblem(std::optional<bool> converterElevated,
                                            std::optional<bool> kalveroElevated);

// Whether the object, a proxy from CoCreateInstance, is served by the process: read from
// the interface identifier its standard marshalling carries (which holds the server's
// process id in 16 bits). True when it cannot be told (no standard proxy).
bool ServedByProcess(IUnknown* object, DWORD processId);

// The German message when the object came from another process than the window's.
std::string OtherServerProblem();

}  // namespace kvotlk::windows
