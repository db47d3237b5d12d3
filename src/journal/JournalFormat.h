#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

// The capture journal's text: one record per line, fields apart by tabs, each line closed
// by the CRC-32 of what it says, so a line cut short by a power cut is told from a whole
// one. The journal is only ever appended to.
namespace kvotlk {

inline constexpr const char* kJournalName = "Erfassung.journal";
inline constexpr const char* kJournalKind = "KVOTLK-Erfassungsjournal";
inline constexpr int kJournalVersion = 1;
// The last record of a capture that is over, written before the file is removed: should the
// removal fail (a virus scanner holding the file), the journal is not offered again.
inline constexpr const char* kJournalEnd = "Ende";

// One record: its kind ("Stichprobe", "Wert", …) and its fields.
struct JournalRecord {
  std::string kind;
  std::vector<std::string> fields;
};

// The record as one line, "\n" included.
std::string EncodeRecord(const JournalRecord& record);
// A line without its "\n" as a record; nullopt when it is not whole (its CRC differs).
std::optional<JournalRecord> DecodeRecordLine(std::string_view line);

// The order form's texts that a journal keeps, by the names of their controls.
struct JournalFormText {
  const char* name;
  std::string OrderForm::*member;
};
const std::array<JournalFormText, 11>& JournalFormTexts();

// The records that open a journal: its version, the order form as confirmed and the
// measuring program's name.
std::string JournalOpening(const OrderForm& form, const std::string& strMessprogrammName);

// What a journal holds: the order as confirmed, with the sample size the increase question
// raised, and the samples as the capture held them.
struct JournaledCapture {
  OrderForm form;
  std::string strMessprogrammName;
  std::vector<Stichprobe> arrStichproben{Stichprobe{}};
  // The decimals each value was shown with, parallel to the values of arrStichproben.
  std::vector<std::vector<int>> shownDecimals{std::vector<int>{0}};
  std::int16_t intAnzStichproben = 0;
  std::int16_t intAnzMerkmale = 0;
  // The name of the result file whose staging began after the last sample change; the
  // staged file holds the values once it is there.
  std::optional<std::string> stagingName;
};

// The records that make a journal of samples captured so far, after its opening.
std::string JournalSamples(const JournaledCapture& capture);

// Reads a journal. A torn last line (without its line end) is dropped; a line that does
// not check out, a record that does not fit, another version or a journal without its
// opening answers nullopt.
std::optional<JournaledCapture> ReadJournal(std::string_view text);
// Whether the journal's capture is over (its last record "Ende").
bool JournalEnded(std::string_view text);

}  // namespace kvotlk
