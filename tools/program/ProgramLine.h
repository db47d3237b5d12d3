#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "program/MeasuringProgram.h"

// The pieces of one line of a measuring-program file, and the readers of its values.
// Every error is a German text without file and line; the parser adds them.
namespace kvotlk::program {

struct Attribute {
  std::string name;
  std::string value;
};

struct LineTokens {
  // The first word; empty for a blank or comment-only line.
  std::string statement;
  // Words and quoted texts after the statement that are not Name=Wert.
  std::vector<std::string> positional;
  std::vector<Attribute> attributes;
};

// Splits a line into its statement, plain values and Name=Wert attributes. A "#" outside
// quotes starts a comment; a quoted text keeps blanks and "#", and "" inside it stands for
// one quote; blanks inside the parentheses of Normal(...) and Gleich(...) belong to the value.
std::variant<LineTokens, std::string> tokenizeLine(std::string_view line);

// A decimal number with "." or "," as the decimal separator, such as -0,25 or 10.005.
std::optional<double> parseDecimal(std::string_view text);

// A whole number in [low, high], optionally signed.
std::optional<std::int64_t> parseWhole(std::string_view text, std::int64_t low, std::int64_t high);

// A whole number in [0, 2^64 - 1], for seeds.
std::optional<std::uint64_t> parseSeed(std::string_view text);

// A number, Normal(mean; deviation) or Gleich(low; high).
std::variant<ValueRule, std::string> parseValue(std::string_view name, std::string_view text);

}  // namespace kvotlk::program
