#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "program/MeasuringProgram.h"

namespace kvotlk::program {

// Why a file was refused: the file as named by the caller, the line (0 when the file as a
// whole is meant) and what is wrong, in German.
struct ProgramError {
  std::string file;
  int line = 0;
  std::string message;

  // "Datei, Zeile 12: message", or "Datei: message" for the file as a whole.
  std::string text() const;
  bool operator==(const ProgramError&) const = default;
};

using ProgramOrError = std::variant<MeasuringProgram, ProgramError>;

// Reads a measuring program from the text of its file. The text is UTF-8 (a leading byte
// order mark is skipped); a text that is not valid UTF-8 is read as Windows-1252, as an
// editor on a German Windows saves it. fileName only names the file in errors.
ProgramOrError parseProgram(std::string_view content, const std::string& fileName);

// Reads and parses the file; errors name the path as given.
ProgramOrError readProgramFile(const std::filesystem::path& path);

// The largest file read, in bytes.
inline constexpr std::uintmax_t kMaxProgramFileSize = std::uintmax_t{16} * 1024 * 1024;

}  // namespace kvotlk::program
