#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "capture/FakeKalvero.h"

namespace kvotlk::test {

// Every property of a command in one line, reals with 17 digits, so that two commands
// compare with one check and a difference shows which property it is.
inline std::string commandText(const ScriptedCommand& c) {
  std::ostringstream out;
  out << std::setprecision(17) << c.CmdTypeCode << '/' << c.CmdIdText;
  if (c.dimension) {
    out << " Mass(" << c.dimension->DimIdText << ' ' << c.dimension->DimMeasured << ' '
        << c.dimension->DimSecondary << ')';
  }
  if (c.textCmd) {
    out << " Text(" << c.textCmd->TextCmdName << ' ' << c.textCmd->TextCmdText << ')';
  }
  out << ' ' << c.field165 << ' ' << c.field662;
  return out.str();
}

}  // namespace kvotlk::test
