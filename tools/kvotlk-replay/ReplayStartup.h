#pragma once

#include <string>
#include <vector>

// What the main window's load does that the job needs, through core: the registry root,
// the run-time copies of settings, the leftover handoff file, and the two lists filled
// from the catalogues.
namespace kvotlk {
struct Environment;
struct modGlobaleVariablen;
}  // namespace kvotlk

namespace kvotlk::replay {

struct OrderLists {
  std::vector<std::string> combo_Pruefer;
  std::vector<std::string> Combo_Maschine;
};

// Sets strRegistryRoot and reads the run-time copies in the order of the start-up, deletes
// a leftover handoff file and fills the two lists (a missing catalogue shows its message).
OrderLists LoadMainWindow(Environment& env, modGlobaleVariablen& g);

}  // namespace kvotlk::replay
