#include "catalogs/CatalogLines.h"

#include "common/Text.h"

namespace kvotlk {
namespace {

constexpr std::size_t kFieldWidth = 8;

}  // namespace

std::string BracketedField(std::string_view number) {
  std::string field = "(";
  field += number;
  field += ')';
  const std::size_t length = charCount(field);
  if (length < kFieldWidth) {
    field.append(kFieldWidth - length, ' ');
  }
  return field;
}

std::string InspectorNumberOfEntry(std::string_view entry) {
  // Bytes of the first character, so a non-ASCII first character is skipped whole.
  const std::size_t start = leftChars(entry, 1).size();
  const std::size_t close = entry.find(')', start);
  if (close == std::string_view::npos) {
    return {};
  }
  return std::string(entry.substr(start, close - start));
}

std::string NumberInBrackets(std::string_view line) {
  const std::size_t open = line.find('(');
  if (open == std::string_view::npos) {
    return {};
  }
  const std::size_t close = line.find(')', open + 1);
  if (close == std::string_view::npos) {
    return {};
  }
  return trimBlanks(line.substr(open + 1, close - open - 1));
}

std::optional<std::string> NestNumberOfLine(std::string_view line) {
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return std::nullopt;
  }
  return trimBlanks(line.substr(open + 1, close - open - 1));
}

std::optional<std::string> NestIDOfLine(std::string_view line) {
  const std::size_t close = line.find(')');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view rest = line.substr(close + 1);
  return trimBlanks(rest.substr(0, rest.find(')')));
}

std::optional<std::string> FindNestID(const std::vector<std::string>& lines,
                                      std::string_view nestNumber) {
  const std::string key = lowerCase(trimBlanks(nestNumber));
  for (const std::string& line : lines) {
    const auto number = NestNumberOfLine(line);
    if (number && lowerCase(*number) == key) {
      return NestIDOfLine(line);
    }
  }
  return std::nullopt;
}

}  // namespace kvotlk
