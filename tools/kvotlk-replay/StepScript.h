#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "kalvero/CommandRecord.h"
#include "kvotlk-replay/InputFile.h"

// The step script of kvotlk-replay (--ablauf): what the operator does, one step per line,
// in German words, so any sequence of orders, runs, events and buttons can be written.
namespace kvotlk::replay {

enum class StepKind {
  Confirm,           // ok
  SetField,          // feld NAME=WERT
  Runs,              // lauf [N]
  StartEvent,        // start
  Command,           // befehl <line of a measuring program>
  Answer,            // antwort ja|nein
  DeleteSample,      // loeschen
  Send,              // senden
  CloseCapture,      // schliessen
  Show,              // zeigen
  QuitKalvero,       // kalvero-beenden
  StartKalvero,      // kalvero-starten
  CloseProgram,      // programm-schliessen
  OpenProgram,       // programm-oeffnen NAME
  KalveroGoneAt,     // kalvero-weg-bei OPERATION [N]
  KalveroGoneAfter,  // kalvero-weg-nach N
  QuitProgram,       // beenden
  StartProgram,      // starten (after beenden: the program starts again over its folders)
  SendWaiting,       // wartende-senden (menu "Wartende Dateien senden")
  Cancel,            // abbrechen [N] ("Abbrechen" during delivery attempt N of the next work)
  Crash,             // absturz (the program ends at once, as when killed, and starts again)
};

struct Step {
  int line = 0;
  StepKind kind = StepKind::Confirm;
  // The step word as written in the script, for errors.
  std::string word;
  // SetField: the control as the form spells it; KalveroGoneAt: the operation;
  // OpenProgram: the measuring program's name.
  std::string name;
  // SetField: the value exactly as written after the first "=".
  std::string value;
  // Runs: the runs; KalveroGoneAt: the nth call; KalveroGoneAfter: calls answered;
  // Cancel: the attempt.
  std::int64_t count = 1;
  // Answer: true for ja.
  bool answer = false;
  // Command: the executed command.
  CommandRecord command;
};

using StepScriptOrError = std::variant<std::vector<Step>, InputFileError>;

// Reads the script; fileName names it in errors.
StepScriptOrError parseStepScript(std::string_view content, const std::string& fileName);

}  // namespace kvotlk::replay
