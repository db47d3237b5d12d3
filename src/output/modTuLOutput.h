#pragma once

#include <string>
#include <string_view>

// The send of the captured samples: the result file is written into the staging folder
// beside the program and delivered into the target folder, every step traced in the
// debug log.
namespace kvotlk {

struct Environment;
struct KvoObjects;
class CaptureJournal;
struct modGlobaleVariablen;
struct OrderForm;
class Clock;
class WorkProgress;

// How a send ended: nothing written (after one stop message), the result file written
// into the staging folder but not delivered (the copy failed; the operator was told), or
// delivered into the target folder.
enum class SendOutcome { NotWritten, StagedOnly, Delivered };

// Whether the result file was written, delivered or not: the capture window closes then.
inline bool Written(SendOutcome outcome) { return outcome != SendOutcome::NotWritten; }

// What a send takes from the windows and the CMM software. Everything but the file work is
// read on the window's thread before the send: the form as the controls hold it (nest
// check box and nest ID), the CMM software's version text; the progress reports to the
// window and tells when the operator stops waiting.
// The capture's journal, when there is one, is told the staged file's name before it is
// written and ends once it is there: from then on the staged file holds the values.
struct SendRequest {
  const modGlobaleVariablen& g;
  const OrderForm& form;
  WorkProgress& progress;
  std::string kalveroVersion;
  CaptureJournal* journal = nullptr;
};

// The CMM software's version text for the log; empty when it does not answer.
std::string KalveroVersionText(const KvoObjects& g);

// Writes the result file of the order data and the captured samples into the staging
// folder, after delivering the files that wait there, and copies it into the target
// folder (setting DIR). Touches only files, settings and the prompts, so it may run off
// the window's thread.
SendOutcome WriteResultFile(Environment& env, const SendRequest& request);
// The same on this thread, nobody watching.
SendOutcome WriteResultFile(Environment& env, const modGlobaleVariablen& g, const OrderForm& form);

// Today's local date as "yyyymmdd".
std::string GetDateString(Clock& clock);
// The local time as "hhmmss", 24-hour clock.
std::string GetTimeString(Clock& clock);

// "major.minor.revision" of this program.
std::string ProgramVersionText();

}  // namespace kvotlk
