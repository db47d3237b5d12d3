#include "entry/OrderEngine.h"

#include <utility>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "catalogs/CatalogFiles.h"
#include "common/DeferredPrompts.h"
#include "common/Environment.h"
#include "common/WorkProgress.h"
#include "entry/MainWindowRules.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFormRules.h"
#include "entry/OrderValuesFile.h"
#include "entry/OrderWindow.h"
#include "journal/CaptureJournal.h"
#include "journal/JournalAtStart.h"
#include "output/WaitingFiles.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

OrderEngine::OrderEngine(Environment& env, modGlobaleVariablen& g, OrderWindow& window)
    : env_(env), g_(g), window_(window) {}

OrderEngine::~OrderEngine() = default;

void OrderEngine::Form_Load() {
  ReadStartSettings(env_, g_);
  window_.setPartCountVisible(g_.blnMessserieUmfang);
  window_.setToolTips(AuftragToolTip(g_), ArtikelToolTip(g_));
  DeleteLeftoverValuesFile(env_, g_);
  ReadNestIDVerwenden(env_, g_);
  if (const auto nestField = NestFieldForLoad(g_)) {
    window_.setNestToolTip(nestField->toolTip);
    if (nestField->clearNestID) {
      window_.setNestID(std::string());
    }
  }
  window_.showWindow();
  window_.setPrueferList(ReadCatalogForList(env_, Catalog::Pruefer));
  window_.setMaschineList(ReadCatalogForList(env_, Catalog::Maschine));
  window_.presetDateTime(PresetDateTime(env_.clock.now()));
  // Looked at before the waiting files go: a staged file tells that the journal is done.
  const JournalAtStart found = LookAtJournal(env_);
  deliverWaitingFiles();
  offerRestore(found);
}

void OrderEngine::offerRestore(const JournalAtStart& found) {
  if (found.unreadable) {
    env_.prompts.showStop(UnreadableJournalMessage(*found.unreadable));
  }
  if (!found.capture) {
    return;
  }
  restore_ = found.capture;
  if (env_.prompts.askYesNo(RestoreQuestion(*restore_))) {
    window_.restoreForm(restore_->form);
  } else {
    declineRestore();
  }
}

void OrderEngine::declineRestore() {
  restore_.reset();
  env_.prompts.showPlain(NotRestoredMessage(SetJournalAside(env_).value_or(JournalPath(env_))));
}

void OrderEngine::menuWartendeDateien_Click() { deliverWaitingFiles(); }

// The staging folder is local, so it is looked at on the window's thread; only a delivery
// into the target folder, which may be a slow share, runs off it.
void OrderEngine::deliverWaitingFiles() {
  if (CountWaitingFiles(env_) > 0) {
    runFileWork([this](Environment& env, WorkProgress& progress) {
      DeliverWaitingFilesNow(env, g_, progress);
    });
  }
  window_.setWaitingFiles(CountWaitingFiles(env_));
}

void OrderEngine::runFileWork(const std::function<void(Environment&, WorkProgress&)>& work) {
  DeferredPrompts deferred;
  Environment workEnv{env_.settings, env_.files,   env_.clock,         env_.random,    deferred,
                      env_.numbers,  env_.kalvero, env_.programFolder, env_.dataFolder};
  window_.runFileWork([&work, &workEnv](WorkProgress& progress) { work(workEnv, progress); });
  deferred.showOn(env_.prompts);
}

bool OrderEngine::cmd_OK_Click() {
  const OrderForm form = window_.form();
  if (const auto failure = ConfirmOrder(env_, g_, form)) {
    ShowOrderFailure(env_.prompts, *failure);
    return false;
  }
  if (restore_ && !goOnWithOtherProgram()) {
    return false;
  }
  SaveOrderValues(env_, g_, form);
  ResetSamples(g_);
  const std::optional<JournaledCapture> restored = std::exchange(restore_, std::nullopt);
  const JournaledCapture* taken = restored ? &*restored : nullptr;
  openCapture(beginJournal(form, taken), taken);
  window_.hideWindow();
  ReadNestnummerAmMerkmal(env_, g_);
  return true;
}

bool OrderEngine::goOnWithOtherProgram() {
  const std::string& journaled = restore_->strMessprogrammName;
  return journaled == g_.strMessprogrammName ||
         env_.prompts.askYesNoDefaultNo(OtherProgramQuestion(journaled, g_.strMessprogrammName));
}

// A journal left by a capture that ended without a send or a drop (an ID the capture
// refused) is set aside, never replaced. Without a journal the capture goes on; the
// operator is told that it is not safe from a crash.
std::unique_ptr<CaptureJournal> OrderEngine::beginJournal(const OrderForm& form,
                                                          const JournaledCapture* restored) {
  if (journal_) {
    journal_->leave();
  }
  std::unique_ptr<CaptureJournal> journal;
  if (restored || !JournalExists(env_) || SetJournalAside(env_)) {
    journal = CaptureJournal::Begin(env_, form, g_.strMessprogrammName, restored);
  }
  if (!journal) {
    // The restored values now live in memory alone: the old journal must not be offered
    // again once they are sent.
    if (restored && JournalExists(env_)) {
      SetJournalAside(env_);
    }
    env_.prompts.showStop(JournalNotWrittenMessage(JournalPath(env_)));
  }
  return journal;
}

void OrderEngine::openCapture(std::unique_ptr<CaptureJournal> journal,
                              const JournaledCapture* restored) {
  lastSend_.reset();
  CaptureOrder& order = *this;
  auto engine = std::make_unique<CaptureEngine>(env_, g_, order, journal.get());
  CaptureView& view = window_.makeCaptureWindow(*engine);
  // The previous capture is closed, and no call of its engine can be running now; it goes
  // before its journal.
  capture_ = std::move(engine);
  journal_ = std::move(journal);
  capture_->Form_Load(view, restored);
  view.showWindow();
}

void OrderEngine::cmd_Loeschen_Click() {
  if (restore_) {
    declineRestore();
  }
  OrderForm form = window_.form();
  ClearEntries(env_, g_, form);
  window_.showEntries(form);
}

void OrderEngine::chkNest_Click() {
  OrderForm form = window_.form();
  const bool enabled = NestCheckBoxClicked(form);
  window_.setNestID(form.lblNestID);
  window_.setNestEnabled(enabled);
}

void OrderEngine::txt_Nestnummer_Change() {
  OrderForm form = window_.form();
  NestNumberChanged(env_, g_, form);
  window_.setNestID(form.lblNestID);
}

// A capture still open (the program ended from its menu while a capture had been refused)
// keeps its journal with every value taken so far.
void OrderEngine::Form_Unload() {
  if (journal_) {
    journal_->leave();
  }
  ShutDown(env_, g_);
}

void OrderEngine::ShowAgain() { window_.showWindow(); }

void OrderEngine::SettingsSaved() {
  window_.setPartCountVisible(g_.blnMessserieUmfang);
  if (g_.strNestIDVerwenden == "0") {
    window_.setNestID(std::string());
  }
  window_.setToolTips(AuftragToolTip(g_), ArtikelToolTip(g_));
}

void OrderEngine::CatalogSaved(Catalog catalog, const std::vector<std::string>& entries) {
  switch (catalog) {
    case Catalog::Pruefer:
      window_.setPrueferList(entries);
      break;
    case Catalog::Maschine:
      window_.setMaschineList(entries);
      break;
    case Catalog::NestID:
      window_.clearNestEntry();
      break;
  }
}

int OrderEngine::nestState() { return window_.nestState(); }

void OrderEngine::sampleSizeRaised(const std::string& size) { window_.setProbenumfang(size); }

void OrderEngine::captureClosing() { window_.showWindow(); }

bool OrderEngine::sendResultFile() {
  // Read here, on the window's thread: the form's controls and the CMM software.
  const OrderForm form = window_.form();
  const std::string version = KalveroVersionText(g_);
  SendOutcome outcome = SendOutcome::NotWritten;
  runFileWork([&](Environment& env, WorkProgress& progress) {
    outcome = WriteResultFile(env, SendRequest{g_, form, progress, version, journal_.get()});
  });
  lastSend_ = outcome;
  window_.setWaitingFiles(CountWaitingFiles(env_));
  return Written(outcome);
}

}  // namespace kvotlk
