#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The command line of kalvero-sim.
namespace kvotlk::sim {

struct SimOptions {
  std::string endpoint;
  std::optional<std::string> programFile;
  std::optional<std::uint64_t> seed;
  int pauseMs = 0;
  int runs = 0;
  bool quitWhenDone = false;
  bool readStdin = false;
  bool windowless = false;
  bool help = false;

  bool operator==(const SimOptions&) const = default;
};

// The arguments after the program's name; a German error text when one is wrong.
std::variant<SimOptions, std::string> parseOptions(const std::vector<std::string>& arguments);

// The lines of the script that the options stand for, in order: open the file, execute the
// runs, quit.
std::vector<std::string> startupScript(const SimOptions& options);

extern const char* const kUsage;

}  // namespace kvotlk::sim
