#include "kalvero-sim/SimOptions.h"

#include <charconv>

#include "platform/simlink/SimProtocol.h"
#include "program/ProgramLine.h"

namespace kvotlk::sim {
namespace {

constexpr std::int64_t kMaxRuns = 100000;
constexpr std::int64_t kMaxPauseMs = 60000;

// Reads the value of an option that takes one; the error text when it is missing or wrong.
std::optional<std::string> takeValue(const std::vector<std::string>& arguments, std::size_t& i,
                                     std::string& value) {
  if (i + 1 >= arguments.size()) {
    return "Zur Option " + arguments[i] + " fehlt der Wert.";
  }
  value = arguments[++i];
  return std::nullopt;
}

std::optional<std::string> readOption(const std::vector<std::string>& arguments, std::size_t& i,
                                      SimOptions& options) {
  const std::string& option = arguments[i];
  if (option == "--beenden") {
    options.quitWhenDone = true;
  } else if (option == "--eingabe") {
    options.readStdin = true;
  } else if (option == "--ohne-fenster") {
    options.windowless = true;
  } else if (option == "--hilfe" || option == "-h") {
    options.help = true;
  } else if (option == "--endpunkt") {
    return takeValue(arguments, i, options.endpoint);
  } else if (option == "--ausfuehren" || option == "--takt" || option == "--startwert") {
    std::string value;
    if (auto error = takeValue(arguments, i, value)) {
      return error;
    }
    if (option == "--startwert") {
      options.seed = program::parseSeed(value);
      return options.seed ? std::nullopt
                          : std::optional<std::string>("--startwert: \"" + value +
                                                       "\" ist keine ganze Zahl ab 0.");
    }
    const bool runs = option == "--ausfuehren";
    const auto number = program::parseWhole(value, runs ? 1 : 0, runs ? kMaxRuns : kMaxPauseMs);
    if (!number) {
      return option + ": \"" + value + "\" ist keine ganze Zahl von " + (runs ? "1" : "0") +
             " bis " + std::to_string(runs ? kMaxRuns : kMaxPauseMs) + ".";
    }
    (runs ? options.runs : options.pauseMs) = static_cast<int>(*number);
  } else {
    return "Unbekannte Option " + option + ".";
  }
  return std::nullopt;
}

}  // namespace

const char* const kUsage =
    "Aufruf: kalvero-sim [Optionen] [Messprogramm]\n"
    "\n"
    "  --ausfuehren N   führt das Messprogramm nach dem Start N-mal aus\n"
    "  --beenden        beendet den Simulator, wenn alle Befehle erledigt sind\n"
    "  --eingabe        liest Befehle zeilenweise von der Standardeingabe:\n"
    "                   oeffnen DATEI, schliessen, ausfuehren [N], startwert N,\n"
    "                   takt MS, warten, beenden\n"
    "  --startwert N    Startwert der Zufallswerte (sonst der des Messprogramms, sonst 1)\n"
    "  --takt MS        Pause nach jedem Ereignis in Millisekunden (Standard 0)\n"
    "  --endpunkt NAME  lokaler Endpunkt (Standard kalvero-sim; der Konverter sucht dort)\n"
    "  --ohne-fenster   ohne Fenster, für Skripte\n"
    "  --hilfe          zeigt diese Hilfe\n";

std::variant<SimOptions, std::string> parseOptions(const std::vector<std::string>& arguments) {
  SimOptions options;
  options.endpoint = simlink::kDefaultEndpoint;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() > 1 && argument.front() == '-') {
      if (auto error = readOption(arguments, i, options)) {
        return *error;
      }
    } else if (options.programFile) {
      return "Nur ein Messprogramm kann angegeben werden, nicht auch \"" + argument + "\".";
    } else {
      options.programFile = argument;
    }
  }
  if (options.runs > 0 && !options.programFile) {
    return "--ausfuehren braucht ein Messprogramm.";
  }
  return options;
}

std::vector<std::string> startupScript(const SimOptions& options) {
  std::vector<std::string> lines;
  if (options.programFile) {
    lines.push_back("oeffnen " + *options.programFile);
  }
  if (options.runs > 0) {
    lines.push_back("ausfuehren " + std::to_string(options.runs));
  }
  if (options.quitWhenDone) {
    lines.emplace_back("beenden");
  }
  return lines;
}

}  // namespace kvotlk::sim
