#include "kvotlk-replay/ReplayMain.h"

#include <filesystem>
#include <system_error>

#include "common/Paths.h"
#include "program/ProgramParser.h"

namespace kvotlk::replay {
namespace {

class Entry {
 public:
  Entry(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int run(const std::vector<std::string>& arguments, const MachinePorts& machine) {
    auto parsed = parseReplayOptions(arguments);
    if (auto* error = std::get_if<std::string>(&parsed)) {
      err_ << "FEHLER: " << *error << '\n'
           << kReplayUsage << "Hilfe: kvotlk-replay --hilfe\n"
           << std::flush;
      return kInputError;
    }
    inputs_.options = std::move(std::get<ReplayOptions>(parsed));
    if (inputs_.options.help) {
      out_ << kReplayUsage << kReplayHelp << std::flush;
      return kDelivered;
    }
    const auto folder = programFolderOf(inputs_.options.programFolder);
    if (!folder) {
      return refuse("Der Programmordner \"" + inputs_.options.programFolder +
                    "\" ist kein vorhandener Ordner.");
    }
    inputs_.programFolder = *folder;
    if (!inputs_.options.dataFolder.empty()) {
      const auto data = programFolderOf(inputs_.options.dataFolder);
      if (!data) {
        return refuse("Der Datenordner \"" + inputs_.options.dataFolder +
                      "\" ist kein vorhandener Ordner.");
      }
      inputs_.dataFolder = *data;
    }
    if (!loadInputs()) {
      return kInputError;
    }
    return RunReplay(inputs_, machine, out_, err_);
  }

 private:
  int refuse(const std::string& text) {
    err_ << "FEHLER: " << text << '\n' << std::flush;
    return kInputError;
  }

  // Reads and parses one input file; false after its error was printed.
  template <typename Result, typename Parse>
  bool readInput(const std::string& file, Parse parse, Result& result) {
    auto text = readInputFile(toFsPath(file), file);
    if (auto* error = std::get_if<InputFileError>(&text)) {
      refuse(error->text());
      return false;
    }
    auto read = parse(std::get<std::string>(text), file);
    if (auto* error = std::get_if<InputFileError>(&read)) {
      refuse(error->text());
      return false;
    }
    result = std::move(std::get<Result>(read));
    return true;
  }

  // The program folder as the program holds it: absolute, without a trailing separator.
  static std::optional<std::string> programFolderOf(const std::string& given) {
    const std::string folder = given.empty() ? executableFolder() : given;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(toFsPath(folder), error);
    if (error || !std::filesystem::is_directory(absolute, error)) {
      return std::nullopt;
    }
    return withoutTrailingSeparator(toUtf8(absolute));
  }

  bool loadInputs() {
    const ReplayOptions& options = inputs_.options;
    if (!readInput(options.orderFile, parseOrderFile, inputs_.order) ||
        (options.settingsFile &&
         !readInput(*options.settingsFile, parseSettingsFile, inputs_.settings)) ||
        (options.scriptFile && !readInput(*options.scriptFile, parseStepScript, inputs_.steps))) {
      return false;
    }
    if (options.programFile) {
      auto program = program::readProgramFile(toFsPath(*options.programFile));
      if (auto* error = std::get_if<program::ProgramError>(&program)) {
        refuse(error->text());
        return false;
      }
      inputs_.program = std::move(std::get<program::MeasuringProgram>(program));
    }
    return true;
  }

  std::ostream& out_;
  std::ostream& err_;
  ReplayInputs inputs_;
};

}  // namespace

int replayMain(const std::vector<std::string>& arguments, const MachinePorts& machine,
               std::ostream& out, std::ostream& err) {
  Entry entry(out, err);
  return entry.run(arguments, machine);
}

}  // namespace kvotlk::replay
