#include "kvotlk-replay/StepScript.h"

#include <algorithm>
#include <array>
#include <optional>

#include "kvotlk-replay/OrderFile.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramLine.h"
#include "program/ProgramStatements.h"

namespace kvotlk::replay {
namespace {

struct Word {
  std::string_view text;
  StepKind kind;
};

constexpr std::array<Word, 21> kWords = {{
    {"ok", StepKind::Confirm},
    {"feld", StepKind::SetField},
    {"lauf", StepKind::Runs},
    {"start", StepKind::StartEvent},
    {"befehl", StepKind::Command},
    {"antwort", StepKind::Answer},
    {"loeschen", StepKind::DeleteSample},
    {"senden", StepKind::Send},
    {"schliessen", StepKind::CloseCapture},
    {"zeigen", StepKind::Show},
    {"kalvero-beenden", StepKind::QuitKalvero},
    {"kalvero-starten", StepKind::StartKalvero},
    {"programm-schliessen", StepKind::CloseProgram},
    {"programm-oeffnen", StepKind::OpenProgram},
    {"kalvero-weg-bei", StepKind::KalveroGoneAt},
    {"kalvero-weg-nach", StepKind::KalveroGoneAfter},
    {"beenden", StepKind::QuitProgram},
    {"starten", StepKind::StartProgram},
    {"wartende-senden", StepKind::SendWaiting},
    {"abbrechen", StepKind::Cancel},
    {"absturz", StepKind::Crash},
}};

// The calls of the CMM software's objects that a cue can name.
constexpr std::array<std::string_view, 19> kOperations = {
    "AppVersionText", "CurrentPartProg", "EventSource",   "connect",        "disconnect",
    "PartProgName",   "CmdTypeCode",     "CmdIdText",     "HasDimension",   "DimensionOf",
    "HasTextCmd",     "TextCmdOf",       "IntFieldValue", "RealFieldValue", "DimIdText",
    "DimMeasured",    "DimSecondary",    "TextCmdName",   "TextCmdText"};

constexpr std::int64_t kMaxCount = 100000;

std::string wordList() {
  std::vector<std::string_view> words;
  words.reserve(kWords.size());
  for (const Word& word : kWords) {
    words.push_back(word.text);
  }
  return listInGerman(words);
}

std::optional<std::int64_t> count(const std::string& text, std::int64_t low) {
  return program::parseWhole(text, low, kMaxCount);
}

std::string countError(const std::string& text, std::int64_t low) {
  return "\"" + text + "\" ist keine ganze Zahl von " + std::to_string(low) + " bis " +
         std::to_string(kMaxCount) + ".";
}

// One command line of a measuring program, executed as in run 1 with seed 1.
std::optional<std::string> readCommand(const std::string& text, Step& step) {
  auto tokens = program::tokenizeLine(text);
  if (const auto* error = std::get_if<std::string>(&tokens)) {
    return *error;
  }
  program::ProgramBuilder builder;
  if (auto error = builder.add(step.line, std::get<program::LineTokens>(tokens))) {
    return error;
  }
  program::MeasuringProgram built = builder.take();
  if (built.items.size() != 1 || !std::holds_alternative<program::ProgramCommand>(built.items[0])) {
    return std::string(
        "Nach befehl steht ein Befehl wie im Messprogramm, etwa "
        "\"befehl Mass Merkmal=10 Messwert=1,5\".");
  }
  step.command = program::ProgramExecutor(std::move(built), 1).run(1).front();
  return std::nullopt;
}

std::optional<std::string> readField(const std::string& rest, Step& step) {
  const std::size_t equals = rest.find('=');
  if (equals == std::string::npos) {
    return std::string("Nach feld steht Name=Wert, etwa \"feld txt_Auftrag=40712\".");
  }
  const auto control = findOrderControl(trimSpace(rest.substr(0, equals)));
  if (const auto* error = std::get_if<std::string>(&control)) {
    return *error;
  }
  step.name = std::string(std::get<std::string_view>(control));
  step.value = rest.substr(equals + 1);
  OrderInput scratch;
  return setOrderControl(scratch, step.name, step.value, {});
}

std::optional<std::string> readGoneAt(const std::string& rest, Step& step) {
  const std::size_t blank = rest.find_first_of(" \t");
  step.name = rest.substr(0, blank);
  if (std::find(kOperations.begin(), kOperations.end(), step.name) == kOperations.end()) {
    std::vector<std::string_view> names(kOperations.begin(), kOperations.end());
    return "Unbekannte Operation \"" + step.name + "\". Bekannt sind " + listInGerman(names) + ".";
  }
  if (blank == std::string::npos) {
    return std::nullopt;
  }
  const std::string nth = trimSpace(rest.substr(blank));
  step.count = count(nth, 1).value_or(0);
  return step.count > 0 ? std::nullopt : std::optional(countError(nth, 1));
}

// The argument after the word; the error text when it is wrong.
std::optional<std::string> readArgument(const std::string& rest, Step& step) {
  const bool none = rest.empty();
  switch (step.kind) {
    case StepKind::SetField:
      return readField(rest, step);
    case StepKind::Command:
      return readCommand(rest, step);
    case StepKind::KalveroGoneAt:
      return readGoneAt(rest, step);
    case StepKind::Runs:
    case StepKind::Cancel:
    case StepKind::KalveroGoneAfter: {
      const std::int64_t low = step.kind == StepKind::KalveroGoneAfter ? 0 : 1;
      step.count = none ? 1 : count(rest, low).value_or(-1);
      if (none && step.kind == StepKind::KalveroGoneAfter) {
        return std::string("Nach kalvero-weg-nach steht die Zahl der beantworteten Aufrufe.");
      }
      return step.count >= low ? std::nullopt : std::optional(countError(rest, low));
    }
    case StepKind::OpenProgram:
      step.name = rest;
      return none ? std::optional<std::string>(
                        "Nach programm-oeffnen steht der Name des Messprogramms.")
                  : std::nullopt;
    case StepKind::Answer:
      step.answer = rest == "ja";
      return rest == "ja" || rest == "nein"
                 ? std::nullopt
                 : std::optional("\"" + rest + "\" ist weder ja noch nein.");
    default:
      return none ? std::nullopt
                  : std::optional("Nach " + step.word + " steht nichts, nicht \"" + rest + "\".");
  }
}

}  // namespace

StepScriptOrError parseStepScript(std::string_view content, const std::string& fileName) {
  auto checked = checkedLines(content, fileName);
  if (auto* error = std::get_if<InputFileError>(&checked)) {
    return *error;
  }
  std::vector<Step> steps;
  int number = 0;
  for (const std::string& text : std::get<std::vector<std::string>>(checked)) {
    ++number;
    const std::string trimmed = trimSpace(text);
    if (isSkippedLine(trimmed)) {
      continue;
    }
    Step step;
    step.line = number;
    const std::size_t blank = trimmed.find_first_of(" \t");
    step.word = trimmed.substr(0, blank);
    const auto word = std::find_if(kWords.begin(), kWords.end(),
                                   [&step](const Word& w) { return w.text == step.word; });
    if (word == kWords.end()) {
      return InputFileError{
          fileName, number,
          "Unbekannter Schritt \"" + step.word + "\". Bekannt sind " + wordList() + "."};
    }
    step.kind = word->kind;
    // A field's value keeps its blanks; every other argument is trimmed.
    std::string rest;
    if (step.kind == StepKind::SetField) {
      rest = text.substr(text.find_first_not_of(" \t") + step.word.size());
    } else if (blank != std::string::npos) {
      rest = trimSpace(trimmed.substr(blank));
    }
    if (auto problem = readArgument(rest, step)) {
      return InputFileError{fileName, number, *problem};
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace kvotlk::replay
