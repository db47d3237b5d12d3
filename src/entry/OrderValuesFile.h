#pragma once

#include <optional>
#include <string>
#include <string_view>

// The order handoff file: the confirmed order as key=value lines in the standard folder,
// for readers outside the program while the measurement runs. It exists only while the
// program runs.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
struct OrderForm;

// "TLValues.txt", or "TLValues" + strDateiErweiterung + ".txt" when the suffix is in use.
std::string ValuesFileName(const modGlobaleVariablen& g);

// strStandardDir + separator + the name.
std::string ValuesFilePath(const modGlobaleVariablen& g);

// The file's bytes: Windows-1252, every line ended by CR LF. The "Nestnummer=" line
// depends on strNestIDVerwenden and is left out unless it is "0" or "1".
std::string ValuesFileContent(const modGlobaleVariablen& g, const OrderForm& form);

// Why a suffix cannot be part of a file name (a separator, "..", a character Windows does
// not allow); nullopt when it can.
std::optional<std::string> SuffixProblem(std::string_view suffix);

// The stop message for a suffix in use that cannot be part of a file name; nullopt when
// the suffix is not in use or sound.
std::optional<std::string> ValuesFileSuffixProblem(const modGlobaleVariablen& g);

// Writes the file anew and keeps its path in strValuesFile. False when it could not be
// written; then no file of that name is left, so no reader takes old or half-written
// order data for the current order. An empty strStandardDir names no folder, a bad
// suffix no file in it: nothing is written and strValuesFile is empty.
bool WriteValuesFile(Environment& env, modGlobaleVariablen& g, const OrderForm& form);

// The stop message for a file that could not be written.
std::string ValuesFileFailureMessage(const std::string& path);

// First success step of the confirmation: when intEinstellungenZurLaufzeitSpeichern is 1,
// writes the file; a bad suffix or a failure shows its stop message and the confirmation
// carries on.
void SaveOrderValues(Environment& env, modGlobaleVariablen& g, const OrderForm& form);

// Start-up: deletes strStandardDir + separator + "TLValues.txt" when it exists (the fixed
// name only, whatever the suffix setting); nothing when strStandardDir is empty.
void DeleteLeftoverValuesFile(Environment& env, const modGlobaleVariablen& g);

// Shutdown: deletes strValuesFile when it names an existing file.
void DeleteValuesFile(Environment& env, const modGlobaleVariablen& g);

}  // namespace kvotlk
