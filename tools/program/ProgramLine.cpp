#include "program/ProgramLine.h"

#include <cmath>

#include "common/ExactNumber.h"
#include "common/Text.h"

namespace kvotlk::program {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads a quoted text starting at the opening quote; pos ends behind the closing one.
std::optional<std::string> readQuoted(std::string_view line, std::size_t& pos) {
  std::string text;
  ++pos;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c != '"') {
      text += c;
    } else if (pos < line.size() && line[pos] == '"') {
      text += '"';
      ++pos;
    } else {
      return text;
    }
  }
  return std::nullopt;
}

// Reads a plain word; blanks and "#" inside parentheses belong to it.
std::string readPlain(std::string_view line, std::size_t& pos) {
  std::string word;
  int depth = 0;
  while (pos < line.size()) {
    const char c = line[pos];
    if (depth == 0 && (isBlank(c) || c == '#' || c == '"')) {
      break;
    }
    if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
    }
    word += c;
    ++pos;
  }
  return word;
}

const std::string kUnclosedQuote = "Ein Anführungszeichen wird nicht geschlossen.";

// Reads one word, quoted text or Name=Wert into the tokens.
std::optional<std::string> readToken(std::string_view line, std::size_t& pos, LineTokens& tokens) {
  if (line[pos] == '"') {
    auto quoted = readQuoted(line, pos);
    if (!quoted) {
      return kUnclosedQuote;
    }
    if (tokens.statement.empty()) {
      return "Eine Zeile beginnt mit einer Anweisung, nicht mit einem Text in Anführungszeichen.";
    }
    tokens.positional.push_back(std::move(*quoted));
    return std::nullopt;
  }
  std::string word = readPlain(line, pos);
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) {
    if (tokens.statement.empty()) {
      tokens.statement = std::move(word);
    } else {
      tokens.positional.push_back(std::move(word));
    }
    return std::nullopt;
  }
  if (tokens.statement.empty()) {
    return "Eine Zeile beginnt mit einer Anweisung, nicht mit einer Angabe \"" + word + "\".";
  }
  Attribute attribute{word.substr(0, equals), word.substr(equals + 1)};
  if (attribute.name.empty()) {
    return "Vor dem \"=\" fehlt der Name der Angabe.";
  }
  if (attribute.value.empty()) {
    if (pos >= line.size() || line[pos] != '"') {
      return "Die Angabe \"" + attribute.name +
             "\" braucht einen Wert; einen leeren Text schreiben " + "Sie als " + attribute.name +
             "=\"\".";
    }
    auto quoted = readQuoted(line, pos);
    if (!quoted) {
      return kUnclosedQuote;
    }
    attribute.value = std::move(*quoted);
  }
  tokens.attributes.push_back(std::move(attribute));
  return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text in double quotes, built by appending: GCC 12 warns falsely (-Wrestrict) at -O3
// on a literal + std::string temporary.
std::string inQuotes(std::string_view text) {
  std::string result(1, '"');
  result += text;
  result += '"';
  return result;
}

const std::string kBeyondRange =
    "Die gezogenen Werte können den Zahlenbereich verlassen; wählen Sie kleinere Werte.";

std::string valueHelp(std::string_view name, std::string_view text) {
  return inQuotes(name) + ": " + inQuotes(text) +
         " ist kein gültiger Wert. Erlaubt sind eine Zahl wie 10,005, "
         "Normal(Mittelwert; Standardabweichung) und Gleich(Untergrenze; Obergrenze).";
}

}  // namespace

std::variant<LineTokens, std::string> tokenizeLine(std::string_view line) {
  LineTokens tokens;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (isBlank(line[pos])) {
      ++pos;
      continue;
    }
    if (line[pos] == '#') {
      break;
    }
    if (auto error = readToken(line, pos, tokens)) {
      return *error;
    }
  }
  return tokens;
}

std::optional<double> parseDecimal(std::string_view text) {
  std::string plain;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    plain += text[pos++];
  }
  int digits = 0;
  bool separator = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (isDigit(c)) {
      plain += c;
      ++digits;
    } else if ((c == '.' || c == ',') && !separator) {
      plain += '.';
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) {
    return std::nullopt;
  }
  const std::size_t start = plain.front() == '+' ? 1 : 0;
  const auto value = ParseExact<double>(std::string_view(plain).substr(start));
  if (!value || !std::isfinite(*value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> parseWhole(std::string_view text, std::int64_t low, std::int64_t high) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  const auto value = ParseExact<std::int64_t>(text);
  if (!value || *value < low || *value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint64_t> parseSeed(std::string_view text) {
  return ParseExact<std::uint64_t>(text);
}

std::variant<ValueRule, std::string> parseValue(std::string_view name, std::string_view text) {
  text = trimmed(text);
  if (auto fixed = parseDecimal(text)) {
    return ValueRule::Fixed(*fixed);
  }
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos || text.back() != ')') {
    return valueHelp(name, text);
  }
  const std::string function = lowerCase(trimmed(text.substr(0, open)));
  const std::string_view inner = text.substr(open + 1, text.size() - open - 2);
  const std::size_t semicolon = inner.find(';');
  if ((function != "normal" && function != "gleich") || semicolon == std::string_view::npos) {
    return valueHelp(name, text);
  }
  const auto first = parseDecimal(trimmed(inner.substr(0, semicolon)));
  const auto second = parseDecimal(trimmed(inner.substr(semicolon + 1)));
  if (!first || !second) {
    return valueHelp(name, text);
  }
  if (function == "normal") {
    if (*second < 0.0) {
      return inQuotes(name) + ": Die Standardabweichung darf nicht negativ sein.";
    }
    // A draw lies within six deviations of the mean; each of those must be a number.
    const double reach = 6.0 * *second;
    if (!std::isfinite(*first - reach) || !std::isfinite(*first + reach)) {
      return inQuotes(name) + ": " + kBeyondRange;
    }
    return ValueRule{ValueRule::Kind::Normal, *first, *second};
  }
  if (*first > *second) {
    return inQuotes(name) + ": Die Untergrenze ist größer als die Obergrenze.";
  }
  if (!std::isfinite(*second - *first)) {
    return inQuotes(name) + ": " + kBeyondRange;
  }
  return ValueRule{ValueRule::Kind::Uniform, *first, *second};
}

}  // namespace kvotlk::program
