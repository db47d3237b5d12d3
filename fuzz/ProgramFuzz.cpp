// Measuring-program files of the simulator, any bytes: the parser either refuses a file
// with a German error that names a line of it, or gives a program whose runs the executor
// carries out the same way every time, with finite values only.
#include <array>
#include <cmath>

#include "FuzzInput.h"
#include "common/Text.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/ProgramText.h"

namespace kvotlk::fuzz {
namespace {

// Runs longer than this are left unexecuted here, so that one input stays fast; the
// parser itself caps what a run may execute.
constexpr std::size_t kLargestRunExecuted = 20000;

// Run 1 twice and run 2: commandsPerRun commands each, finite values only, and the same
// run gives the same commands.
void checkRuns(const program::MeasuringProgram& measuring, std::size_t perRun) {
  const program::ProgramExecutor executor(measuring, program::chooseSeed(measuring, {}));
  std::array<std::string, 3> texts;
  for (std::uint64_t k = 0; k < 3; ++k) {
    const auto commands = executor.run(k < 2 ? 1 : 2);
    expect(commands.size() == perRun, "ein Lauf führt commandsPerRun Befehle aus");
    for (const CommandRecord& command : commands) {
      expect(std::isfinite(command.field662) &&
                 (!command.dimension || (std::isfinite(command.dimension->DimMeasured) &&
                                         std::isfinite(command.dimension->DimSecondary))),
             "ein Lauf liefert nur endliche Werte");
      texts[k] += program::describeExecuted(command) + "\n";
    }
  }
  expect(texts[0] == texts[1], "derselbe Lauf gibt dieselben Befehle");
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  using fuzz::expect;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto parsed = program::parseProgram(content, "fuzz.kmp");
  if (const auto* error = std::get_if<program::ProgramError>(&parsed)) {
    // Lines counted as the parser counts them: ended by CR LF, LF or a lone CR.
    expect(error->line >= 0 &&
               static_cast<std::size_t>(error->line) <= splitLines(content).size() + 1 &&
               !error->message.empty() && error->text().starts_with("fuzz.kmp"),
           "ein Fehler nennt die Datei, eine Zeile darin und was falsch ist");
    return 0;
  }
  const auto& measuring = std::get<program::MeasuringProgram>(parsed);
  expect(charCount(measuring.partProgName) > 4 && !measuring.items.empty(),
         "ein Programm hat einen Namen mit Endung und einen Befehl");
  const std::size_t perRun = program::commandsPerRun(measuring);
  expect(perRun <= program::kMaxCommandsPerRun, "ein Lauf bleibt in der Grenze des Parsers");
  if (perRun <= fuzz::kLargestRunExecuted) {
    fuzz::checkRuns(measuring, perRun);
  }
  return 0;
}
