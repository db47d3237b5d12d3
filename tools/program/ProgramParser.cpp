#include "program/ProgramParser.h"

#include <map>
#include <optional>

#include "common/Text.h"
#include "program/ProgramLine.h"
#include "program/ProgramStatements.h"
#include "program/TextFile.h"

namespace kvotlk::program {
namespace {

// UTF-8 with or without a byte order mark, else Windows-1252.
std::string asUtf8(std::string_view content) {
  content = withoutByteOrderMark(content);
  return isUtf8(content) ? std::string(content) : fromCp1252(content);
}

}  // namespace

std::string ProgramError::text() const {
  if (line <= 0) {
    return file + ": " + message;
  }
  return file + ", Zeile " + std::to_string(line) + ": " + message;
}

ProgramOrError parseProgram(std::string_view content, const std::string& fileName) {
  const std::vector<std::string> lines = splitLines(asUtf8(content));
  ProgramBuilder builder;
  int number = 0;
  for (const std::string& line : lines) {
    ++number;
    auto tokens = tokenizeLine(line);
    std::optional<std::string> error;
    if (const auto* message = std::get_if<std::string>(&tokens)) {
      error = *message;
    } else {
      error = builder.add(number, std::get<LineTokens>(tokens));
    }
    if (error) {
      return ProgramError{fileName, number, *error};
    }
  }
  if (auto error = builder.finish(number)) {
    return ProgramError{fileName, error->first, error->second};
  }
  return builder.take();
}

ProgramOrError readProgramFile(const std::filesystem::path& path) {
  const auto u8 = path.u8string();
  const std::string name(u8.begin(), u8.end());
  auto content = readWholeFile(path, kMaxProgramFileSize);
  if (const auto* problem = std::get_if<FileProblem>(&content)) {
    return ProgramError{name, 0,
                        *problem == FileProblem::TooLarge
                            ? "Die Datei ist zu groß für ein Messprogramm (mehr als 16 MB)."
                            : "Die Datei kann nicht gelesen werden."};
  }
  return parseProgram(std::get<std::string>(content), name);
}

}  // namespace kvotlk::program
