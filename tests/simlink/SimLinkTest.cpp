// The converter's link against a simulator on its own thread: events reaching the capture
// engine with their values, the run held by an open question, and a simulator that goes
// away and comes back. Three runs captured by a simulator process are in
// tests/tools/EndToEndTest.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <utility>

#include "capture/CaptureEngine.h"
#include "capture/CaptureMessages.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "program/ProgramExecutor.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

constexpr const char* kProgram =
    "Programm Welle.PRG\n"
    "Version \"Kalvero 9.1 Simulator\"\n"
    "Mass Merkmal=101 Messwert=Normal(10; 0,01)\n"
    "Befehl Typ=7 Id=Ebene\n"
    "Mass Merkmal=102 Messwert=Gleich(4; 5)\n";

// A run of kProgram sends the run start and one event per command.
constexpr std::int64_t kEventsPerRun = 4;

// Answers questions like a modal message box: its own event loop runs for 300 ms while it
// is open; whileOpen is called as it opens and as it closes.
class ModalPrompts final : public Prompts {
 public:
  ModalPrompts(ScriptedPrompts& record, std::function<void()> whileOpen)
      : record_(record), whileOpen_(std::move(whileOpen)) {}
  void showStop(const std::string& text) override { record_.showStop(text); }
  void showPlain(const std::string& text) override { record_.showPlain(text); }
  bool askYesNo(const std::string& text) override {
    whileOpen_();
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    whileOpen_();
    return record_.askYesNo(text);
  }

 private:
  ScriptedPrompts& record_;
  std::function<void()> whileOpen_;
};

struct LinkFixture : ::testing::Test {
  LinkFixture() : endpoint(uniqueEndpoint()), link(endpoint) {}

  void startSimulator() {
    sim = std::make_unique<ThreadedSim>(endpoint);
    sim->open(kProgram, 42);
  }
  // Order confirmation's two steps; true when both succeed.
  bool attach() { return ConnectToKvo(link.env, link.t.g) && GetOpenPartProg(link.t.g); }
  // A simulator, the order confirmed and the capture window open.
  void startCapture(std::int16_t sampleSize = 3) {
    startSimulator();
    ASSERT_TRUE(attach());
    link.t.g.intStichprobenumfang = sampleSize;
    engine = std::make_unique<CaptureEngine>(link.env, link.t.g, view, [this] {
      writtenSamples = link.t.g.intAnzStichproben;
      return true;
    });
    engine->Form_Load();
    ASSERT_TRUE(waitUntil([this] { return sim->subscribers() == 1; }));
  }
  bool runsDone(std::int64_t events) {
    return waitUntil([this, events] { return !sim->running() && sim->eventsSent() == events; });
  }
  std::vector<ScriptedCommand> expectedRun(std::uint64_t run) const {
    return program::ProgramExecutor(parseOrFail(kProgram), 42).run(run);
  }

  std::string endpoint;
  LinkEnvironment link;
  std::unique_ptr<ThreadedSim> sim;
  NullCaptureView view;
  std::unique_ptr<CaptureEngine> engine;
  // The sample count the result writer saw; -1 before it was called.
  int writtenSamples = -1;
};

TEST_F(LinkFixture, AnOpenQuestionHoldsTheRun) {
  startSimulator();
  ASSERT_TRUE(attach());
  std::vector<std::int64_t> sentWhileOpen;
  ModalPrompts prompts(link.t.prompts,
                       [this, &sentWhileOpen] { sentWhileOpen.push_back(sim->eventsSent()); });
  Environment modal{link.t.settings, link.t.files,   link.t.clock,    link.t.random,
                    prompts,         link.t.numbers, *link.connector, link.env.programFolder};
  link.t.prompts.answers = {true};
  link.t.g.intStichprobenumfang = 1;
  CaptureEngine held(modal, link.t.g, view, [] { return true; });
  held.Form_Load();
  ASSERT_TRUE(waitUntil([this] { return sim->subscribers() == 1; }));
  sim->execute(2);
  ASSERT_TRUE(runsDone(2 * kEventsPerRun));
  // The question came with the start of run 2, the fifth event; nothing followed it while
  // the question was open, and the run went on after the answer.
  EXPECT_EQ(sentWhileOpen, (std::vector<std::int64_t>{5, 5}));
  ASSERT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.prompts.shown[0].text, IncreaseQuestion());
  EXPECT_EQ(link.t.g.intAnzStichproben, 2);
  EXPECT_EQ(sampleText(link.t.g, 2), dimensionText(expectedRun(2)));
}

// A simulator that quits mid-run is
// SimRecovery.AfterARestartTheNextOrderCapturesFromTheNewSimulator (tests/reliability).
TEST_F(LinkFixture, ASimulatorThatQuitsBetweenRunsIsNoticedAtOnce) {
  startCapture();
  sim->execute(1);
  ASSERT_TRUE(runsDone(kEventsPerRun));
  sim->quit();
  ASSERT_TRUE(waitUntil([this] { return engine->state() == CaptureState::Halted; }));
  spin(100);
  ASSERT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.prompts.shown[0].text, LostLinkMessage());
  EXPECT_EQ(link.t.g.KvoApp->AppVersionText(), std::nullopt);
  EXPECT_EQ(link.t.g.KvoApp->CurrentPartProg(), std::nullopt);
  EXPECT_EQ(link.t.g.KvoPartProg->PartProgName(), std::nullopt);
  // What was captured can still be sent.
  engine->CmdSendData_Click();
  EXPECT_EQ(writtenSamples, 1);
  EXPECT_EQ(engine->state(), CaptureState::Closed);
}

TEST_F(LinkFixture, AClosedCaptureHearsNothingWhenTheSimulatorQuits) {
  startCapture();
  engine->Form_Unload();
  ASSERT_TRUE(waitUntil([this] { return sim->subscribers() == 0; }));
  sim->quit();
  spin(100);
  EXPECT_TRUE(link.t.prompts.shown.empty());
}

TEST_F(LinkFixture, OrderConfirmationWaitsForASimulatorAndAttachesToTheNewOne) {
  OrderForm form = ValidOrderForm();
  link.t.g.strStandardDir = link.env.programFolder;
  link.t.g.varLaengeArtikelNr = "8";
  link.t.g.strNestIDVerwenden = "0";
  // The message refusing the order; empty when it is confirmed.
  const auto confirm = [this, &form] {
    const auto refused = ConfirmOrder(link.env, link.t.g, form);
    return refused ? refused->message : std::string();
  };
  const std::string notStarted = "Kalvero muss zuerst gestartet sein.";
  EXPECT_EQ(confirm(), notStarted);
  startSimulator();
  EXPECT_EQ(confirm(), "");
  sim->with([](sim::SimServer& server) { server.closeProgram(); });
  EXPECT_EQ(confirm(), "Kalvero Messprogramm muss zuerst geöffnet sein.");
  sim->open(kProgram);
  EXPECT_EQ(confirm(), "");
  const auto firstApp = link.t.g.KvoApp;
  sim->quit();
  spin(50);
  EXPECT_EQ(confirm(), notStarted);

  startSimulator();
  EXPECT_EQ(confirm(), "");
  EXPECT_NE(link.t.g.KvoApp, firstApp);
  EXPECT_EQ(link.t.g.strMessprogrammName, "Welle");
}

TEST_F(LinkFixture, ReleasingTheObjectsEndsTheConnection) {
  startCapture(1);
  engine.reset();
  ReleaseKvoObjects(link.t.g);
  EXPECT_TRUE(waitUntil([this] { return sim->connections() == 0; }));
}

}  // namespace
}  // namespace kvotlk::test
