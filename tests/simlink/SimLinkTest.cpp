// The converter's link against a simulator on its own thread: attaching, the calls, events
// reaching the capture engine with their values, the run held by an open question, and a
// simulator that goes away and comes back.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "capture/CaptureEngine.h"
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

constexpr const char* kLostLink =
    "Kalvero antwortet nicht mehr.\r\n"
    "Die Erfassung wurde angehalten; es werden keine weiteren Messwerte übernommen.\r\n"
    "Die bisher erfassten Messwerte bleiben erhalten und können übertragen werden.";

constexpr const char* kIncreaseQuestion =
    "Vordefinierte Anzahl von Stichproben wurde bereits gemessen.\r\n"
    "Soll die Stichprobenanzahl erhöht werden?";

// Answers questions like a modal message box: its own event loop runs while it is open.
class ModalPrompts final : public Prompts {
 public:
  explicit ModalPrompts(ScriptedPrompts& record) : record_(record) {}
  void showStop(const std::string& text) override { record_.showStop(text); }
  void showPlain(const std::string& text) override { record_.showPlain(text); }
  bool askYesNo(const std::string& text) override {
    if (whileOpen) {
      whileOpen();
    }
    QEventLoop loop;
    QTimer::singleShot(openMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (whileOpen) {
      whileOpen();
    }
    return record_.askYesNo(text);
  }

  int openMs = 300;
  std::function<void()> whileOpen;

 private:
  ScriptedPrompts& record_;
};

struct LinkFixture : ::testing::Test {
  LinkFixture() : endpoint(uniqueEndpoint()), link(endpoint) {}

  void startSimulator() {
    sim = std::make_unique<ThreadedSim>(endpoint);
    sim->open(kProgram, 42);
  }
  // Order confirmation's two steps; true when both succeed.
  bool attach() { return ConnectToKvo(link.env, link.t.g) && GetOpenPartProg(link.t.g); }
  void openCapture(std::int16_t sampleSize) {
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

TEST_F(LinkFixture, AttachesExactlyWhileASimulatorRuns) {
  EXPECT_FALSE(ConnectToKvo(link.env, link.t.g));
  startSimulator();
  ASSERT_TRUE(attach());
  EXPECT_EQ(link.t.g.strMessprogrammName, "Welle");
  EXPECT_EQ(link.t.g.KvoApp->AppVersionText(), "Kalvero 9.1 Simulator");
  sim->with([](sim::SimServer& server) { server.closeProgram(); });
  EXPECT_TRUE(ConnectToKvo(link.env, link.t.g));
  EXPECT_FALSE(GetOpenPartProg(link.t.g));
  EXPECT_EQ(link.t.g.strMessprogrammName, "");
  sim->open(kProgram);
  EXPECT_TRUE(GetOpenPartProg(link.t.g));
}

TEST_F(LinkFixture, EventsReachTheCaptureWithTheirValues) {
  startSimulator();
  ASSERT_TRUE(attach());
  openCapture(3);
  sim->execute(3);
  ASSERT_TRUE(runsDone(3 * 4));
  ASSERT_EQ(link.t.g.intAnzStichproben, 3);
  for (std::uint64_t run = 1; run <= 3; ++run) {
    EXPECT_EQ(sampleText(link.t.g, run), dimensionText(expectedRun(run)));
  }
  EXPECT_EQ(engine->state(), CaptureState::Sampling);
  EXPECT_TRUE(link.t.prompts.shown.empty());
}

TEST_F(LinkFixture, AnOpenQuestionHoldsTheRun) {
  startSimulator();
  ASSERT_TRUE(attach());
  ModalPrompts prompts(link.t.prompts);
  Environment modal{link.t.settings, link.t.files,   link.t.clock,    link.t.random,
                    prompts,         link.t.numbers, *link.connector, link.env.programFolder};
  std::vector<std::int64_t> sentWhileOpen;
  prompts.whileOpen = [this, &sentWhileOpen] { sentWhileOpen.push_back(sim->eventsSent()); };
  link.t.prompts.answers = {true};
  link.t.g.intStichprobenumfang = 1;
  CaptureEngine held(modal, link.t.g, view, [] { return true; });
  held.Form_Load();
  ASSERT_TRUE(waitUntil([this] { return sim->subscribers() == 1; }));
  sim->execute(2);
  ASSERT_TRUE(runsDone(2 * 4));
  // The question came with the start of run 2, the fifth event; nothing followed it while
  // the question was open, and the run went on after the answer.
  EXPECT_EQ(sentWhileOpen, (std::vector<std::int64_t>{5, 5}));
  ASSERT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.prompts.shown[0].text, kIncreaseQuestion);
  EXPECT_EQ(link.t.g.intAnzStichproben, 2);
  EXPECT_EQ(sampleText(link.t.g, 2), dimensionText(expectedRun(2)));
}

TEST_F(LinkFixture, ASimulatorThatQuitsMidRunHaltsTheCaptureWithOneMessage) {
  startSimulator();
  sim->with([](sim::SimServer& server) { server.setPause(20); });
  ASSERT_TRUE(attach());
  openCapture(3);
  sim->execute(3);
  ASSERT_TRUE(waitUntil(
      [this] { return link.t.g.intAnzStichproben == 2 && link.t.g.intAnzMerkmale >= 1; }));
  sim->quit();
  ASSERT_TRUE(waitUntil([this] { return engine->state() == CaptureState::Halted; }));
  spin(100);
  ASSERT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.prompts.shown[0].text, kLostLink);
  EXPECT_EQ(sampleText(link.t.g, 1), dimensionText(expectedRun(1)));
  EXPECT_EQ(link.t.g.KvoApp->AppVersionText(), std::nullopt);
  EXPECT_EQ(link.t.g.KvoApp->CurrentPartProg(), std::nullopt);
  EXPECT_EQ(link.t.g.KvoPartProg->PartProgName(), std::nullopt);

  // What was captured can still be sent.
  engine->CmdSendData_Click();
  EXPECT_EQ(writtenSamples, 2);
  EXPECT_EQ(engine->state(), CaptureState::Closed);
  EXPECT_FALSE(ConnectToKvo(link.env, link.t.g));
}

TEST_F(LinkFixture, ASimulatorThatQuitsBetweenRunsIsNoticedAtOnce) {
  startSimulator();
  ASSERT_TRUE(attach());
  openCapture(3);
  sim->execute(1);
  ASSERT_TRUE(runsDone(4));
  sim->quit();
  ASSERT_TRUE(waitUntil([this] { return engine->state() == CaptureState::Halted; }));
  spin(100);
  EXPECT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.g.intAnzStichproben, 1);
}

TEST_F(LinkFixture, AClosedCaptureHearsNothingWhenTheSimulatorQuits) {
  startSimulator();
  ASSERT_TRUE(attach());
  openCapture(3);
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
  const auto started = ConfirmOrder(link.env, link.t.g, form);
  ASSERT_TRUE(started);
  EXPECT_EQ(started->message, "Kalvero muss zuerst gestartet sein.");

  startSimulator();
  EXPECT_EQ(ConfirmOrder(link.env, link.t.g, form), std::nullopt);
  const auto firstApp = link.t.g.KvoApp;
  sim->quit();
  spin(50);
  const auto gone = ConfirmOrder(link.env, link.t.g, form);
  ASSERT_TRUE(gone);
  EXPECT_EQ(gone->message, "Kalvero muss zuerst gestartet sein.");

  startSimulator();
  EXPECT_EQ(ConfirmOrder(link.env, link.t.g, form), std::nullopt);
  EXPECT_NE(link.t.g.KvoApp, firstApp);
  EXPECT_EQ(link.t.g.strMessprogrammName, "Welle");
}

TEST_F(LinkFixture, ReleasingTheObjectsEndsTheConnection) {
  startSimulator();
  ASSERT_TRUE(attach());
  openCapture(1);
  engine.reset();
  ReleaseKvoObjects(link.t.g);
  EXPECT_TRUE(waitUntil([this] {
    int clients = -1;
    sim->with([&clients](sim::SimServer& server) { clients = server.connections(); });
    return clients == 0;
  }));
}

}  // namespace
}  // namespace kvotlk::test
