#include "capture/CaptureEngine.h"

#include <algorithm>

#include "capture/CaptureMessages.h"
#include "capture/CaptureOrder.h"
#include "capture/CaptureView.h"
#include "capture/IdList.h"
#include "common/Environment.h"
#include "common/Prompts.h"
#include "journal/CaptureJournal.h"
#include "kalvero/modKVOFunctions.h"
#include "settings/SettingReaders.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

CaptureEngine::CaptureEngine(Environment& env, modGlobaleVariablen& g, CaptureOrder& order,
                             CaptureJournal* journal)
    : env_(env), g_(g), order_(order), journal_(journal) {}

CaptureEngine::~CaptureEngine() { dropSubscription(); }

void CaptureEngine::Form_Load(CaptureView& view, const JournaledCapture* restored) {
  view_ = &view;
  open_ = true;
  view_->prepareGrid();
  view_->setNumProbes(std::to_string(g_.intStichprobenumfang));
  view_->setCurrentProbe("0", false);
  g_.intAnzStichproben = 0;
  ClearIdList(g_.arrIdListe);
  if (restored) {
    showRestored(*restored);
  }
  intIdLaenge_ = ReadConfigInt16(env_, g_, SettingKey::IdLaenge);
  // Subscribed last: Kalvero may fire a run before the subscription call returns, and that
  // run must find the capture ready rather than be reset after it.
  if (!subscribe()) {
    env_.prompts.showStop(NoSubscriptionMessage());
  }
}

void CaptureEngine::CmdLoeschen_Click() {
  // With no sample started there is nothing to delete.
  if (!open_ || g_.intAnzStichproben <= 0) {
    return;
  }
  view_->setGridRowCount(2);
  view_->setGridCell(1, 0, std::string());
  view_->setGridCell(1, 1, std::string());
  --g_.intAnzStichproben;
  view_->setCurrentProbe(std::to_string(g_.intAnzStichproben), true);
  if (journal_) {
    journal_->sampleDeleted(g_.intAnzStichproben);
  }
  const auto remaining = static_cast<std::size_t>(g_.intAnzStichproben);
  g_.arrStichproben.resize(remaining + 1);
  // The count of characteristics follows the sample that is now the last, so a send
  // right after the deletion writes every value of the samples that remain.
  std::size_t count = 0;
  if (remaining > 0) {
    const Stichprobe& last = g_.arrStichproben[remaining];
    count = std::min(last.strMerkmal.size(), last.dblMesswert.size()) - 1;
  }
  g_.intAnzMerkmale = static_cast<std::int16_t>(std::min<std::size_t>(count, kLargestCount));
}

void CaptureEngine::CmdSendData_Click() {
  if (!open_) {
    return;
  }
  if (g_.intAnzStichproben != g_.intStichprobenumfang && env_.prompts.askYesNo(SendQuestion())) {
    return;
  }
  // Events handled while the question was open may have closed the window.
  if (!open_) {
    return;
  }
  dropSubscription();
  if (order_.sendResultFile()) {
    closeCapture(true);
  }
}

bool CaptureEngine::Form_Unload() {
  if (!open_) {
    return true;
  }
  const bool discard = g_.intAnzStichproben <= 0 ||
                       env_.prompts.askYesNoDefaultNo(DiscardQuestion(g_.intAnzStichproben));
  // Events handled while the question was open may have closed the window already.
  if (discard && open_) {
    if (journal_) {
      journal_->end();
    }
    closeCapture(false);
  }
  return !open_;
}

void CaptureEngine::OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) {
  KvoEvents_OnStartExecution(PartProg);
}

void CaptureEngine::OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                                     const std::shared_ptr<KvoCommand>& Cmmd) {
  KvoEvents_OnObjectExecuted(PartProg, Cmmd);
}

void CaptureEngine::JournalTick() {
  if (journal_) {
    journal_->tick();
  }
}

CaptureState CaptureEngine::state() const {
  if (!open_) {
    return CaptureState::Closed;
  }
  if (!subscribed()) {
    return CaptureState::Halted;
  }
  return g_.intAnzStichproben > 0 ? CaptureState::Sampling : CaptureState::Ready;
}

bool CaptureEngine::subscribe() {
  dropSubscription();
  if (!g_.KvoApp) {
    return false;
  }
  const auto source = g_.KvoApp->EventSource();
  if (!source || !*source) {
    return false;
  }
  // Held before connecting, so events that arrive during the call are taken.
  KvoEvents_ = *source;
  if (!KvoEvents_->connect(*this)) {
    KvoEvents_.reset();
    return false;
  }
  return true;
}

void CaptureEngine::dropSubscription() {
  if (KvoEvents_) {
    KvoEvents_->disconnect();
    KvoEvents_.reset();
  }
}

void CaptureEngine::closeCapture(bool closeView) {
  // Marked closed first, so that the window's close handler finds nothing left to do.
  open_ = false;
  order_.captureClosing();
  dropSubscription();
  if (closeView) {
    view_->closeWindow();
  }
}

void CaptureEngine::haltWith(const std::string& message) {
  // The subscription ends before the message box, whose message loop could deliver
  // further events.
  dropSubscription();
  env_.prompts.showStop(message);
}

std::optional<bool> CaptureEngine::isOurProgram(const std::shared_ptr<KvoPartProgram>& PartProg) {
  if (!PartProg) {
    return false;
  }
  const auto fileName = PartProg->PartProgName();
  if (!fileName) {
    return std::nullopt;
  }
  return PartProgBaseName(*fileName) == g_.strMessprogrammName;
}

bool CaptureEngine::loopMode() { return ReadConfigNumber(env_, g_, SettingKey::SCHLEIFE) == 1.0; }

}  // namespace kvotlk
