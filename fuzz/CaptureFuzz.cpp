// The capture engine fed with arbitrary event streams from the fake CMM software: runs,
// commands of any type code with any IDs and values, text commands, ID lists, the
// operator's buttons and answers, the nest check box and the settings the capture reads.
// After every event the capture data must still be what the result writer relies on.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "output/ResultFileText.h"
#include "support/TestEnvironment.h"

namespace kvotlk::fuzz {
namespace {

class CaptureFuzzer {
 public:
  explicit CaptureFuzzer(FuzzInput& input)
      : in_(input), engine_(t_.env, t_.g, view_, [this] { return writeResult(); }) {
    app_ = t_.kalvero.start();
    app_->openPartProgram("Welle.kvp");
    other_ = app_->makePartProgram("Nabe.kvp");
    ConnectToKvo(t_.env, t_.g);
    GetOpenPartProg(t_.g);
    t_.g.strNestnummer = in_.flag() ? "3" : in_.text(3);
    t_.g.intNestnummerAmMerkmal = static_cast<std::int16_t>(in_.below(3));
    changeSetting();
    changeSetting();
    open();
  }

  void run() {
    while (!in_.empty()) {
      t_.prompts.answers = {in_.flag(), in_.flag()};
      event(in_.below(16));
      checkState();
    }
  }

 private:
  // Every read in its own statement: the order of function arguments is unspecified, and
  // an input must mean the same under every compiler.
  void event(std::size_t kind) {
    switch (kind) {
      case 0:
        return app_->startExecution();
      case 1:
        return app_->startExecution(other_);
      case 2:
        return app_->executeCommand(anyCommand());
      case 3:
        return app_->executeCommand(ScriptedCommand::Text("ID", idListText()));
      case 4:
        return app_->executeCommand(ScriptedCommand::Text("SchleifeAnfang", in_.text(4)));
      case 5:
        return engine_.CmdLoeschen_Click();
      case 6:
        return engine_.CmdSendData_Click();
      case 7:
        return engine_.Form_Unload();
      case 8:
        view_.chkNest = static_cast<int>(in_.below(3));
        return;
      case 9:
        return changeSetting();
      case 10:
        if (in_.byte() == 0xA5) {
          app_->life->goAwayAfter(static_cast<int>(in_.below(8)));
        }
        return;
      case 11:
        if (engine_.state() == CaptureState::Closed) {
          open();
        }
        return;
      case 12: {
        std::string id = in_.characteristicId();
        const double value = in_.value();
        return app_->executeCommand(ScriptedCommand::Dimension(std::move(id), value, typeCode()));
      }
      case 13: {
        std::string id = in_.characteristicId();
        ScriptedCommand command = ScriptedCommand::Plain(184, std::move(id), field165());
        command.field662 = in_.value();
        return app_->executeCommand(command);
      }
      case 14:
        return app_->executeCommand(plainCommand());
      default:
        return app_->executeCommand(anyCommand(), other_);
    }
  }

  // What the order confirmation does before the capture window loads.
  void open() {
    ResetSamples(t_.g);
    t_.g.intStichprobenumfang = in_.flag() ? in_.int16() : static_cast<std::int16_t>(in_.below(6));
    initialSize_ = t_.g.intStichprobenumfang;
    engine_.Form_Load();
  }

  void changeSetting() {
    static const std::vector<std::string> kLoop = {"0", "1", "", "ja", "1,0", "01", "2"};
    static const std::vector<std::string> kIdLength = {"6", "0", "-1",     "32767",
                                                       "x", "3", "-32768", "100000"};
    if (in_.flag()) {
      t_.setSetting("SCHLEIFE", kLoop[in_.below(kLoop.size())]);
    } else {
      t_.setSetting("IdLaenge", kIdLength[in_.below(kIdLength.size())]);
    }
  }

  // One of the codes, or for the choice past them any 32-bit number.
  template <std::size_t N>
  std::int32_t codeOf(const std::int32_t (&codes)[N]) {
    const std::size_t choice = in_.below(N + 1);
    return choice < N ? codes[choice] : in_.int32();
  }
  std::int32_t typeCode() { return codeOf({1, 2, 7, 184, 1000, 1001, 1200, 1201, 1209, 1299}); }
  std::int32_t field165() { return codeOf({0, 0, 1, 2, 4}); }

  std::string idListText() {
    if (in_.flag()) {
      return in_.text(40);
    }
    std::string text;
    const std::size_t entries = in_.below(6);
    for (std::size_t i = 0; i < entries; ++i) {
      text += (i > 0 ? "," : "") + in_.characteristicId();
    }
    return text;
  }

  ScriptedCommand plainCommand() {
    const std::int32_t code = typeCode();
    std::string id = in_.characteristicId();
    return ScriptedCommand::Plain(code, std::move(id), field165());
  }

  ScriptedCommand anyCommand() {
    static const std::vector<std::string> kNames = {"ID", "SchleifeAnfang", "schleifeanfang",
                                                    "Kommentar"};
    ScriptedCommand command = plainCommand();
    if (in_.flag()) {
      command.dimension = ScriptedDimension{in_.characteristicId(), in_.value(), in_.value()};
    }
    if (in_.flag()) {
      const std::size_t name = in_.below(kNames.size() + 1);
      command.textCmd =
          ScriptedTextCmd{name < kNames.size() ? kNames[name] : in_.text(8), idListText()};
    }
    command.field662 = in_.value();
    return command;
  }

  // The result writer's stand-in: what it would write is checked line for line, and the
  // writing succeeds or fails as the next byte says.
  bool writeResult() {
    OrderForm form;
    form.chkNest = view_.chkNest;
    form.lblNestID = "N17";
    checkResultFile(t_.g, form, MakeValueFormat(in_.int16(), ","));
    return in_.flag();
  }

  void checkState() const {
    const modGlobaleVariablen& g = t_.g;
    expect(g.intAnzStichproben >= 0 && g.intAnzMerkmale >= 0, "die Zähler sind nicht negativ");
    expect(g.arrStichproben.size() == static_cast<std::size_t>(g.intAnzStichproben) + 1,
           "arrStichproben hat intAnzStichproben + 1 Elemente");
    for (const Stichprobe& sample : g.arrStichproben) {
      expect(sample.strMerkmal.size() == sample.dblMesswert.size() && !sample.strMerkmal.empty(),
             "die beiden Listen einer Stichprobe sind gleich lang");
    }
    expect(g.arrStichproben.back().strMerkmal.size() > static_cast<std::size_t>(g.intAnzMerkmale),
           "die aktuelle Stichprobe hält intAnzMerkmale Werte");
    expect(!g.arrIdListe.empty(), "die ID-Liste behält ihr Element 0");
    expect(initialSize_ < 0 || g.intAnzStichproben <= g.intStichprobenumfang,
           "mehr Stichproben als vorgegeben nur nach der Frage");
  }

  FuzzInput& in_;
  test::TestEnvironment t_;
  NullCaptureView view_;
  CaptureEngine engine_;
  std::shared_ptr<FakeKvoApplication> app_;
  std::shared_ptr<FakePartProgram> other_;
  std::int16_t initialSize_ = 0;
};

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvotlk::fuzz::FuzzInput input(data, size);
  kvotlk::fuzz::CaptureFuzzer fuzzer(input);
  fuzzer.run();
  return 0;
}
