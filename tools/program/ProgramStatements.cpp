#include "program/ProgramStatements.h"

#include <array>
#include <limits>
#include <string_view>

#include "common/Text.h"

namespace kvotlk::program {
namespace {

constexpr std::int64_t kInt32Low = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32High = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxPasses = 10000;
constexpr std::int64_t kMaxDecimals = 9;

// A statement that describes one command: its name, its type code when the statement
// fixes or presets one, and the parts it always has.
struct CommandKind {
  std::string_view key;
  std::string_view name;
  std::int32_t typeCode;
  bool typeFixed;
  bool typeRequired;
  bool dimension;
  bool textCmd;
};

constexpr std::array<CommandKind, 9> kCommandKinds = {{
    {"befehl", "Befehl", 0, false, true, false, false},
    {"mass", "Mass", kTypeDimension, false, false, true, false},
    {"maß", "Mass", kTypeDimension, false, false, true, false},
    {"textbefehl", "Textbefehl", kTypeTextCommand, false, false, false, true},
    {"feldwert", "Feldwert", kTypeFieldValue, true, false, false, false},
    {"blocka", "BlockA", kTypeBlockAStart, true, false, false, false},
    {"blockaende", "BlockAEnde", kTypeBlockAEnd, true, false, false, false},
    {"blockb", "BlockB", kTypeBlockBStart, true, false, false, false},
    {"blockbende", "BlockBEnde", kTypeBlockBEnd, true, false, false, false},
}};

const CommandKind* findKind(std::string_view key) {
  for (const CommandKind& kind : kCommandKinds) {
    if (kind.key == key) {
      return &kind;
    }
  }
  return nullptr;
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) at -O3 on a literal + std::string
// temporary.
std::string quoted(std::string_view text) {
  std::string result(1, '"');
  result += text;
  result += '"';
  return result;
}

const std::string kUnknownStatement =
    ". Bekannt sind Programm, Version, Startwert, Nachkommastellen, Befehl, Mass, Textbefehl, "
    "Feldwert, BlockA, BlockAEnde, BlockB, BlockBEnde, Schleife und SchleifeEnde.";
const std::string kUnknownAttribute =
    ". Bekannt sind Typ, Id, Merkmal, Messwert, Nebenwert, Textname, Text, Feld165 und Feld662.";

// Reads the Name=Wert attributes of one command line into the command.
class CommandReader {
 public:
  CommandReader(const CommandKind& kind, ProgramCommand& command)
      : kind_(kind), command_(command) {}

  std::optional<std::string> read(const Attribute& attribute) {
    const std::string key = lowerCase(attribute.name);
    if (!seen_.emplace(key, true).second) {
      return "Die Angabe " + quoted(attribute.name) + " steht zweimal in der Zeile.";
    }
    if (key == "typ") {
      return typeCode(attribute);
    }
    if (key == "feld165") {
      return whole(attribute, command_.field165);
    }
    if (key == "id") {
      command_.cmdIdText = attribute.value;
    } else if (key == "merkmal") {
      command_.hasDimension = true;
      command_.dimIdText = attribute.value;
    } else if (key == "messwert" || key == "nebenwert" || key == "feld662") {
      return value(attribute, key);
    } else if (key == "textname") {
      command_.hasTextCmd = true;
      command_.textCmdName = attribute.value;
    } else if (key == "text") {
      command_.hasTextCmd = true;
      command_.textCmdText = attribute.value;
    } else {
      return "Unbekannte Angabe " + quoted(attribute.name) + kUnknownAttribute;
    }
    return std::nullopt;
  }

  // What the statement needs beyond the single attributes.
  std::optional<std::string> complete() const {
    const std::string name = quoted(kind_.name);
    if (kind_.typeRequired && !has("typ")) {
      return name + " braucht die Angabe Typ, z. B. Befehl Typ=1 Id=Ebene1.";
    }
    if (kind_.dimension && !has("messwert") && !has("nebenwert")) {
      return name + " braucht einen Messwert oder einen Nebenwert.";
    }
    if (kind_.typeCode == kTypeFieldValue && kind_.typeFixed && !has("feld662")) {
      return name + " braucht die Angabe Feld662 mit dem Wert, z. B. Feldwert Id=301 Feld662=2,5.";
    }
    if (command_.hasTextCmd && !has("textname")) {
      return name + " braucht die Angabe Textname, z. B. Textbefehl Textname=ID Text=\"101,102\".";
    }
    return std::nullopt;
  }

 private:
  bool has(const std::string& key) const { return seen_.count(key) > 0; }

  std::optional<std::string> typeCode(const Attribute& attribute) {
    if (kind_.typeFixed) {
      return "Bei " + quoted(kind_.name) + " ist der Typ fest " + std::to_string(kind_.typeCode) +
             "; für einen anderen Typ schreiben Sie \"Befehl Typ=...\".";
    }
    return whole(attribute, command_.typeCode);
  }

  static std::optional<std::string> whole(const Attribute& attribute, std::int32_t& target) {
    const auto number = parseWhole(attribute.value, kInt32Low, kInt32High);
    if (!number) {
      return quoted(attribute.name) + ": " + quoted(attribute.value) + " ist keine ganze Zahl.";
    }
    target = static_cast<std::int32_t>(*number);
    return std::nullopt;
  }

  std::optional<std::string> value(const Attribute& attribute, const std::string& key) {
    auto parsed = parseValue(attribute.name, attribute.value);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
      return *error;
    }
    const ValueRule rule = std::get<ValueRule>(parsed);
    if (key == "feld662") {
      command_.field662 = rule;
      return std::nullopt;
    }
    command_.hasDimension = true;
    (key == "messwert" ? command_.measured : command_.secondary) = rule;
    return std::nullopt;
  }

  const CommandKind& kind_;
  ProgramCommand& command_;
  std::map<std::string, bool, std::less<>> seen_;
};

std::optional<std::string> readCommand(int line, const CommandKind& kind, const LineTokens& tokens,
                                       ProgramCommand& command) {
  if (!tokens.positional.empty()) {
    return quoted(kind.name) + " erwartet Angaben der Form Name=Wert, nicht " +
           quoted(tokens.positional.front()) + ".";
  }
  command.line = line;
  command.statement = std::string(kind.name);
  command.typeCode = kind.typeCode;
  command.hasDimension = kind.dimension;
  command.hasTextCmd = kind.textCmd;
  CommandReader reader(kind, command);
  for (const Attribute& attribute : tokens.attributes) {
    if (auto error = reader.read(attribute)) {
      return error;
    }
  }
  return reader.complete();
}

// The single plain value of a header statement or a loop start.
std::optional<std::string> singleValue(const LineTokens& tokens) {
  if (tokens.positional.size() != 1 || !tokens.attributes.empty()) {
    return std::nullopt;
  }
  return tokens.positional.front();
}

bool hasExtension(const std::string& name) {
  const std::u32string chars = decodeUtf8(name);
  return chars.size() > 4 && chars[chars.size() - 4] == U'.';
}

}  // namespace

std::optional<std::string> ProgramBuilder::add(int line, const LineTokens& tokens) {
  if (tokens.statement.empty()) {
    return std::nullopt;
  }
  const std::string key = lowerCase(tokens.statement);
  if (const CommandKind* kind = findKind(key)) {
    ProgramCommand command;
    if (auto error = readCommand(line, *kind, tokens, command)) {
      return error;
    }
    addCommand(std::move(command));
    return checkRunSize();
  }
  if (key == "schleife") {
    return loopStart(line, tokens);
  }
  if (key == "schleifeende") {
    return loopEnd(line, tokens);
  }
  if (key == "programm" || key == "version" || key == "startwert" || key == "nachkommastellen") {
    return header(line, key, tokens);
  }
  return "Unbekannte Anweisung " + quoted(tokens.statement) + kUnknownStatement;
}

std::optional<std::string> ProgramBuilder::header(int line, const std::string& key,
                                                  const LineTokens& tokens) {
  static const std::map<std::string, std::string, std::less<>> kExamples = {
      {"programm", "Programm Welle-4711.PRG"},
      {"version", "Version \"Kalvero 5.2 Simulator\""},
      {"startwert", "Startwert 4711"},
      {"nachkommastellen", "Nachkommastellen 4"}};
  const auto seen = headerLines_.find(key);
  if (seen != headerLines_.end()) {
    return quoted(tokens.statement) + " steht schon in Zeile " + std::to_string(seen->second) + ".";
  }
  const auto value = singleValue(tokens);
  if (!value) {
    return quoted(tokens.statement) + " erwartet genau einen Wert, z. B. " + kExamples.at(key) +
           ".";
  }
  headerLines_.emplace(key, line);
  if (key == "programm") {
    if (!hasExtension(*value)) {
      return "Der Programmname " + quoted(*value) +
             " braucht eine Endung aus Punkt und drei Zeichen, z. B. Welle-4711.PRG.";
    }
    program_.partProgName = *value;
  } else if (key == "version") {
    program_.versionText = *value;
  } else if (key == "startwert") {
    program_.seed = parseSeed(*value);
    if (!program_.seed) {
      return "\"Startwert\": " + quoted(*value) +
             " ist keine ganze Zahl von 0 bis 18446744073709551615.";
    }
  } else {
    const auto decimals = parseWhole(*value, 0, kMaxDecimals);
    if (!decimals) {
      return "\"Nachkommastellen\": " + quoted(*value) + " ist keine ganze Zahl von 0 bis 9.";
    }
    program_.decimals = static_cast<int>(*decimals);
  }
  return std::nullopt;
}

std::optional<std::string> ProgramBuilder::loopStart(int line, const LineTokens& tokens) {
  if (loop_) {
    return "Schleifen lassen sich nicht verschachteln; die Schleife aus Zeile " +
           std::to_string(loop_->line) + " ist noch offen.";
  }
  const auto value = singleValue(tokens);
  const auto passes = value ? parseWhole(*value, 1, kMaxPasses) : std::nullopt;
  if (!passes) {
    return "\"Schleife\" erwartet die Anzahl der Durchläufe (1 bis 10000), z. B. Schleife 3.";
  }
  loop_ = ProgramLoop{line, 0, static_cast<int>(*passes), {}};
  return std::nullopt;
}

std::optional<std::string> ProgramBuilder::loopEnd(int line, const LineTokens& tokens) {
  if (!tokens.positional.empty() || !tokens.attributes.empty()) {
    return "\"SchleifeEnde\" erwartet keine Werte.";
  }
  if (!loop_) {
    return R"("SchleifeEnde" ohne vorangehende "Schleife".)";
  }
  loop_->endLine = line;
  runCommands_ += static_cast<std::size_t>(loop_->passes) * (loop_->body.size() + 1);
  program_.items.emplace_back(std::move(*loop_));
  loop_.reset();
  return checkRunSize();
}

void ProgramBuilder::addCommand(ProgramCommand command) {
  ++commands_;
  if (loop_) {
    loop_->body.push_back(std::move(command));
  } else {
    ++runCommands_;
    program_.items.emplace_back(std::move(command));
  }
}

std::optional<std::string> ProgramBuilder::checkRunSize() const {
  if (runCommands_ <= kMaxCommandsPerRun) {
    return std::nullopt;
  }
  return "Ein Lauf des Messprogramms führte bis hier " + std::to_string(runCommands_) +
         " Befehle aus, jeder Schleifendurchlauf mitgezählt; höchstens " +
         std::to_string(kMaxCommandsPerRun) + " sind möglich.";
}

std::optional<std::pair<int, std::string>> ProgramBuilder::finish(int lastLine) const {
  if (loop_) {
    return std::pair{loop_->line,
                     std::string("Die Schleife wird nicht mit \"SchleifeEnde\" abgeschlossen.")};
  }
  if (program_.partProgName.empty()) {
    return std::pair{lastLine, std::string("Die Anweisung \"Programm\" mit dem Namen des "
                                           "Messprogramms fehlt.")};
  }
  if (commands_ == 0 && program_.items.empty()) {
    return std::pair{lastLine, std::string("Das Messprogramm enthält keinen Befehl.")};
  }
  return std::nullopt;
}

}  // namespace kvotlk::program
