// The simulated CMM software line by line: greeting, calls, events that wait for every
// subscriber's acknowledgement, the log of what was sent, and peers that misbehave.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "simlink/RawClient.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

using simlink::Fields;

constexpr const char* kProgram =
    "Programm A.PRG\nVersion \"Kalvero 7\"\nMass Merkmal=7 Messwert=1,5\nBlockA Id=100\n";

struct ServerFixture : ::testing::Test {
  ServerFixture() : endpoint(uniqueEndpoint()), server(endpoint) {
    server.onLog = [this](const std::string& line) { log.push_back(line); };
    std::string reason;
    EXPECT_TRUE(server.listen(reason)) << reason;
  }

  std::unique_ptr<RawClient> client() {
    auto raw = std::make_unique<RawClient>(endpoint);
    EXPECT_EQ(raw->next(), (Fields{"HELLO", "1", "kalvero-sim"}));
    return raw;
  }
  std::unique_ptr<RawClient> subscriber() {
    auto raw = client();
    EXPECT_EQ(raw->call("s", {"Subscribe"}), (Fields{"REPLY", "s", "OK"}));
    return raw;
  }
  void open() { server.openProgram(parseOrFail(kProgram), "a.kmp"); }

  std::string endpoint;
  sim::SimServer server;
  std::vector<std::string> log;
};

TEST_F(ServerFixture, AnswersTheCallsOfTheConverter) {
  auto raw = client();
  EXPECT_EQ(raw->call("1", {"AppVersionText"}),
            (Fields{"REPLY", "1", "OK", "Kalvero-Simulator 1.0"}));
  EXPECT_EQ(raw->call("2", {"CurrentPartProg"}), (Fields{"REPLY", "2", "OK", "0"}));
  open();
  EXPECT_EQ(raw->call("3", {"AppVersionText"}), (Fields{"REPLY", "3", "OK", "Kalvero 7"}));
  EXPECT_EQ(raw->call("4", {"CurrentPartProg"}), (Fields{"REPLY", "4", "OK", "1"}));
  EXPECT_EQ(raw->call("5", {"PartProgName", "1"}), (Fields{"REPLY", "5", "OK", "A.PRG"}));
  EXPECT_EQ(raw->call("6", {"PartProgName", "9"}),
            (Fields{"REPLY", "6", "FEHLER", "Unbekanntes Messprogramm."}));
  EXPECT_EQ(raw->call("7", {"PartProgName"}),
            (Fields{"REPLY", "7", "FEHLER", "Unbekanntes Messprogramm."}));
  EXPECT_EQ(raw->call("8", {"Quit"}),
            (Fields{"REPLY", "8", "FEHLER", "Unbekannter Aufruf \"Quit\"."}));
  server.closeProgram();
  EXPECT_EQ(raw->call("9", {"CurrentPartProg"}), (Fields{"REPLY", "9", "OK", "0"}));
  EXPECT_EQ(raw->call("10", {"PartProgName", "1"}), (Fields{"REPLY", "10", "OK", "A.PRG"}));
  open();
  EXPECT_EQ(raw->call("11", {"CurrentPartProg"}), (Fields{"REPLY", "11", "OK", "2"}));
}

TEST_F(ServerFixture, EachEventWaitsForEverySubscriber) {
  open();
  auto first = subscriber();
  auto second = subscriber();
  auto bystander = client();
  server.execute(1);
  const Fields start{"START", "1", "1"};
  EXPECT_EQ(first->next(), start);
  EXPECT_EQ(second->next(), start);
  EXPECT_TRUE(first->quietFor(100));
  first->send({"ACK", "1"});
  second->send({"ACK", "7"});
  EXPECT_TRUE(first->quietFor(100));
  second->send({"ACK", "1"});
  const auto object = first->next();
  ASSERT_TRUE(object);
  EXPECT_EQ(*object, simlink::objectEventFields({2, 1, ScriptedCommand::Dimension("7", 1.5)}));
  EXPECT_EQ(second->next(), object);
  EXPECT_TRUE(bystander->quietFor(10));
  EXPECT_TRUE(server.running());
}

TEST_F(ServerFixture, LeavingOrUnsubscribingReleasesTheRun) {
  open();
  auto leaving = subscriber();
  auto unsubscribing = subscriber();
  server.execute(1);
  ASSERT_TRUE(leaving->next());
  ASSERT_TRUE(unsubscribing->next());
  leaving.reset();
  EXPECT_EQ(unsubscribing->call("u", {"Unsubscribe"}), (Fields{"REPLY", "u", "OK"}));
  EXPECT_TRUE(waitUntil([this] { return !server.running(); }));
  EXPECT_EQ(server.eventsSent(), 3);
  EXPECT_EQ(server.subscribers(), 0);
}

TEST_F(ServerFixture, LogsWhatItSends) {
  open();
  auto raw = subscriber();
  server.execute(1);
  for (int event = 1; event <= 3; ++event) {
    ASSERT_TRUE(raw->next());
    raw->send({"ACK", std::to_string(event)});
  }
  ASSERT_TRUE(waitUntil([this] { return !server.running(); }));
  raw.reset();
  ASSERT_TRUE(waitUntil([this] { return server.connections() == 0; }));
  const std::vector<std::string> expected = {
      "Messprogramm A.PRG geöffnet (Startwert 1).",
      "Empfänger angemeldet.",
      "Lauf 1: OnStartExecution A.PRG",
      "Lauf 1: OnObjectExecuted Typ 1, Merkmal 7, Messwert 1,5",
      "Lauf 1: OnObjectExecuted Typ 1000, Id 100",
      "Lauf 1 beendet.",
      "Empfänger getrennt."};
  EXPECT_EQ(log, expected);
}

TEST_F(ServerFixture, ClosingTheProgramEndsTheRun) {
  open();
  auto raw = subscriber();
  server.execute(2);
  ASSERT_TRUE(raw->next());
  server.closeProgram();
  EXPECT_FALSE(server.running());
  raw->send({"ACK", "1"});
  EXPECT_TRUE(raw->quietFor(100));
  EXPECT_EQ(log.back(), "Messprogramm A.PRG geschlossen.");
  EXPECT_EQ(log.at(log.size() - 2), "Ausführung abgebrochen.");
  EXPECT_FALSE(server.execute(1));
}

TEST_F(ServerFixture, APeerWithAnEndlessLineIsCutOff) {
  auto raw = client();
  raw->sendRaw(std::string(simlink::kMaxLineLength + 10, 'x'));
  EXPECT_TRUE(raw->waitDisconnected());
  EXPECT_EQ(log.back(),
            "Verbindung getrennt: Die Gegenstelle spricht nicht das Protokoll des Simulators.");
}

TEST_F(ServerFixture, ARefusedFileKeepsTheOpenProgram) {
  open();
  const auto file = std::filesystem::temp_directory_path() / (endpoint + ".kmp");
  std::ofstream(file) << "Programm B.PRG\nSchleifeEnde\n";
  EXPECT_FALSE(server.openProgramFile(file));
  const std::string text =
      file.string() + R"(, Zeile 2: "SchleifeEnde" ohne vorangehende "Schleife".)";
  EXPECT_EQ(server.loadError(), text);
  EXPECT_EQ(log.back(), "Messprogramm nicht geöffnet: " + text);
  EXPECT_EQ(server.currentProgram()->partProgName, "A.PRG");
  std::ofstream(file) << "Programm B.PRG\nMass Messwert=1\n";
  EXPECT_TRUE(server.openProgramFile(file));
  EXPECT_EQ(server.loadError(), "");
  EXPECT_EQ(server.programFile(), file.string());
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace kvotlk::test
