// kvotlk-replay: the converter's whole job without windows, for tests of a CAQ import,
// reproducing a result file and scripted acceptance tests.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/Paths.h"
#include "kvotlk-replay/ReplayJob.h"
#include "program/ProgramParser.h"

namespace kvotlk::replay {
namespace {

int refuse(const std::string& text) {
  std::cerr << "FEHLER: " << text << '\n' << std::flush;
  return kInputError;
}

int usageError(const std::string& text) {
  std::cerr << "FEHLER: " << text << '\n'
            << kReplayUsage << "Hilfe: kvotlk-replay --hilfe\n"
            << std::flush;
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
  auto parsed = parse(std::get<std::string>(text), file);
  if (auto* error = std::get_if<InputFileError>(&parsed)) {
    refuse(error->text());
    return false;
  }
  result = std::move(std::get<Result>(parsed));
  return true;
}

// The program folder as the program holds it: absolute, without a trailing separator.
std::optional<std::string> programFolderOf(const std::string& given) {
  const std::string folder = given.empty() ? executableFolder() : given;
  std::error_code error;
  const auto absolute = std::filesystem::absolute(toFsPath(folder), error);
  if (error || !std::filesystem::is_directory(absolute, error)) {
    return std::nullopt;
  }
  return withoutTrailingSeparator(toUtf8(absolute));
}

bool loadInputs(ReplayInputs& inputs) {
  const ReplayOptions& options = inputs.options;
  if (!readInput(options.orderFile, parseOrderFile, inputs.order)) {
    return false;
  }
  if (options.settingsFile &&
      !readInput(*options.settingsFile, parseSettingsFile, inputs.settings)) {
    return false;
  }
  if (options.programFile) {
    auto program = program::readProgramFile(toFsPath(*options.programFile));
    if (auto* error = std::get_if<program::ProgramError>(&program)) {
      refuse(error->text());
      return false;
    }
    inputs.program = std::move(std::get<program::MeasuringProgram>(program));
  }
  return true;
}

int replayMain(const std::vector<std::string>& arguments) {
  auto parsed = parseReplayOptions(arguments);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    return usageError(*error);
  }
  ReplayInputs inputs;
  inputs.options = std::move(std::get<ReplayOptions>(parsed));
  if (inputs.options.help) {
    std::cout << kReplayUsage << kReplayHelp << std::flush;
    return kDelivered;
  }
  const auto folder = programFolderOf(inputs.options.programFolder);
  if (!folder) {
    return refuse("Der Programmordner \"" + inputs.options.programFolder +
                  "\" ist kein vorhandener Ordner.");
  }
  inputs.programFolder = *folder;
  if (!loadInputs(inputs)) {
    return kInputError;
  }
  return RunReplay(inputs, std::cout, std::cerr);
}

}  // namespace
}  // namespace kvotlk::replay

#ifdef _WIN32
// The arguments as UTF-16, so that every path arrives whatever the code page.
int wmain(int argc, wchar_t* argv[]) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(kvotlk::toUtf8(std::filesystem::path(argv[i])));
  }
  return kvotlk::replay::replayMain(arguments);
}
#else
int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return kvotlk::replay::replayMain(arguments);
}
#endif
