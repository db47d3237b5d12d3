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

std::unique_ptr<Clock> makeClock(const ReplayOptions& options) {
  if (options.fixedTime) {
    return std::make_unique<FixedTimeClock>(*options.fixedTime);
  }
  return makeSystemClock();
}

std::unique_ptr<RandomSource> makeRandom(const ReplayOptions& options) {
  if (options.nameSeed) {
    return std::make_unique<SeededRandom>(*options.nameSeed);
  }
  return makeSystemRandom();
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
  Replay(const ReplayInputs& inputs, std::ostream& out, std::ostream& err)
      : inputs_(inputs),
        out_(out),
        err_(err),
        files_(makeFileSystem()),
        clock_(makeClock(inputs.options)),
        random_(makeRandom(inputs.options)),
        prompts_(err, inputs.options.increaseAnswer, inputs.options.measureMoreAnswer),
        numbers_(makeNumbers(inputs.options.numbers)),
        env_{settings_, *files_,  *clock_,  *random_,
             prompts_,  numbers_, kalvero_, inputs.programFolder},
        form_(inputs.order.form),
        view_(form_) {
    loadSettings(settings_, inputs.settings);
  }

  int run() {
    const OrderLists lists = loadMainWindow();
    if (!checkSelections(lists)) {
      return kInputError;
    }
    enterNestNumber();
    startKalvero();
    const int code = confirmAndCapture();
    ShutDown(env_, g_);
    out_ << outcomeText(code) << '\n' << std::flush;
    return code;
  }

 private:
  struct OrderLists {
    std::vector<std::string> combo_Pruefer;
    std::vector<std::string> Combo_Maschine;
  };

  // The main window's load, as far as it concerns the job: the run-time copies of the
  // settings, the leftover handoff file, and the two lists (a missing catalogue shows its
  // message).
  OrderLists loadMainWindow() {
    ReadStartSettings(env_, g_);
    DeleteLeftoverValuesFile(env_, g_);
    ReadNestIDVerwenden(env_, g_);
    OrderLists lists;
    lists.combo_Pruefer = ReadCatalogForList(env_, Catalog::Pruefer);
    lists.Combo_Maschine = ReadCatalogForList(env_, Catalog::Maschine);
    return lists;
  }

  // A selection must be one of the entries the list was filled with, exactly.
  bool checkSelection(const std::optional<std::string>& selection, int line,
                      const std::vector<std::string>& entries, const char* control,
                      Catalog catalog) {
    if (!selection || std::find(entries.begin(), entries.end(), *selection) != entries.end()) {
      return true;
    }
    const std::string path = CatalogPath(env_.programFolder, catalog);
    const InputFileError error{
        inputs_.options.orderFile, line,
        std::string("\"") + control + "\": \"" + *selection + "\" ist kein Eintrag der Liste. " +
            (entries.empty()
                 ? "Die Liste ist leer, der Katalog " + path + " fehlt oder ist leer."
                 : "Die Liste zeigt die Zeilen von " + path + " genau so, wie sie dort stehen.")};
    err_ << "FEHLER: " << error.text() << '\n' << std::flush;
    return false;
  }

  bool checkSelections(const OrderLists& lists) {
    const OrderInput& order = inputs_.order;
    return checkSelection(form_.combo_Pruefer, order.comboPrueferLine, lists.combo_Pruefer,
                          "combo_Prüfer", Catalog::Pruefer) &&
           checkSelection(form_.Combo_Maschine, order.comboMaschineLine, lists.Combo_Maschine,
                          "Combo_Maschine", Catalog::Maschine);
  }

  // As the operator enters it: the box is ticked (which enables the nest number), the
  // number typed (each edit looks up the nest ID), and the box cleared again when the
  // order says so (which empties the nest-ID label).
  void enterNestNumber() {
    const int wanted = form_.chkNest;
    const std::string typed = form_.txt_Nestnummer;
    form_.chkNest = kChecked;
    form_.txt_Nestnummer.clear();
    NestCheckBoxClicked(form_);
    form_.txt_Nestnummer = typed;
    NestNumberChanged(env_, g_, form_);
    if (wanted != kChecked) {
      form_.chkNest = wanted;
      NestCheckBoxClicked(form_);
    }
  }

  void startKalvero() {
    app_ = kalvero_.start();
    if (inputs_.program) {
      app_->versionText = inputs_.program->versionText;
      app_->openPartProgram(inputs_.program->partProgName);
    }
  }

  int confirmAndCapture() {
    if (const auto failure = ConfirmOrder(env_, g_, form_)) {
      ShowOrderFailure(prompts_, *failure);
      return kOrderRefused;
    }
    SaveOrderValues(env_, g_, form_);
    ResetSamples(g_);
    CaptureEngine engine(env_, g_, view_, [this] { return writeResultFile(); });
    engine.Form_Load();
    ReadNestnummerAmMerkmal(env_, g_);
    executeRuns(engine);
    if (engine.state() == CaptureState::Closed) {
      return kCaptureEnded;
    }
    engine.CmdSendData_Click();
    if (!written_) {
      return kNotSent;
    }
    return copyFailed_ ? kNotDelivered : kDelivered;
  }

  void executeRuns(const CaptureEngine& engine) {
    if (!inputs_.program) {
      return;
    }
    const program::ProgramExecutor executor(
        *inputs_.program, program::chooseSeed(*inputs_.program, inputs_.options.seed));
    for (std::int64_t run = 1; run <= inputs_.options.runs; ++run) {
      // An ID message closed the capture: the job ends here.
      if (engine.state() == CaptureState::Closed) {
        return;
      }
      const auto commands = executor.run(static_cast<std::uint64_t>(run));
      if (inputs_.options.verbose) {
        out_ << "Lauf " << run << '\n' << std::flush;
      }
      app_->startExecution();
      for (const ScriptedCommand& command : commands) {
        if (inputs_.options.verbose) {
          out_ << "  " << program::describeExecuted(command) << '\n' << std::flush;
        }
        app_->executeCommand(command);
      }
    }
  }

  // The send of the capture window; a failed copy shows its own message.
  bool writeResultFile() {
    const std::size_t stopsBefore = prompts_.stops().size();
    written_ = WriteResultFile(env_, g_, form_);
    const std::string copyFailed = MessageCopyFailed(StagingFolderOf(env_.programFolder));
    const auto& stops = prompts_.stops();
    copyFailed_ = std::find(stops.begin() + static_cast<std::ptrdiff_t>(stopsBefore), stops.end(),
                            copyFailed) != stops.end();
    return written_;
  }

  const ReplayInputs& inputs_;
  std::ostream& out_;
  std::ostream& err_;
  MemorySettingsStore settings_;
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<RandomSource> random_;
  ConsolePrompts prompts_;
  PortableLocaleNumbers numbers_;
  FakeKvoConnector kalvero_;
  Environment env_;
  modGlobaleVariablen g_;
  OrderForm form_;
  ReplayView view_;
  std::shared_ptr<FakeKvoApplication> app_;
  bool written_ = false;
  bool copyFailed_ = false;
};

}  // namespace

int RunReplay(const ReplayInputs& inputs, std::ostream& out, std::ostream& err) {
  Replay replay(inputs, out, err);
  return replay.run();
}

}  // namespace kvotlk::replay
