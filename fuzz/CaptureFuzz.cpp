// The capture engine fed with arbitrary event streams from the fake CMM software: runs,
// commands of any type code with any IDs, values and text commands, the operator's buttons
// and answers, the nest check box and the settings the capture reads. After every event
// the capture data must still be what the result writer relies on.
#include "FuzzInput.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "common/NumberFormat.h"
#include "common/Text.h"
#include "entry/OrderConfirmation.h"
#include "kalvero/modKVOFunctions.h"
#include "output/ResultFileText.h"
#include "state/OrderForm.h"
#include "support/TestEnvironment.h"

namespace kvotlk::fuzz {
namespace {

// The result file of the data, checked against CaptureDataProblem: written exactly when it
// finds nothing, and then with the lines of the block format, every line ending in CR LF
// and every value line the value as FormatFixed writes it.
void checkResultFile(const modGlobaleVariablen& g, const OrderForm& form,
                     const ValueFormat& format) {
  const auto text = ResultFileText(g, form, format);
  expect(text.has_value() == !CaptureDataProblem(g).has_value(),
         "geschrieben wird, was die Prüfung zulässt");
  if (!text) {
    return;
  }
  expect(text->ends_with("\r\n"), "jede Zeile endet mit CR LF");
  std::vector<std::string> lines;
  for (std::size_t start = 0, end = 0; (end = text->find("\r\n", start)) != text->npos;
       start = end + 2) {
    lines.push_back(text->substr(start, end - start));
    expect(lines.back().find_first_of("\r\n") == std::string::npos, "keine Zeile bricht um");
  }
  const auto n = static_cast<std::size_t>(g.intAnzStichproben);
  const auto m = static_cast<std::size_t>(g.intAnzMerkmale);
  std::size_t at = 7 + (NestIdInHead(g, form) ? 2 : 0);
  expect(lines.size() == at + m * (7 + n) + 1, "die Datei hat die Zeilen des Blockformats");
  for (std::size_t i = 1; i <= m; ++i, at += 7 + n) {
    expect(lines[at] == "UMFANG=" + DecimalText(static_cast<long long>(n)), "UMFANG=n");
    expect(lines[at + 1] == "MERKMAL=" + toCp1252(g.arrStichproben[1].strMerkmal[i]),
           "MERKMAL= mit der ID aus Stichprobe 1");
    for (std::size_t j = 1; j <= n; ++j) {
      const double value = g.arrStichproben[j].dblMesswert[i];
      expect(lines[at + 3 + j] == toCp1252(FormatFixed(value, format.decimals, format.separator)),
             "die Wertzeile ist der gerundete Wert");
    }
  }
}

class CaptureFuzzer {
 public:
  explicit CaptureFuzzer(FuzzInput& input) : in_(input), engine_(t_.env, t_.g, order_) {
    order_.send = [this] { return writeResult(); };
    app_ = t_.kalvero.start();
    app_->openPartProgram("Welle.kvp");
    other_ = app_->makePartProgram("Nabe.kvp");
    ConnectToKvo(t_.env, t_.g);
    GetOpenPartProg(t_.g);
    t_.g.strNestnummer = in_.text(3);
    t_.g.intNestnummerAmMerkmal = static_cast<std::int16_t>(in_.below(3));
    open();
  }

  // Each event: the two answers the next questions get, then its kind and its data.
  void run() {
    while (!in_.empty()) {
      t_.prompts.answers = {in_.flag(), in_.flag()};
      event(in_.below(11));
      checkState();
    }
  }

 private:
  void event(std::size_t kind) {
    switch (kind) {
      case 0:
        return app_->startExecution();
      case 1:
        return app_->startExecution(other_);
      case 2:
        return app_->executeCommand(command());
      case 3:
        return app_->executeCommand(command(), other_);
      case 4:
        return engine_.CmdLoeschen_Click();
      case 5:
        return engine_.CmdSendData_Click();
      case 6:
        engine_.Form_Unload();
        return;
      case 7:
        order_.chkNest = static_cast<int>(in_.below(3));
        return;
      case 8: {
        static const std::vector<std::string> kValues = {"0", "1",     "",  "ja", "1,0",   "2",
                                                         "6", "32767", "x", "-1", "100000"};
        const char* name = in_.flag() ? "SCHLEIFE" : "IdLaenge";
        return t_.setSetting(name, kValues[in_.below(kValues.size())]);
      }
      case 9:
        // Rarely: after that, nothing but the halted capture is left to try.
        if (in_.byte() == 0xA5) {
          app_->life->goAwayAfter(static_cast<int>(in_.below(8)));
        }
        return;
      default:
        if (engine_.state() == CaptureState::Closed) {
          open();
        }
    }
  }

  // What the order confirmation does before the capture window loads.
  void open() {
    ResetSamples(t_.g);
    t_.g.intStichprobenumfang = in_.flag() ? in_.int16() : static_cast<std::int16_t>(in_.below(6));
    initialSize_ = t_.g.intStichprobenumfang;
    engine_.Form_Load(view_);
  }

  // Every read in its own statement: the order of function arguments is unspecified, and
  // an input must mean the same under every compiler. Type code, ID, field 165, then a
  // dimension, a text command (ID list, loop start or any name) and field 662, each maybe.
  CommandRecord command() {
    static const std::int32_t kCodes[] = {0, 1, 2, 7, 184, 1000, 1001, 1200, 1201, 1209, 1299};
    static const std::vector<std::string> kNames = {"ID", "SchleifeAnfang", "schleifeanfang"};
    CommandRecord command;
    const std::size_t code = in_.below(std::size(kCodes) + 1);
    command.CmdTypeCode = code < std::size(kCodes) ? kCodes[code] : in_.int32();
    command.CmdIdText = in_.characteristicId();
    command.field165 = static_cast<std::int32_t>(in_.below(5));
    if (in_.flag()) {
      command.dimension = DimensionRecord{in_.characteristicId(), in_.value(), in_.value()};
    }
    if (in_.flag()) {
      const std::size_t name = in_.below(kNames.size() + 1);
      command.textCmd = TextCmdRecord{name < kNames.size() ? kNames[name] : in_.text(8), ""};
      for (std::size_t i = 0, entries = in_.below(6); i < entries; ++i) {
        command.textCmd->TextCmdText += (i > 0 ? "," : "") + in_.characteristicId();
      }
    }
    command.field662 = in_.value();
    return command;
  }

  // The result writer's stand-in: what it would write is checked line for line, and the
  // writing succeeds or fails as the next byte says.
  bool writeResult() {
    OrderForm form;
    form.chkNest = order_.chkNest;
    form.lblNestID = "N17";
    const std::int16_t decimals = in_.int16();
    checkResultFile(t_.g, form, MakeValueFormat(decimals, in_.flag() ? "," : "."));
    return in_.flag();
  }

  void checkState() const {
    const modGlobaleVariablen& g = t_.g;
    expect(g.intAnzStichproben >= 0 && g.intAnzMerkmale >= 0 &&
               g.arrStichproben.size() == static_cast<std::size_t>(g.intAnzStichproben) + 1,
           "die Zähler sind nicht negativ, arrStichproben hat intAnzStichproben + 1 Elemente");
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
  test::TestCaptureOrder order_;
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
