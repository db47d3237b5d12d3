#pragma once

#include <array>
#include <string>
#include <vector>

#include "kalvero/CommandRecord.h"
#include "program/MeasuringProgram.h"

// German display texts of programs and executed commands, for the simulator's window,
// its log and the tools' output.
namespace kvotlk::program {

// The shortest text that reads back as the same double, with a decimal comma.
std::string formatNumber(double value);

// "10,005", "Normal(10; 0,005)" or "Gleich(9,99; 10,01)".
std::string describeValue(const ValueRule& value);

// One executed command in one line, such as "Typ 1, Merkmal 101, Messwert 10,0012".
std::string describeExecuted(const CommandRecord& command);

// The columns of the program table and one row per command and loop line.
inline constexpr std::array<const char*, 11> kTableColumns = {
    "Zeile",     "Anweisung", "Typ",  "Id",      "Merkmal", "Messwert",
    "Nebenwert", "Textname",  "Text", "Feld165", "Feld662"};
using TableRow = std::array<std::string, kTableColumns.size()>;
std::vector<TableRow> programTable(const MeasuringProgram& program);

}  // namespace kvotlk::program
