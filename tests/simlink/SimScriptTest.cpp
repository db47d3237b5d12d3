// The script commands of kalvero-sim: what each prints, and that each waits for the one
// before it.
#include <gtest/gtest.h>

#include "kalvero-sim/SimOptions.h"
#include "kalvero-sim/SimScript.h"
#include "simlink/RawClient.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

const std::string kExample = std::string(KVOTLK_EXAMPLES_DIR) + "/01-Masse.kmp";

struct ScriptFixture : ::testing::Test {
  ScriptFixture() : endpoint(uniqueEndpoint()), server(endpoint) {
    server.onLog = [this](const std::string& line) { log.push_back(line); };
    server.onChange = [this] { script.advance(); };
  }

  std::string endpoint;
  sim::SimServer server;
  std::vector<std::string> printed;
  std::vector<std::string> log;
  std::optional<int> quitStatus;
  sim::SimScript script{server, [this](const std::string& line) { printed.push_back(line); },
                        [this](int status) { quitStatus = status; }};
};

struct ScriptCase {
  std::vector<std::string> lines;
  std::vector<std::string> printed;
};

TEST_F(ScriptFixture, EachCommandSaysWhenItIsDone) {
  const ScriptCase cases[] = {
      {{"ausfuehren"}, {"FEHLER ausfuehren: Kein Messprogramm geöffnet."}},
      {{"oeffnen " + kExample}, {"FERTIG oeffnen " + kExample}},
      {{"ausführen 0"},
       {"FEHLER ausführen 0: Die Anzahl der Läufe muss eine ganze Zahl von 1 bis 100000 sein."}},
      {{"ausfuehren", "Ausfuehren 2"}, {"FERTIG ausfuehren", "FERTIG Ausfuehren 2"}},
      {{"startwert x"},
       {"FEHLER startwert x: Der Startwert muss eine ganze Zahl von 0 bis 18446744073709551615 "
        "sein."}},
      {{"startwert 5"}, {"FERTIG startwert 5"}},
      {{"takt 60001"},
       {"FEHLER takt 60001: Der Takt muss eine ganze Zahl von 0 bis 60000 (Millisekunden) sein."}},
      {{"takt 0"}, {"FERTIG takt 0"}},
      {{"  # Kommentar", "", "hupe"},
       {"FEHLER hupe: Unbekannter Befehl. Bekannt sind oeffnen, schliessen, ausfuehren, "
        "startwert, takt, warten und beenden."}},
      {{"öffnen \"" + kExample + "\""}, {"FERTIG öffnen \"" + kExample + "\""}},
      {{"schließen"}, {"FERTIG schließen"}},
  };
  for (const ScriptCase& c : cases) {
    printed.clear();
    for (const std::string& line : c.lines) {
      script.add(line);
    }
    ASSERT_TRUE(waitUntil([this, &c] { return printed.size() >= c.printed.size(); }));
    EXPECT_EQ(printed, c.printed);
  }
  EXPECT_EQ(server.runsStarted(), 0U);
  EXPECT_EQ(quitStatus, std::nullopt);
}

TEST_F(ScriptFixture, ACommandWaitsUntilTheRunsBeforeItAreDone) {
  script.add("oeffnen " + kExample);
  script.add("takt 5");
  script.add("ausfuehren 2");
  script.add("schliessen");
  script.add("beenden");
  ASSERT_TRUE(waitUntil([this] { return quitStatus.has_value(); }));
  EXPECT_EQ(printed.at(2), "FERTIG ausfuehren 2");
  EXPECT_EQ(printed.at(3), "FERTIG schliessen");
  EXPECT_EQ(quitStatus, 0);
  EXPECT_EQ(log.at(log.size() - 2), "Lauf 2 beendet.");
  EXPECT_EQ(log.back(), "Messprogramm Welle-4711.PRG geschlossen.");
}

TEST_F(ScriptFixture, WartenWaitsForAConverterToSubscribe) {
  std::string reason;
  ASSERT_TRUE(server.listen(reason));
  script.add("warten");
  script.add("oeffnen " + kExample);
  EXPECT_TRUE(printed.empty());
  RawClient raw(endpoint);
  raw.next();
  raw.call("1", {"Subscribe"});
  EXPECT_TRUE(waitUntil([this] { return printed.size() == 2; }));
  EXPECT_EQ(printed.at(0), "FERTIG warten");
}

struct OptionsCase {
  std::vector<std::string> arguments;
  std::string error;
};

TEST(SimOptionsTest, ReadsTheCommandLine) {
  const auto parsed =
      sim::parseOptions({"--startwert", "9", "--takt", "20", "--ausfuehren", "3", "--beenden",
                         "--eingabe", "--ohne-fenster", "--endpunkt", "x", "a.kmp"});
  ASSERT_TRUE(std::holds_alternative<sim::SimOptions>(parsed));
  const auto& options = std::get<sim::SimOptions>(parsed);
  EXPECT_EQ(options.seed, 9U);
  EXPECT_EQ(options.pauseMs, 20);
  EXPECT_EQ(options.runs, 3);
  EXPECT_TRUE(options.quitWhenDone && options.readStdin && options.windowless);
  EXPECT_EQ(options.endpoint, "x");
  EXPECT_EQ(options.programFile, "a.kmp");
  EXPECT_EQ(sim::startupScript(options),
            (std::vector<std::string>{"oeffnen a.kmp", "ausfuehren 3", "beenden"}));
  const auto plain = sim::parseOptions({});
  EXPECT_EQ(std::get<sim::SimOptions>(plain).endpoint, "kalvero-sim");
  EXPECT_TRUE(sim::startupScript(std::get<sim::SimOptions>(plain)).empty());
}

TEST(SimOptionsTest, RefusesWrongArguments) {
  const OptionsCase cases[] = {
      {{"--laut"}, "Unbekannte Option --laut."},
      {{"--takt"}, "Zur Option --takt fehlt der Wert."},
      {{"--takt", "-1"}, "--takt: \"-1\" ist keine ganze Zahl von 0 bis 60000."},
      {{"a.kmp", "--ausfuehren", "0"},
       "--ausfuehren: \"0\" ist keine ganze Zahl von 1 bis 100000."},
      {{"--startwert", "x"}, "--startwert: \"x\" ist keine ganze Zahl ab 0."},
      {{"--ausfuehren", "2"}, "--ausfuehren braucht ein Messprogramm."},
      {{"a.kmp", "b.kmp"}, "Nur ein Messprogramm kann angegeben werden, nicht auch \"b.kmp\"."},
  };
  for (const OptionsCase& c : cases) {
    const auto parsed = sim::parseOptions(c.arguments);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.error;
    EXPECT_EQ(std::get<std::string>(parsed), c.error);
  }
}

}  // namespace
}  // namespace kvotlk::test
