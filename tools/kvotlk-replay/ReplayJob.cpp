#include "kvotlk-replay/ReplayJob.h"

#include <algorithm>
#include <memory>

#include "app/MainWindowRules.h"
#include "app/modGlobaleVariablen.h"
#include "capture/CaptureEngine.h"
#include "capture/FakeKalvero.h"
#include "catalogs/CatalogFiles.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFormRules.h"
#include "entry/OrderValuesFile.h"
#include "kvotlk-replay/ReplayPorts.h"
#include "output/OutputMessages.h"
#include "output/modTuLOutput.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramText.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"

namespace kvotlk::replay {
namespace {

std::unique_ptr<Clock> makeClock(const ReplayOptions& options, Clock& machine) {
  if (options.fixedTime) {
    return std::make_unique<FixedTimeClock>(*options.fixedTime, machine);
  }
  return nullptr;
}

std::unique_ptr<RandomSource> makeRandom(const ReplayOptions& options) {
  if (options.nameSeed) {
    return std::make_unique<SeededRandom>(*options.nameSeed);
  }
  return nullptr;
}

PortableLocaleNumbers makeNumbers(NumberRules rules) {
  return rules == NumberRules::German ? germanNumbers() : englishNumbers();
}

// A store that holds exactly the values of the settings file.
void loadSettings(MemorySettingsStore& store, const SettingsInput& input) {
  for (const auto& [key, value] : input.values) {
    store.values[SettingPath(kRegistryRoot, kConfigSection, SettingName(key))] = value;
  }
}

const char* outcomeText(int code) {
  switch (code) {
    case kDelivered:
      return "Die Ergebnisdatei wurde zugestellt.";
    case kOrderRefused:
      return "Der Auftrag wurde abgelehnt.";
    case kCaptureEnded:
      return "Die Erfassung wurde durch eine Meldung zur Merkmals-ID beendet; nichts wurde "
             "gesendet.";
    case kNotSent:
      return "Es wurde nichts gesendet.";
    case kNotDelivered:
      return "Die Ergebnisdatei liegt in TempData, wurde aber nicht zugestellt.";
    default:
      return "";
  }
}

// The capture window of one order: its view and the engine that drives it.
struct CaptureWindow {
  CaptureWindow(Environment& env, modGlobaleVariablen& g, OrderForm& form,
                std::function<void()> closed, std::function<bool()> writeResultFile)
      : view(form, std::move(closed)), engine(env, g, view, std::move(writeResultFile)) {}

  ReplayView view;
  CaptureEngine engine;
};

class Replay {
 public:
  Replay(const ReplayInputs& inputs, const MachinePorts& machine, std::ostream& out,
         std::ostream& err)
      : inputs_(inputs),
        out_(out),
        err_(err),
        clock_(makeClock(inputs.options, machine.clock)),
        random_(makeRandom(inputs.options)),
        prompts_(err, inputs.options.increaseAnswer, inputs.options.measureMoreAnswer),
        numbers_(makeNumbers(inputs.options.numbers)),
        env_{settings_,
             machine.files,
             clock_ ? *clock_ : machine.clock,
             random_ ? *random_ : machine.random,
             prompts_,
             numbers_,
             kalvero_,
             inputs.programFolder},
        order_(inputs.order) {
    loadSettings(settings_, inputs.settings);
  }

  int run() {
    loadMainWindow();
    enterNestNumber();
    startKalvero();
    if (!(inputs_.options.scriptFile ? runScript() : runDefault())) {
      return kInputError;
    }
    out_ << outcomeText(code_) << '\n' << std::flush;
    return code_;
  }

 private:
  // The main window's load, as far as it concerns the job: the run-time copies of the
  // settings, the leftover handoff file, and the two lists (a missing catalogue shows its
  // message).
  void loadMainWindow() {
    ReadStartSettings(env_, g_);
    DeleteLeftoverValuesFile(env_, g_);
    ReadNestIDVerwenden(env_, g_);
    combo_Pruefer_ = ReadCatalogForList(env_, Catalog::Pruefer);
    Combo_Maschine_ = ReadCatalogForList(env_, Catalog::Maschine);
  }

  void refuseInput(const InputFileError& error) {
    err_ << "FEHLER: " << error.text() << '\n' << std::flush;
  }

  // A selection must be one of the entries the list was filled with, exactly.
  bool checkSelection(const std::optional<std::string>& selection, const InputPlace& place,
                      const std::vector<std::string>& entries, const char* control,
                      Catalog catalog) {
    if (!selection || std::find(entries.begin(), entries.end(), *selection) != entries.end()) {
      return true;
    }
    const std::string path = CatalogPath(env_.programFolder, catalog);
    refuseInput(
        {place.file, place.line,
         std::string("\"") + control + "\": \"" + *selection + "\" ist kein Eintrag der Liste. " +
             (entries.empty()
                  ? "Die Liste ist leer, der Katalog " + path + " fehlt oder ist leer."
                  : "Die Liste zeigt die Zeilen von " + path + " genau so, wie sie dort stehen.")});
    return false;
  }

  bool checkSelections() {
    return checkSelection(order_.form.combo_Pruefer, order_.comboPrueferPlace, combo_Pruefer_,
                          "combo_Prüfer", Catalog::Pruefer) &&
           checkSelection(order_.form.Combo_Maschine, order_.comboMaschinePlace, Combo_Maschine_,
                          "Combo_Maschine", Catalog::Maschine);
  }

  // As the operator enters it: the box is ticked (which enables the nest number), the
  // number typed (each edit looks up the nest ID), and the box cleared again when the
  // order says so (which empties the nest-ID label).
  void enterNestNumber() {
    OrderForm& form = order_.form;
    const int wanted = form.chkNest;
    const std::string typed = form.txt_Nestnummer;
    form.chkNest = kChecked;
    form.txt_Nestnummer.clear();
    NestCheckBoxClicked(form);
    form.txt_Nestnummer = typed;
    NestNumberChanged(env_, g_, form);
    if (wanted != kChecked) {
      form.chkNest = wanted;
      NestCheckBoxClicked(form);
    }
  }

  // A fresh CMM software, with the measuring program open when there is one.
  void startKalvero() {
    app_ = kalvero_.start();
    runNumber_ = 0;
    if (inputs_.program) {
      app_->versionText = inputs_.program->versionText;
      app_->openPartProgram(inputs_.program->partProgName);
    }
  }

  void quitKalvero() {
    app_->goAway();
    kalvero_.app.reset();
    kalvero_.windowExists = false;
    app_.reset();
  }

  bool captureOpen() const { return capture_ && capture_->engine.state() != CaptureState::Closed; }

  // "&OK"; false when a selection is not an entry of its list.
  bool confirm() {
    if (!checkSelections()) {
      return false;
    }
    if (const auto failure = ConfirmOrder(env_, g_, order_.form)) {
      ShowOrderFailure(prompts_, *failure);
      code_ = kOrderRefused;
      return true;
    }
    SaveOrderValues(env_, g_, order_.form);
    ResetSamples(g_);
    code_ = kNotSent;
    written_ = false;
    capture_ = std::make_unique<CaptureWindow>(
        env_, g_, order_.form, [this] { captureClosedItself(); },
        [this] { return writeResultFile(); });
    capture_->engine.Form_Load();
    ReadNestnummerAmMerkmal(env_, g_);
    return true;
  }

  // After a send that wrote the file, or after an ID message.
  void captureClosedItself() {
    if (!written_) {
      code_ = kCaptureEnded;
    } else {
      code_ = copyFailed_ ? kNotDelivered : kDelivered;
    }
  }

  // The send of the capture window; a failed copy shows its own message.
  bool writeResultFile() {
    const std::size_t stopsBefore = prompts_.stops().size();
    written_ = WriteResultFile(env_, g_, order_.form);
    const std::string copyFailed = MessageCopyFailed(StagingFolderOf(env_.programFolder));
    const auto& stops = prompts_.stops();
    copyFailed_ = std::find(stops.begin() + static_cast<std::ptrdiff_t>(stopsBefore), stops.end(),
                            copyFailed) != stops.end();
    return written_;
  }

  void execute(const ScriptedCommand& command) {
    if (inputs_.options.verbose) {
      out_ << "  " << program::describeExecuted(command) << '\n' << std::flush;
    }
    app_->executeCommand(command);
  }

  // Runs of the open measuring program; the default job stops when the capture has closed.
  void executeRuns(std::int64_t runs, bool untilClosed) {
    const program::ProgramExecutor executor(
        *inputs_.program, program::chooseSeed(*inputs_.program, inputs_.options.seed));
    for (std::int64_t run = 1; run <= runs; ++run) {
      if (untilClosed && !captureOpen()) {
        return;
      }
      ++runNumber_;
      if (inputs_.options.verbose) {
        out_ << "Lauf " << runNumber_ << '\n' << std::flush;
      }
      app_->startExecution();
      for (const ScriptedCommand& command : executor.run(runNumber_)) {
        execute(command);
      }
    }
  }

  // Confirm, the runs, send, shut down.
  bool runDefault() {
    if (!confirm()) {
      return false;
    }
    if (captureOpen() && inputs_.program) {
      executeRuns(inputs_.options.runs, true);
    }
    if (captureOpen()) {
      capture_->engine.CmdSendData_Click();
    }
    ShutDown(env_, g_);
    return true;
  }

  bool runScript() {
    for (const Step& step : inputs_.steps) {
      if (const auto refusal = refusalOf(step)) {
        refuseInput({*inputs_.options.scriptFile, step.line,
                     "\"" + step.word + "\" geht jetzt nicht: " + *refusal});
        return false;
      }
      if (!perform(step)) {
        return false;
      }
    }
    return true;
  }

  // Why the windows would not allow the step now; nullopt when they would.
  std::optional<std::string> refusalOf(const Step& step) const {
    if (quit_) {
      return "Das Programm ist beendet.";
    }
    switch (step.kind) {
      case StepKind::Confirm:
      case StepKind::SetField:
      case StepKind::QuitProgram:
        if (captureOpen()) {
          return "Das Erfassungsfenster ist offen.";
        }
        if (step.name == "txt_Nestnummer" && order_.form.chkNest != kChecked) {
          return "txt_Nestnummer ist gesperrt, solange chkNest nicht angekreuzt ist.";
        }
        return std::nullopt;
      case StepKind::DeleteSample:
      case StepKind::Send:
      case StepKind::CloseCapture:
      case StepKind::Show:
        return captureOpen() ? std::nullopt : std::optional("Kein Erfassungsfenster ist offen.");
      case StepKind::Answer:
        return std::nullopt;
      case StepKind::StartKalvero:
        return app_ ? std::optional("Kalvero läuft schon.") : std::nullopt;
      case StepKind::Runs:
      case StepKind::StartEvent:
      case StepKind::Command:
        if (app_ && !app_->currentPartProg) {
          return "Kein Messprogramm ist geöffnet.";
        }
        [[fallthrough]];
      default:
        return app_ ? std::nullopt : std::optional("Kalvero läuft nicht.");
    }
  }

  // A control of the order form changed as the operator changes it.
  void setField(const Step& step) {
    const int nestBefore = order_.form.chkNest;
    setOrderControl(order_, step.name, step.value, {*inputs_.options.scriptFile, step.line});
    if (step.name == "txt_Nestnummer") {
      NestNumberChanged(env_, g_, order_.form);
    } else if (order_.form.chkNest != nestBefore) {
      NestCheckBoxClicked(order_.form);
    }
  }

  // One step; false when it is refused as an input error.
  bool perform(const Step& step) {
    switch (step.kind) {
      case StepKind::Confirm:
        return confirm();
      case StepKind::SetField:
        setField(step);
        break;
      case StepKind::Runs:
        executeRuns(step.count, false);
        break;
      case StepKind::StartEvent:
        if (inputs_.options.verbose) {
          out_ << "Start\n" << std::flush;
        }
        app_->startExecution();
        break;
      case StepKind::Command:
        execute(step.command);
        break;
      case StepKind::Answer:
        prompts_.queueAnswer(step.answer);
        break;
      default:
        performWindowStep(step);
    }
    return true;
  }

  void performWindowStep(const Step& step) {
    switch (step.kind) {
      case StepKind::DeleteSample:
        capture_->engine.CmdLoeschen_Click();
        break;
      case StepKind::Send:
        capture_->engine.CmdSendData_Click();
        break;
      case StepKind::CloseCapture:
        capture_->engine.Form_Unload();
        break;
      case StepKind::Show:
        capture_->view.print(out_);
        break;
      default:
        performKalveroStep(step);
    }
  }

  void performKalveroStep(const Step& step) {
    switch (step.kind) {
      case StepKind::QuitKalvero:
        quitKalvero();
        break;
      case StepKind::StartKalvero:
        startKalvero();
        break;
      case StepKind::CloseProgram:
        app_->closePartProgram();
        break;
      case StepKind::KalveroGoneAt:
        app_->life->goAwayAt(step.name, static_cast<int>(step.count));
        break;
      case StepKind::KalveroGoneAfter:
        app_->life->goAwayAfter(static_cast<int>(step.count));
        break;
      default:
        ShutDown(env_, g_);
        quit_ = true;
    }
  }

  const ReplayInputs& inputs_;
  std::ostream& out_;
  std::ostream& err_;
  MemorySettingsStore settings_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<RandomSource> random_;
  ConsolePrompts prompts_;
  PortableLocaleNumbers numbers_;
  FakeKvoConnector kalvero_;
  Environment env_;
  modGlobaleVariablen g_;
  OrderInput order_;
  std::vector<std::string> combo_Pruefer_;
  std::vector<std::string> Combo_Maschine_;
  std::shared_ptr<FakeKvoApplication> app_;
  std::uint64_t runNumber_ = 0;
  std::unique_ptr<CaptureWindow> capture_;
  int code_ = kNotSent;
  bool written_ = false;
  bool copyFailed_ = false;
  bool quit_ = false;
};

}  // namespace

int RunReplay(const ReplayInputs& inputs, const MachinePorts& machine, std::ostream& out,
              std::ostream& err) {
  Replay replay(inputs, machine, out, err);
  return replay.run();
}

}  // namespace kvotlk::replay
