#include "kvotlk-replay/InputFile.h"

#include <utility>

#include "common/Text.h"
#include "program/TextFile.h"

namespace kvotlk::replay {
namespace {

std::optional<unsigned> firstControlCharacter(std::string_view text) {
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if ((code < 0x20 && c != '\t') || code == 0x7F) {
      return code;
    }
  }
  return std::nullopt;
}

std::optional<std::string> checkLineText(std::string_view text) {
  if (!program::isUtf8(text)) {
    return std::string("Die Zeile ist kein gültiges UTF-8. Speichern Sie die Datei als UTF-8.");
  }
  if (const auto code = firstControlCharacter(text)) {
    return "Die Zeile enthält das Steuerzeichen mit dem Code " + std::to_string(*code) +
           "; ein Wert besteht aus einer Zeile Text.";
  }
  return std::nullopt;
}

}  // namespace

std::string InputFileError::text() const {
  if (line <= 0) {
    return file + ": " + message;
  }
  return file + ", Zeile " + std::to_string(line) + ": " + message;
}

TextLinesOrError checkedLines(std::string_view content, const std::string& fileName) {
  std::vector<std::string> lines = splitLines(program::withoutByteOrderMark(content));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto problem = checkLineText(lines[i])) {
      return InputFileError{fileName, static_cast<int>(i + 1), *problem};
    }
  }
  return lines;
}

InputLinesOrError splitInputLines(std::string_view content, const std::string& fileName) {
  auto checked = checkedLines(content, fileName);
  if (auto* error = std::get_if<InputFileError>(&checked)) {
    return *error;
  }
  std::vector<InputLine> lines;
  int number = 0;
  for (const std::string& text : std::get<std::vector<std::string>>(checked)) {
    ++number;
    const std::string trimmed = trimSpace(text);
    if (isSkippedLine(trimmed)) {
      continue;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
      lines.emplace_back(OtherLine{number, trimmed});
      continue;
    }
    lines.emplace_back(
        NameValueLine{number, trimSpace(text.substr(0, equals)), text.substr(equals + 1)});
  }
  return lines;
}

TextOrError readInputFile(const std::filesystem::path& path, const std::string& fileName) {
  auto content = program::readWholeFile(path, kMaxInputFileSize);
  if (const auto* problem = std::get_if<program::FileProblem>(&content)) {
    switch (*problem) {
      case program::FileProblem::Missing:
        return InputFileError{fileName, 0, "Die Datei gibt es nicht oder sie ist keine Datei."};
      case program::FileProblem::TooLarge:
        return InputFileError{fileName, 0, "Die Datei ist größer als 1 MB."};
      case program::FileProblem::Unreadable:
        break;
    }
    return InputFileError{fileName, 0, "Die Datei kann nicht gelesen werden."};
  }
  return std::move(std::get<std::string>(content));
}

bool isSkippedLine(std::string_view trimmed) {
  return trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';';
}

std::string trimSpace(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string foldCase(std::string_view text) { return lowerCase(text); }

std::string listInGerman(const std::vector<std::string_view>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      out += i + 1 == items.size() ? " und " : ", ";
    }
    out += items[i];
  }
  return out;
}

}  // namespace kvotlk::replay
