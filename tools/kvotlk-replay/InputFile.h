#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What the input files of kvotlk-replay have in common: UTF-8 text of Name=Wert lines,
// blank lines and comment lines ("#" or ";" first) ignored, and errors that name the
// file, the line and what is wrong, in German.
namespace kvotlk::replay {

struct InputFileError {
  std::string file;
  // 0 when the file as a whole is meant.
  int line = 0;
  std::string message;

  // "Datei, Zeile 12: message", or "Datei: message" for the file as a whole.
  std::string text() const;
  bool operator==(const InputFileError&) const = default;
};

// One Name=Wert line: the name without blanks around it, the value exactly as written
// after the first "=".
struct NameValueLine {
  int line = 0;
  std::string name;
  std::string value;

  bool operator==(const NameValueLine&) const = default;
};

// A line that is neither blank, nor a comment, nor Name=Wert; sections are left to the
// caller this way.
struct OtherLine {
  int line = 0;
  std::string text;
};

using InputLine = std::variant<NameValueLine, OtherLine>;
using TextLinesOrError = std::variant<std::vector<std::string>, InputFileError>;

// The lines of the content (CR LF, LF or a lone CR; a byte order mark is skipped).
// Refuses text that is not UTF-8 and control characters other than the tab, which no
// single-line field holds.
TextLinesOrError checkedLines(std::string_view content, const std::string& fileName);

using InputLinesOrError = std::variant<std::vector<InputLine>, InputFileError>;

// Splits the content into its checked lines and each line into name and value.
InputLinesOrError splitInputLines(std::string_view content, const std::string& fileName);

// The largest input file read, in bytes.
inline constexpr std::uintmax_t kMaxInputFileSize = std::uintmax_t{1024} * 1024;

using TextOrError = std::variant<std::string, InputFileError>;

// The whole file; fileName names it in errors.
TextOrError readInputFile(const std::filesystem::path& path, const std::string& fileName);

// A blank line or a comment ("#" or ";" first), given without blanks around it.
bool isSkippedLine(std::string_view trimmed);

// The text without blanks and tabs around it.
std::string trimSpace(std::string_view text);

// ASCII letters and the Latin-1 letters in lower case, for names that ignore case.
std::string foldCase(std::string_view text);

// "a, b, c und d".
std::string listInGerman(const std::vector<std::string_view>& items);

}  // namespace kvotlk::replay
