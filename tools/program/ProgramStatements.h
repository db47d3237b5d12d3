#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "program/MeasuringProgram.h"
#include "program/ProgramLine.h"

namespace kvotlk::program {

// Builds a measuring program line by line and checks each statement.
class ProgramBuilder {
 public:
  // Takes the tokens of one line; a German error text when the line is refused.
  std::optional<std::string> add(int line, const LineTokens& tokens);
  // Checks what the whole file needs; the line and text of an error.
  std::optional<std::pair<int, std::string>> finish(int lastLine) const;
  MeasuringProgram take() { return std::move(program_); }

 private:
  std::optional<std::string> header(int line, const std::string& word, const LineTokens& tokens);
  std::optional<std::string> loopStart(int line, const LineTokens& tokens);
  std::optional<std::string> loopEnd(int line, const LineTokens& tokens);
  void addCommand(ProgramCommand command);
  std::optional<std::string> checkRunSize() const;

  MeasuringProgram program_;
  // Header statements seen, with their lines.
  std::map<std::string, int, std::less<>> headerLines_;
  std::optional<ProgramLoop> loop_;
  int commands_ = 0;
  // Commands one run executes so far, loop passes counted.
  std::size_t runCommands_ = 0;
};

}  // namespace kvotlk::program
