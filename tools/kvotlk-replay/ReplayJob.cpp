#include "kvotlk-replay/ReplayJob.h"

#include <memory>

#include "capture/CaptureEngine.h"
#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "entry/OrderEngine.h"
#include "kvotlk-replay/ReplayKalvero.h"
#include "kvotlk-replay/ReplayPorts.h"
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
  for (const auto& [key, value] : input.machineDefaults) {
    store.machineDefaults[SettingPath(kRegistryRoot, kConfigSection, SettingName(key))] = value;
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

// One run of the program over the job's folders: its state, its order window and its engine.
// Started again, it is made anew, as after closing and starting the program.
struct Program {
  Program(Environment& env, const OrderInput& order, std::function<void()> captureClosed,
          std::ostream& out, bool verbose)
      : window(order, std::move(captureClosed), out, verbose), engine(env, g, window) {}

  modGlobaleVariablen g;
  ReplayOrderWindow window;
  OrderEngine engine;
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
        prompts_(err, inputs.options.increaseAnswer, inputs.options.measureMoreAnswer,
                 inputs.options.discardAnswer),
        kalvero_(inputs.program, inputs.options, out),
        numbers_(makeNumbers(inputs.options.numbers)),
        env_{settings_,
             machine.files,
             clock_ ? *clock_ : machine.clock,
             random_ ? *random_ : machine.random,
             prompts_,
             numbers_,
             kalvero_.connector(),
             inputs.programFolder,
             inputs.dataFolder} {
    loadSettings(settings_, inputs.settings);
  }

  int run() {
    startProgram();
    kalvero_.start();
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

  OrderEngine& engine() { return program_->engine; }
  ReplayOrderWindow& window() { return program_->window; }

  // The main window's load, then the order file's entries as the operator types them.
  void startProgram() {
    program_ = std::make_unique<Program>(
        env_, inputs_.order, [this] { captureClosedItself(); }, out_, inputs_.options.verbose);
    engine().Form_Load();
    enterNestNumber();
  }

  // As the operator enters it: the box is ticked (which enables the nest number), the
  // number typed (each edit looks up the nest ID), and the box cleared again when the
  // order says so (which empties the nest-ID label).
  void enterNestNumber() {
    OrderForm& form = window().order().form;
    const int wanted = form.chkNest;
    const std::string typed = form.txt_Nestnummer;
    form.chkNest = kChecked;
    form.txt_Nestnummer.clear();
    engine().chkNest_Click();
    form.txt_Nestnummer = typed;
    engine().txt_Nestnummer_Change();
    if (wanted != kChecked) {
      form.chkNest = wanted;
      engine().chkNest_Click();
    }
  }

  CaptureEngine* capture() const { return program_->engine.capture(); }

  bool captureOpen() const { return capture() && capture()->state() != CaptureState::Closed; }

  // "&OK"; false when a selection is not an entry of its list.
  bool confirm() {
    if (const auto error = window().unlistedSelection(env_.data())) {
      refuseInput(*error);
      return false;
    }
    code_ = engine().cmd_OK_Click() ? kNotSent : kOrderRefused;
    return true;
  }

  // After a send that wrote the file, or after an ID message.
  void captureClosedItself() {
    const auto sent = engine().lastSend();
    if (!sent || !Written(*sent)) {
      code_ = kCaptureEnded;
    } else {
      code_ = *sent == SendOutcome::Delivered ? kDelivered : kNotDelivered;
    }
  }

  // Confirm, the runs, send, shut down.
  bool runDefault() {
    if (!confirm()) {
      return false;
    }
    if (captureOpen() && inputs_.program) {
      kalvero_.executeRuns(inputs_.options.runs, [this] { return !captureOpen(); });
    }
    if (captureOpen()) {
      capture()->CmdSendData_Click();
    }
    engine().Form_Unload();
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
      // A step takes the operator a second at least: the capture window's timer has run.
      if (captureOpen()) {
        capture()->JournalTick();
      }
    }
    return true;
  }

  // Why the windows would not allow the step now; nullopt when they would.
  std::optional<std::string> refusalOf(const Step& step) {
    if (quit_ != (step.kind == StepKind::StartProgram)) {
      return quit_ ? "Das Programm ist beendet." : "Das Programm läuft schon.";
    }
    switch (step.kind) {
      case StepKind::Confirm:
      case StepKind::SetField:
      case StepKind::SendWaiting:
      case StepKind::QuitProgram:
        if (captureOpen()) {
          return "Das Erfassungsfenster ist offen.";
        }
        if (step.name == "txt_Nestnummer" && window().nestState() != kChecked) {
          return "txt_Nestnummer ist gesperrt, solange chkNest nicht angekreuzt ist.";
        }
        return std::nullopt;
      case StepKind::DeleteSample:
      case StepKind::Send:
      case StepKind::CloseCapture:
      case StepKind::Show:
        return captureOpen() ? std::nullopt : std::optional("Kein Erfassungsfenster ist offen.");
      case StepKind::Answer:
      case StepKind::Cancel:
      case StepKind::StartProgram:
      case StepKind::Crash:
        return std::nullopt;
      case StepKind::StartKalvero:
        return kalvero_.running() ? std::optional("Kalvero läuft schon.") : std::nullopt;
      case StepKind::Runs:
      case StepKind::StartEvent:
      case StepKind::Command:
        if (kalvero_.running() && !kalvero_.programOpen()) {
          return "Kein Messprogramm ist geöffnet.";
        }
        [[fallthrough]];
      default:
        return kalvero_.running() ? std::nullopt : std::optional("Kalvero läuft nicht.");
    }
  }

  // A control of the order form changed as the operator changes it.
  void setField(const Step& step) {
    const int nestBefore = window().nestState();
    setOrderControl(window().order(), step.name, step.value,
                    {*inputs_.options.scriptFile, step.line});
    if (step.name == "txt_Nestnummer") {
      engine().txt_Nestnummer_Change();
    } else if (window().nestState() != nestBefore) {
      engine().chkNest_Click();
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
        kalvero_.executeRuns(step.count, nullptr);
        break;
      case StepKind::StartEvent:
        kalvero_.startEvent();
        break;
      case StepKind::Command:
        kalvero_.execute(step.command);
        break;
      case StepKind::Answer:
        prompts_.queueAnswer(step.answer);
        break;
      case StepKind::Cancel:
        window().cancelAtAttempt(static_cast<int>(step.count));
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
        window().captureWindow().print(out_);
        break;
      case StepKind::QuitProgram:
        engine().Form_Unload();
        quit_ = true;
        break;
      case StepKind::StartProgram:
        startProgram();
        quit_ = false;
        break;
      case StepKind::Crash:
        // Nothing is shut down: what waits in memory is lost, as in a killed process.
        program_.reset();
        startProgram();
        break;
      case StepKind::SendWaiting:
        engine().menuWartendeDateien_Click();
        break;
      default:
        kalvero_.perform(step);
    }
  }

  const ReplayInputs& inputs_;
  std::ostream& out_;
  std::ostream& err_;
  MemorySettingsStore settings_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<RandomSource> random_;
  ConsolePrompts prompts_;
  ReplayKalvero kalvero_;
  PortableLocaleNumbers numbers_;
  Environment env_;
  std::unique_ptr<Program> program_;
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
