// Reading a capture journal back: its records applied in order, as the capture applied
// them, each checked against the state it finds.
#include <algorithm>
#include <limits>

#include "common/ExactNumber.h"
#include "journal/JournalFormat.h"

namespace kvotlk {
namespace {

constexpr int kLargestCount = std::numeric_limits<std::int16_t>::max();
constexpr int kMostShownDecimals = 15;

// A whole number as the journal writes it, within [low, high].
std::optional<int> wholeNumber(const std::string& text, int low, int high) {
  const auto value = ParseExact<int>(text);
  return value && *value >= low && *value <= high ? value : std::nullopt;
}

class Reader {
 public:
  // False when the record does not fit what came before.
  bool apply(const JournalRecord& record) {
    if (!opened_) {
      return opening(record);
    }
    if (record.kind == "Senden" && record.fields.size() == 1) {
      capture_.stagingName = record.fields[0];
      return true;
    }
    capture_.stagingName.reset();
    if (record.kind == "Stichprobe" && record.fields.size() == 1) {
      return sampleBegun(record.fields[0]);
    }
    if (record.kind == "Wert" && record.fields.size() == 5) {
      return valueStored(record.fields);
    }
    if (record.kind == "Loeschen" && record.fields.size() == 1) {
      return sampleDeleted(record.fields[0]);
    }
    if (record.kind == "Umfang" && record.fields.size() == 1) {
      const auto size = wholeNumber(record.fields[0], 1, kLargestCount);
      capture_.form.txt_Probenumfang = size ? std::to_string(*size) : std::string();
      return size.has_value();
    }
    return false;
  }

  std::optional<JournaledCapture> result() {
    return opened_ ? std::optional(std::move(capture_)) : std::nullopt;
  }

 private:
  bool opening(const JournalRecord& record) {
    if (!versionSeen_) {
      versionSeen_ = record.kind == kJournalKind && record.fields.size() == 1 &&
                     record.fields[0] == std::to_string(kJournalVersion);
      return versionSeen_;
    }
    if (record.kind == "Messprogramm" && record.fields.size() == 1) {
      capture_.strMessprogrammName = record.fields[0];
      opened_ = true;
      return true;
    }
    return record.kind == "Auftrag" && record.fields.size() == 2 &&
           formField(record.fields[0], record.fields[1]);
  }

  bool formField(const std::string& name, const std::string& value) {
    OrderForm& form = capture_.form;
    if (name == "Combo_Maschine") {
      form.Combo_Maschine = value;
    } else if (name == "combo_Prüfer") {
      form.combo_Pruefer = value;
    } else if (name == "chkNest") {
      const auto state = wholeNumber(value, kUnchecked, kGrayed);
      form.chkNest = state.value_or(kUnchecked);
      return state.has_value();
    } else if (std::string* text = textField(name)) {
      *text = value;
    } else {
      return false;
    }
    return true;
  }

  std::string* textField(const std::string& name) {
    for (const JournalFormText& field : JournalFormTexts()) {
      if (name == field.name) {
        return &(capture_.form.*field.member);
      }
    }
    return nullptr;
  }

  // A start in loop mode keeps the count; every other start raises it by one.
  bool sampleBegun(const std::string& field) {
    const auto n = wholeNumber(field, 0, kLargestCount);
    if (!n || (*n != capture_.intAnzStichproben && *n != capture_.intAnzStichproben + 1)) {
      return false;
    }
    capture_.intAnzStichproben = static_cast<std::int16_t>(*n);
    resizeSamples(static_cast<std::size_t>(*n) + 1);
    capture_.intAnzMerkmale = 0;
    return true;
  }

  bool valueStored(const std::vector<std::string>& fields) {
    const auto n = wholeNumber(fields[0], 1, kLargestCount);
    const auto i = wholeNumber(fields[1], 1, kLargestCount);
    const auto decimals = wholeNumber(fields[2], 0, kMostShownDecimals);
    const auto value = ParseExact<double>(fields[4]);
    if (!n || *n != capture_.intAnzStichproben || !i || *i != capture_.intAnzMerkmale + 1 ||
        !decimals || !value) {
      return false;
    }
    const auto sample = static_cast<std::size_t>(*n);
    const auto entry = static_cast<std::size_t>(*i);
    resizeSamples(std::max(capture_.arrStichproben.size(), sample + 1));
    Stichprobe& values = capture_.arrStichproben[sample];
    values.strMerkmal.resize(entry + 1);
    values.dblMesswert.resize(entry + 1);
    capture_.shownDecimals[sample].resize(entry + 1);
    values.strMerkmal[entry] = fields[3];
    values.dblMesswert[entry] = *value;
    capture_.shownDecimals[sample][entry] = *decimals;
    capture_.intAnzMerkmale = static_cast<std::int16_t>(*i);
    return true;
  }

  bool sampleDeleted(const std::string& field) {
    const auto remaining = wholeNumber(field, 0, kLargestCount - 1);
    if (!remaining || *remaining + 1 != capture_.intAnzStichproben) {
      return false;
    }
    const auto count = static_cast<std::size_t>(*remaining);
    capture_.intAnzStichproben = static_cast<std::int16_t>(*remaining);
    resizeSamples(count + 1);
    capture_.intAnzMerkmale = 0;
    if (count > 0) {
      capture_.intAnzMerkmale =
          static_cast<std::int16_t>(capture_.arrStichproben[count].dblMesswert.size() - 1);
    }
    return true;
  }

  void resizeSamples(std::size_t size) {
    capture_.arrStichproben.resize(size);
    capture_.shownDecimals.resize(size, std::vector<int>{0});
  }

  JournaledCapture capture_;
  bool versionSeen_ = false;
  bool opened_ = false;
};

}  // namespace

std::optional<JournaledCapture> ReadJournal(std::string_view text) {
  Reader reader;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      // A last line without its line end is a write the power cut tore: dropped. A whole
      // line that does not check out is damage.
      break;
    }
    const auto record = DecodeRecordLine(text.substr(0, end));
    text.remove_prefix(end + 1);
    if (!record || !reader.apply(*record)) {
      return std::nullopt;
    }
  }
  return reader.result();
}

bool JournalEnded(std::string_view text) { return text.ends_with(EncodeRecord({kJournalEnd, {}})); }

}  // namespace kvotlk
