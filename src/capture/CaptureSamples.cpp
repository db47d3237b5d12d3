// Samples and characteristic values: starting a sample, checking a characteristic ID and
// storing a value.
#include <algorithm>
#include <string>

#include "capture/CaptureEngine.h"
#include "capture/CaptureMessages.h"
#include "capture/CaptureOrder.h"
#include "capture/CaptureView.h"
#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "common/NumberFormat.h"
#include "common/Prompts.h"
#include "common/Text.h"
#include "common/modCheckTyp.h"
#include "journal/CaptureJournal.h"
#include "journal/JournalFormat.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

void CaptureEngine::startSample(bool raiseCount, bool repaintNow) {
  if (raiseCount) {
    if (g_.intAnzStichproben == kLargestCount) {
      haltWith(TooManySamplesMessage());
      return;
    }
    ++g_.intAnzStichproben;
  }
  if (g_.intAnzStichproben > g_.intStichprobenumfang) {
    if (!env_.prompts.askYesNo(IncreaseQuestion())) {
      // Only a count raised by this start is taken back: a run start in loop mode raised
      // nothing, and lowering there would drop a captured sample.
      if (raiseCount) {
        --g_.intAnzStichproben;
      }
      dropSubscription();
      return;
    }
    // The sample count is above the size, so the size stays below 32767 here.
    ++g_.intStichprobenumfang;
    const std::string size = std::to_string(g_.intStichprobenumfang);
    view_->setNumProbes(size);
    order_.sampleSizeRaised(size);
    if (journal_) {
      journal_->sampleSizeRaised(g_.intStichprobenumfang);
    }
  }
  view_->setCurrentProbe(std::to_string(g_.intAnzStichproben), repaintNow);
  beginSample();
}

void CaptureEngine::beginSample() {
  g_.arrStichproben.resize(static_cast<std::size_t>(std::max<int>(g_.intAnzStichproben, 0)) + 1);
  g_.intAnzMerkmale = 0;
  g_.blnBlockA = false;
  g_.blnBlockB = false;
  g_.intPosInBlockA = 0;
  g_.intPosInBlockB = 0;
  if (journal_) {
    journal_->sampleBegun(g_.intAnzStichproben);
  }
}

// The samples of the journal become the capture's, and the window shows the last one as
// the capture showed it.
void CaptureEngine::showRestored(const JournaledCapture& restored) {
  g_.arrStichproben = restored.arrStichproben;
  g_.intAnzStichproben = restored.intAnzStichproben;
  g_.intAnzMerkmale = restored.intAnzMerkmale;
  view_->setCurrentProbe(std::to_string(g_.intAnzStichproben), false);
  const auto last = static_cast<std::size_t>(std::max<int>(g_.intAnzStichproben, 0));
  const Stichprobe& sample = g_.arrStichproben[last];
  const int values = g_.intAnzMerkmale;
  view_->setGridRowCount(values + 1);
  for (int m = 1; m <= values; ++m) {
    const auto entry = static_cast<std::size_t>(m);
    view_->setGridCell(m, 0, sample.strMerkmal[entry]);
    view_->setGridCell(m, 1,
                       FormatFixed(sample.dblMesswert[entry], restored.shownDecimals[last][entry],
                                   env_.numbers.decimalSeparator()));
  }
}

Stichprobe& CaptureEngine::currentSample() {
  const auto index = static_cast<std::size_t>(std::max<int>(g_.intAnzStichproben, 0));
  if (g_.arrStichproben.size() <= index) {
    g_.arrStichproben.resize(index + 1);
  }
  return g_.arrStichproben[index];
}

std::optional<std::string> CaptureEngine::checkedId() {
  const std::string& id = g_.strMerkmalID;
  // The number rules read a line break around the digits as a blank, but in the result
  // file it would split the "MERKMAL=" line, so such an ID is no whole number here.
  if (!IsLong(env_.numbers, id) || id.find_first_of("\r\n") != std::string::npos) {
    return refuseId(WholeNumberMessage(id));
  }
  const int nest = order_.nestState();
  const auto length = static_cast<long long>(charCount(id));
  if (nest == kUnchecked && length > intIdLaenge_) {
    return refuseId(LengthMessage(id, intIdLaenge_));
  }
  if (nest == kChecked) {
    const int limit = intIdLaenge_ - 1;
    if (length > limit) {
      return refuseId(NestLengthMessage(id, limit));
    }
    // The nest number goes onto the stored and shown ID only; strMerkmalID keeps the ID
    // as the program gave it, so a command that keeps the ID is extended once.
    if (g_.intNestnummerAmMerkmal == 1) {
      return id + g_.strNestnummer;
    }
  }
  return id;
}

std::optional<std::string> CaptureEngine::refuseId(const std::string& message) {
  env_.prompts.showStop(message);
  closeCapture(true);
  return std::nullopt;
}

CaptureEngine::Step CaptureEngine::storeValue(const std::string& id, double value, int decimals) {
  if (g_.intAnzMerkmale == kLargestCount) {
    haltWith(TooManyValuesMessage());
    return Step::End;
  }
  ++g_.intAnzMerkmale;
  const int m = g_.intAnzMerkmale;
  const auto entry = static_cast<std::size_t>(m);
  view_->setGridRowCount(m + 1);
  Stichprobe& sample = currentSample();
  sample.strMerkmal.resize(entry + 1);
  sample.dblMesswert.resize(entry + 1);
  view_->setGridCell(m, 0, id);
  sample.strMerkmal[entry] = id;
  g_.dblAktWert = value;
  sample.dblMesswert[entry] = value;
  view_->setGridCell(m, 1, FormatFixed(value, decimals, env_.numbers.decimalSeparator()));
  if (journal_) {
    journal_->valueStored(g_.intAnzStichproben, g_.intAnzMerkmale, decimals, id, value);
  }
  return Step::Next;
}

}  // namespace kvotlk
