#pragma once

#include <optional>
#include <string>

#include "config/ConfigSettings.h"

// What the configuration dialog checks on OK before it writes anything: every entry the
// program would otherwise take as a mistake only at run time.
namespace kvotlk {

struct Environment;
class OrderEngine;

// The ranges of the number fields, as the rest of the program handles them.
inline constexpr int kLongestLength = 32767;

// The first entry, in table order, that cannot be saved: its key (whose control takes the
// focus) and the stop message that names the field and what is allowed.
struct ConfigProblem {
  SettingKey key;
  std::string message;
};

// The number of decimals and the four lengths must be whole numbers in their range; with
// random names off the fixed file name must be one the send accepts, with the extension in
// use the extension one the handoff file accepts.
std::optional<ConfigProblem> CheckConfigEntries(const ConfigEntries& entries);

// The question asked before a target folder is saved that does not exist or cannot be
// written (a share may be offline while it is set up); nullopt when it can be written.
std::optional<std::string> UnreachableFolderQuestion(Environment& env, const std::string& folder);

// OK of the dialog: the checks, the question, then the save with its run-time copies,
// which the main window follows. The key whose control takes the focus when the dialog
// stays open (a refused entry, the folder question answered No, a failed write, after its
// message); nullopt when all was saved and the dialog may close.
std::optional<SettingKey> SaveConfigChecked(Environment& env, modGlobaleVariablen& g,
                                            const ConfigEntries& entries, OrderEngine& order);

}  // namespace kvotlk
