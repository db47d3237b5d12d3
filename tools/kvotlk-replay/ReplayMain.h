#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "kvotlk-replay/ReplayJob.h"

namespace kvotlk::replay {

// kvotlk-replay as a whole: the arguments after the program's name, the machine's ports
// and the two streams; answers the exit code. The tool's main passes the machine's own
// ports, tests their stand-ins.
int replayMain(const std::vector<std::string>& arguments, const MachinePorts& machine,
               std::ostream& out, std::ostream& err);

}  // namespace kvotlk::replay
