// The capture engine fed with arbitrary event streams from the fake CMM software: runs,
// commands of any type code with any IDs and values, text commands, ID lists, the
// operator's buttons and answers, the nest check box and the settings the capture reads.
// After every event the capture data must still be what the result writer relies on.
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "app/modGlobaleVariablen.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "output/ResultFileText.h"
#include "support/TestEnvironment.h"

namespace kvotlk::fuzz {
namespace {

// Checks every call the engine makes on its windows against the state it has set.
class CheckingView final : public CaptureView {
 public:
  explicit CheckingView(const modGlobaleVariablen& g) : g_(g) {}

  void prepareGrid() override { rows_ = 2; }
  void setGridRowCount(int rows) override {
    expect(rows >= 2, "das Raster behält Kopfzeile und eine Zeile");
    rows_ = rows;
  }
  void setGridCell(int row, int column, const std::string& /*text*/) override {
    expect(row >= 1 && row < rows_ && (column == 0 || column == 1),
           "eine Rasterzelle liegt im Raster");
  }
  void setCurrentProbe(const std::string& caption, bool /*repaintNow*/) override {
    // The load shows sample 0 before it resets the counter.
    expect(caption == (loading ? "0" : std::to_string(g_.intAnzStichproben)),
           "lblCurrentProbe zeigt den Zähler");
  }
  void setNumProbes(const std::string& caption) override {
    expect(caption == std::to_string(g_.intStichprobenumfang), "lblNumProbes zeigt den Umfang");
  }
  void setOrderProbenumfang(const std::string& text) override {
    expect(text == std::to_string(g_.intStichprobenumfang), "txt_Probenumfang zeigt den Umfang");
  }
  int orderNestState() override { return chkNest; }
  void showOrderWindow() override {
    expect(engine->state() == CaptureState::Closed, "das Auftragsfenster erst nach dem Schließen");
  }
  void closeWindow() override {
    expect(engine->state() == CaptureState::Closed, "das Fenster schließt nach der Erfassung");
  }

  int chkNest = kUnchecked;
  bool loading = false;
  const CaptureEngine* engine = nullptr;

 private:
  const modGlobaleVariablen& g_;
  int rows_ = 2;
};

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The capture data compared exactly (NaN included), to show that an event changed nothing.
bool sameCapture(const modGlobaleVariablen& a, const modGlobaleVariablen& b) {
  if (a.intAnzStichproben != b.intAnzStichproben || a.intAnzMerkmale != b.intAnzMerkmale ||
      a.arrStichproben.size() != b.arrStichproben.size()) {
    return false;
  }
  for (std::size_t j = 0; j < a.arrStichproben.size(); ++j) {
    const Stichprobe& x = a.arrStichproben[j];
    const Stichprobe& y = b.arrStichproben[j];
    if (x.strMerkmal != y.strMerkmal || x.dblMesswert.size() != y.dblMesswert.size()) {
      return false;
    }
    for (std::size_t i = 0; i < x.dblMesswert.size(); ++i) {
      if (!sameBits(x.dblMesswert[i], y.dblMesswert[i])) {
        return false;
      }
    }
  }
  return true;
}

std::size_t count(const std::string& text, std::string_view part) {
  std::size_t found = 0;
  for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) {
    ++found;
  }
  return found;
}

class CaptureFuzzer {
 public:
  explicit CaptureFuzzer(FuzzInput& input)
      : in_(input), view_(t_.g), engine_(t_.env, t_.g, view_, [this] { return writeResult(); }) {
    view_.engine = &engine_;
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
      const modGlobaleVariablen before = t_.g;
      const bool listening =
          engine_.state() == CaptureState::Ready || engine_.state() == CaptureState::Sampling;
      const Source source = event(in_.below(16));
      if (source == Source::OtherProgram) {
        expect(sameCapture(before, t_.g), "ein Ereignis eines anderen Programms ändert nichts");
      }
      if (source == Source::OurProgram && !listening) {
        expect(sameCapture(before, t_.g), "ohne Abonnement ändert ein Ereignis nichts");
      }
      checkState();
    }
  }

 private:
  // Where an event comes from: the CMM software running our program or another one, or
  // the operator.
  enum class Source { OurProgram, OtherProgram, Operator };

  Source event(std::size_t kind) {
    switch (kind) {
      case 0:
        app_->startExecution();
        return Source::OurProgram;
      case 1:
        app_->startExecution(other_);
        return Source::OtherProgram;
      case 2:
        app_->executeCommand(anyCommand());
        return Source::OurProgram;
      case 3:
        app_->executeCommand(ScriptedCommand::Text("ID", idListText()));
        return Source::OurProgram;
      case 4:
        app_->executeCommand(ScriptedCommand::Text("SchleifeAnfang", in_.text(4)));
        return Source::OurProgram;
      case 5:
        engine_.CmdLoeschen_Click();
        return Source::Operator;
      case 6:
        engine_.CmdSendData_Click();
        return Source::Operator;
      case 7:
        engine_.Form_Unload();
        return Source::Operator;
      case 8:
        view_.chkNest = static_cast<int>(in_.below(3));
        return Source::Operator;
      case 9:
        changeSetting();
        return Source::Operator;
      case 10:
        if (in_.byte() == 0xA5) {
          app_->life->goAwayAfter(static_cast<int>(in_.below(8)));
        }
        return Source::Operator;
      case 11:
        if (engine_.state() == CaptureState::Closed) {
          open();
        }
        return Source::Operator;
      case 12: {
        // Every read in its own statement: the order of function arguments is unspecified,
        // and an input must mean the same under every compiler.
        std::string id = in_.characteristicId();
        const double value = in_.value();
        app_->executeCommand(ScriptedCommand::Dimension(std::move(id), value, typeCode()));
        return Source::OurProgram;
      }
      case 13: {
        std::string id = in_.characteristicId();
        ScriptedCommand command = ScriptedCommand::Plain(184, std::move(id), field165());
        command.field662 = in_.value();
        app_->executeCommand(command);
        return Source::OurProgram;
      }
      case 14:
        app_->executeCommand(plainCommand());
        return Source::OurProgram;
      default:
        app_->executeCommand(anyCommand(), other_);
        return Source::OtherProgram;
    }
  }

  // What the order confirmation does before the capture window loads.
  void open() {
    ResetSamples(t_.g);
    t_.g.intStichprobenumfang = in_.flag() ? in_.int16() : static_cast<std::int16_t>(in_.below(6));
    initialSize_ = t_.g.intStichprobenumfang;
    view_.loading = true;
    engine_.Form_Load();
    view_.loading = false;
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

  std::int32_t typeCode() {
    static constexpr std::int32_t kCodes[] = {1, 2, 7, 184, 1000, 1001, 1200, 1201, 1209, 1299};
    const std::size_t choice = in_.below(std::size(kCodes) + 1);
    return choice < std::size(kCodes) ? kCodes[choice] : in_.int32();
  }

  std::int32_t field165() {
    static constexpr std::int32_t kFields[] = {0, 0, 1, 2, 4};
    const std::size_t choice = in_.below(std::size(kFields) + 1);
    return choice < std::size(kFields) ? kFields[choice] : in_.int32();
  }

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

  // The result writer's stand-in: the file text must agree with the data check, and a
  // written file must have the block structure line for line.
  bool writeResult() {
    const modGlobaleVariablen& g = t_.g;
    OrderForm form;
    form.chkNest = view_.chkNest;
    form.lblNestID = "N17";
    const auto problem = CaptureDataProblem(g);
    const auto text = ResultFileText(g, form, MakeValueFormat(in_.int16(), ","));
    expect(text.has_value() == !problem.has_value(), "geschrieben wird, was die Prüfung zulässt");
    if (text) {
      const auto n = static_cast<std::size_t>(g.intAnzStichproben);
      const auto m = static_cast<std::size_t>(g.intAnzMerkmale);
      const std::size_t lines = 8 + (NestIdInHead(g, form) ? 2 : 0) + m * (7 + n);
      expect(count(*text, "\r\n") == lines && count(*text, "\n") == lines &&
                 count(*text, "\r") == lines,
             "die Ergebnisdatei hat die Zeilen des Blockformats");
    }
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
    const Stichprobe& current = g.arrStichproben.back();
    expect(current.strMerkmal.size() >= static_cast<std::size_t>(g.intAnzMerkmale) + 1,
           "die aktuelle Stichprobe hält intAnzMerkmale Werte");
    expect(!g.arrIdListe.empty(), "die ID-Liste behält ihr Element 0");
    expect((g.blnBlockA || g.intPosInBlockA == 0) && g.intPosInBlockA >= 0,
           "die Position in Block A gilt nur im Block");
    expect((g.blnBlockB || g.intPosInBlockB == 0) && g.intPosInBlockB >= 0,
           "die Position in Block B gilt nur im Block");
    if (initialSize_ >= 0) {
      expect(g.intAnzStichproben <= g.intStichprobenumfang,
             "mehr Stichproben als vorgegeben nur nach der Frage");
    }
  }

  FuzzInput& in_;
  test::TestEnvironment t_;
  CheckingView view_;
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
