#include "kvotlk-replay/ReplayJob.h"

#include <algorithm>
#include <memory>

#include "capture/CaptureEngine.h"
#include "catalogs/CatalogFiles.h"
#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "entry/OrderEngine.h"
#include "fake-kalvero/FakeKalvero.h"
#include "kvotlk-replay/ReplayPorts.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramText.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "state/modGlobaleVariablen.h"

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
        window_(inputs.order, [this] { captureClosedItself(); }),
        engine_(env_, g_, window_) {
    loadSettings(settings_, inputs.settings);
  }

  int run() {
    engine_.Form_Load();
    enterNestNumber();
    startKalvero();
    if (!(inputs_.options.scriptFile ? runScript() : runDefault())) {
      return kInputError;
    }
    out_ << outcomeText(code_) << '\n' << std::flush;
    return code_;
  }

 private:
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
    const OrderInput& order = window_.order();
    return checkSelection(order.form.combo_Pruefer, order.comboPrueferPlace,
                          window_.prueferList(), "combo_Prüfer", Catalog::Pruefer) &&
           checkSelection(order.form.Combo_Maschine, order.comboMaschinePlace,
                          window_.maschineList(), "Combo_Maschine", Catalog::Maschine);
  }

  // As the operator enters it: the box is ticked (which enables the nest number), the
  // number typed (each edit looks up the nest ID), and the box cleared again when the
  // order says so (which empties the nest-ID label).
  void enterNestNumber() {
    OrderForm& form = window_.order().form;
    const int wanted = form.chkNest;
    const std::string typed = form.txt_Nestnummer;
    form.chkNest = kChecked;
    form.txt_Nestnummer.clear();
    engine_.chkNest_Click();
    form.txt_Nestnummer = typed;
    engine_.txt_Nestnummer_Change();
    if (wanted != kChecked) {
      form.chkNest = wanted;
      engine_.chkNest_Click();
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

  CaptureEngine* capture() const { return engine_.capture(); }

  bool captureOpen() const { return capture() && capture()->state() != CaptureState::Closed; }

  // "&OK"; false when a selection is not an entry of its list.
  bool confirm() {
    if (!checkSelections()) {
      return false;
    }
    code_ = engine_.cmd_OK_Click() ? kNotSent : kOrderRefused;
    return true;
  }

  // After a send that wrote the file, or after an ID message.
  void captureClosedItself() {
    const auto sent = engine_.lastSend();
    if (!sent || !Written(*sent)) {
      code_ = kCaptureEnded;
    } else {
      code_ = *sent == SendOutcome::Delivered ? kDelivered : kNotDelivered;
    }
  }

  void execute(const CommandRecord& command) {
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
      for (const CommandRecord& command : executor.run(runNumber_)) {
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
      capture()->CmdSendData_Click();
    }
    engine_.Form_Unload();
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
  std::optional<std::string> refusalOf(const Step& step) {
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
        if (step.name == "txt_Nestnummer" && window_.nestState() != kChecked) {
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
    const int nestBefore = window_.nestState();
    setOrderControl(window_.order(), step.name, step.value,
                    {*inputs_.options.scriptFile, step.line});
    if (step.name == "txt_Nestnummer") {
      engine_.txt_Nestnummer_Change();
    } else if (window_.nestState() != nestBefore) {
      engine_.chkNest_Click();
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
        capture()->CmdLoeschen_Click();
        break;
      case StepKind::Send:
        capture()->CmdSendData_Click();
        break;
      case StepKind::CloseCapture:
        capture()->Form_Unload();
        break;
      case StepKind::Show:
        window_.captureWindow().print(out_);
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
        engine_.Form_Unload();
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
  ReplayOrderWindow window_;
  OrderEngine engine_;
  std::shared_ptr<FakeKvoApplication> app_;
  std::uint64_t runNumber_ = 0;
  int code_ = kNotSent;
  bool quit_ = false;
};

}  // namespace

int RunReplay(const ReplayInputs& inputs, const MachinePorts& machine, std::ostream& out,
              std::ostream& err) {
  Replay replay(inputs, machine, out, err);
  return replay.run();
}

}  // namespace kvotlk::replay
