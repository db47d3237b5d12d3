// Measuring-program files of the simulator, any bytes: the parser either refuses a file
// with a German error that names a line of it, or gives a program whose runs the executor
// can carry out, the same way every time.
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "FuzzInput.h"
#include "common/Text.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/ProgramText.h"

namespace kvotlk::fuzz {
namespace {

using program::MeasuringProgram;

// Runs longer than this are left unexecuted here, so that one input stays fast; the
// parser itself caps what a run may execute.
constexpr std::size_t kLargestRunExecuted = 20000;

void checkError(const program::ProgramError& error, std::size_t lineCount) {
  expect(!error.message.empty(), "ein Fehler sagt, was falsch ist");
  expect(error.line >= 0 && static_cast<std::size_t>(error.line) <= lineCount,
         "ein Fehler nennt eine Zeile der Datei");
  expect(error.text().rfind("fuzz.kmp", 0) == 0, "ein Fehler nennt die Datei");
}

std::vector<std::string> describeRun(const std::vector<ScriptedCommand>& commands) {
  std::vector<std::string> lines;
  lines.reserve(commands.size());
  for (const ScriptedCommand& command : commands) {
    if (command.dimension) {
      expect(std::isfinite(command.dimension->DimMeasured) &&
                 std::isfinite(command.dimension->DimSecondary),
             "ein Lauf liefert nur endliche Messwerte");
    }
    expect(std::isfinite(command.field662), "ein Lauf liefert nur endliche Feldwerte");
    lines.push_back(program::describeExecuted(command));
  }
  return lines;
}

void checkProgram(const MeasuringProgram& measuring) {
  expect(charCount(measuring.partProgName) > 4, "der Programmname hat eine Endung");
  expect(!measuring.items.empty(), "ein Programm hat einen Befehl");
  expect(!program::programTable(measuring).empty(), "die Programmtabelle hat Zeilen");
  const std::size_t perRun = program::commandsPerRun(measuring);
  expect(perRun <= program::kMaxCommandsPerRun, "ein Lauf bleibt in der Grenze des Parsers");
  if (perRun > kLargestRunExecuted) {
    return;
  }
  const program::ProgramExecutor executor(measuring, program::chooseSeed(measuring, {}));
  const auto first = executor.run(1);
  expect(first.size() == perRun, "ein Lauf führt commandsPerRun Befehle aus");
  const auto firstText = describeRun(first);
  expect(describeRun(executor.run(1)) == firstText, "derselbe Lauf gibt dieselben Befehle");
  expect(executor.run(2).size() == perRun, "jeder Lauf führt gleich viele Befehle aus");
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto parsed = program::parseProgram(content, "fuzz.kmp");
  if (const auto* error = std::get_if<program::ProgramError>(&parsed)) {
    fuzz::checkError(*error, splitLines(content).size() + 1);
    return 0;
  }
  fuzz::checkProgram(std::get<program::MeasuringProgram>(parsed));
  return 0;
}
