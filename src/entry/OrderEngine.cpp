#include "entry/OrderEngine.h"

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
  deliverWaitingFiles();
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
  SaveOrderValues(env_, g_, form);
  ResetSamples(g_);
  openCapture();
  window_.hideWindow();
  ReadNestnummerAmMerkmal(env_, g_);
  return true;
}

void OrderEngine::openCapture() {
  lastSend_.reset();
  CaptureOrder& order = *this;
  auto engine = std::make_unique<CaptureEngine>(env_, g_, order);
  CaptureView& view = window_.makeCaptureWindow(*engine);
  // The previous capture is closed, and no call of its engine can be running now.
  capture_ = std::move(engine);
  capture_->Form_Load(view);
  view.showWindow();
}

void OrderEngine::cmd_Loeschen_Click() {
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

void OrderEngine::Form_Unload() { ShutDown(env_, g_); }

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
    outcome = WriteResultFile(env, SendRequest{g_, form, progress, version});
  });
  lastSend_ = outcome;
  window_.setWaitingFiles(CountWaitingFiles(env_));
  return Written(outcome);
}

}  // namespace kvotlk
