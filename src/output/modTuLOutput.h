#pragma once

#include <string>
#include <string_view>

// The send of the captured samples: the result file is written into the staging folder
// beside the program and delivered into the target folder, every step traced in the
// debug log.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
struct OrderForm;
class Clock;

// How a send ended: nothing written (after one stop message), the result file written
// into the staging folder but not delivered (the copy failed; the operator was told), or
// delivered into the target folder.
enum class SendOutcome { NotWritten, StagedOnly, Delivered };

// Whether the result file was written, delivered or not: the capture window closes then.
inline bool Written(SendOutcome outcome) { return outcome != SendOutcome::NotWritten; }

// Writes the result file of the order data and the captured samples into the staging
// folder and copies it into the target folder (setting DIR). The form gives the nest check
// box and the nest ID.
SendOutcome WriteResultFile(Environment& env, const modGlobaleVariablen& g, const OrderForm& form);

// Today's local date as "yyyymmdd".
std::string GetDateString(Clock& clock);
// The local time as "hhmmss", 24-hour clock.
std::string GetTimeString(Clock& clock);

// Program folder + "TempData" + separator, keeping the trailing separator.
std::string StagingFolderOf(std::string_view programFolder);

// "major.minor.revision" of this program.
std::string ProgramVersionText();

}  // namespace kvotlk
