// Every setting holding bad text in turn (empty, letters, negative, beyond 16 bits, 10,000
// digits, 10,000 letters) while the whole job runs through its readers: start-up, order
// confirmation, handoff file, capture (SCHLEIFE, IdLaenge) and send (NumDez, RANDOM,
// DateTimeStamp, FILE, DIR). The job never crashes and either delivers the file the
// default settings give or stops with a message that names what the operator must fix.
#include <gtest/gtest.h>

#include <map>

#include "app/MainWindowRules.h"
#include "capture/CaptureMessages.h"
#include "common/Paths.h"
#include "entry/OrderValuesFile.h"
#include "output/OutputMessages.h"
#include "output/modCreateFileName.h"
#include "output/modTuLOutput.h"
#include "reliability/JobRig.h"
#include "settings/SettingKeys.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

struct BadValue {
  const char* label;
  std::string text;
};

const std::vector<BadValue>& badValues() {
  static const std::vector<BadValue> values = {
      {"leer", ""},
      {"Buchstaben", "abc"},
      {"negativ", "-1"},
      {"über 16 Bit", "70000"},
      {"10000 Ziffern", std::string(10000, '9')},
      {"10000 Buchstaben", std::string(10000, 'x')},
  };
  return values;
}

// What the job does with one bad setting, where it differs from the clean job.
struct Expected {
  JobEnd end = JobEnd::Sent;
  Names messages;
  Names targetFiles{"Solvik.txt"};
  Names handoffFiles{"TLValues.txt"};
  Names stagedFiles;
  // Empty: the delivered file is the clean job's, byte for byte.
  std::string deliveredContains;
};

struct Outcomes {
  explicit Outcomes(std::string folder) : staging(std::move(folder)) {}

  Expected refused(const std::string& message) const {
    return {JobEnd::Refused, {message}, {}, {}, {}, {}};
  }
  Expected deliveredAs(const std::string& name) const {
    Expected e;
    e.targetFiles = {name};
    return e;
  }
  // DIR names no usable folder: the handoff file is refused, the result file waits in
  // TempData for a manual copy.
  Expected noTarget(const std::string& dir) const {
    Expected e;
    e.messages = {ValuesFileFailureMessage(joinPath(dir, "TLValues.txt")),
                  MessageCopyFailed(staging)};
    e.targetFiles = {};
    e.handoffFiles = {};
    e.stagedFiles = {"Solvik.txt"};
    return e;
  }

  std::string staging;
};

// The deviations from the clean job; every other key and value delivers the clean file.
std::map<std::pair<SettingKey, std::string>, Expected> deviations(const Outcomes& o) {
  std::map<std::pair<SettingKey, std::string>, Expected> table;
  for (const BadValue& v : badValues()) {
    table[{SettingKey::DIR, v.label}] = o.noTarget(v.text);
    if (!v.text.empty()) {
      table[{SettingKey::FILE, v.label}] = o.deliveredAs(v.text);
    }
  }
  table[{SettingKey::FILE, "leer"}] = {
      JobEnd::NotSent, {*FixedFileNameProblem("", false)}, {}, {"TLValues.txt"}, {}, {}};
  const std::string tooLong =
      "Der feste Dateiname (Einstellung FILE) ist mit 10000 Zeichen zu lang.\r\n"
      "Er darf höchstens 250 Zeichen lang sein.\r\n"
      "Korrigieren Sie den festen Dateinamen in der Konfiguration; es wurden keine Daten "
      "gesendet.";
  for (const char* label : {"10000 Ziffern", "10000 Buchstaben"}) {
    table[{SettingKey::FILE, label}] = {JobEnd::NotSent, {tooLong}, {}, {"TLValues.txt"}, {}, {}};
  }
  for (const char* number : {"negativ", "über 16 Bit"}) {
    table[{SettingKey::RANDOM, number}] = o.deliveredAs("AAAAAAAA.txt");
    table[{SettingKey::DateTimeStamp, number}] = o.deliveredAs("Solvik_20261205_093005.txt");
    Expected suffixed;
    suffixed.handoffFiles = {"TLValues0.txt"};
    table[{SettingKey::DateiErweiterungVerwenden, number}] = suffixed;
    table[{SettingKey::MessserieUmfang, number}] = o.refused("Anzahl der Teile nicht eingegeben.");
  }
  table[{SettingKey::LaengeArtikelNr, "negativ"}] = o.refused("Artikel darf nur -1stellig sein.");
  table[{SettingKey::MaschinenIdLaenge, "negativ"}] =
      o.refused("Maschinennummer darf max. -1stellig sein.");
  table[{SettingKey::AuftragsNrLaenge, "negativ"}] = o.refused("Auftrag darf max. -1stellig sein.");
  table[{SettingKey::IdLaenge, "negativ"}] = {
      JobEnd::CaptureClosed, {NestLengthMessage("10", -2)}, {}, {"TLValues.txt"}, {}, {}};
  Expected noHandoff;
  noHandoff.handoffFiles = {};
  table[{SettingKey::EinstellungenZurLaufzeitSpeichern, "negativ"}] = noHandoff;
  // Any number other than 1 puts the nest ID into the head instead of onto the IDs.
  Expected charge;
  charge.deliveredContains = "AUFTRAG=4711\r\nCHARGE=\r\n\r\nUMFANG=3\r\nMERKMAL=10\r\n";
  table[{SettingKey::NestnummerAmMerkmal, "negativ"}] = charge;
  return table;
}

JobResult runJob(JobRig& job) {
  job.start();
  return job.finish(JobRig::threeRuns());
}

TEST(BadSettings, EveryKeyWithEveryBadValueThroughTheWholeJob) {
  JobRig clean;
  const JobResult cleanResult = runJob(clean);
  ASSERT_EQ(cleanResult.end, JobEnd::Sent);
  ASSERT_EQ(cleanResult.messages, Names{});
  ASSERT_EQ(cleanResult.targetFiles, Names{"Solvik.txt"});
  const std::string cleanFile = clean.t->files.content(joinPath(clean.target(), "Solvik.txt"));
  ASSERT_NE(cleanFile.find("MERKMAL=103\r\n"), std::string::npos);

  const Outcomes outcomes(StagingFolderOf(clean.target()));
  const auto table = deviations(outcomes);
  for (const SettingInfo& info : SettingTable()) {
    for (const BadValue& value : badValues()) {
      SCOPED_TRACE(std::string(info.name) + " " + value.label);
      JobRig job;
      job.t->setSetting(info.name, value.text);
      const JobResult result = runJob(job);
      const auto found = table.find({info.key, value.label});
      const Expected expected = found == table.end() ? Expected{} : found->second;
      EXPECT_EQ(result.end, expected.end);
      EXPECT_EQ(result.messages, expected.messages);
      EXPECT_EQ(result.targetFiles, expected.targetFiles);
      EXPECT_EQ(result.handoffFiles, expected.handoffFiles);
      EXPECT_EQ(result.stagedFiles, expected.stagedFiles);
      if (result.targetFiles.size() == 1 && result.targetFiles == expected.targetFiles) {
        const std::string delivered =
            job.t->files.content(joinPath(job.target(), result.targetFiles[0]));
        if (expected.deliveredContains.empty()) {
          EXPECT_EQ(delivered, cleanFile);
        } else {
          EXPECT_NE(delivered.find(expected.deliveredContains), std::string::npos) << delivered;
        }
      }
    }
  }
}

// Joined with an empty folder the handoff file's name points into the root of the drive,
// where a file of that name is not the program's.
TEST(BadSettings, AnEmptyStandardFolderLeavesTheRootAlone) {
  JobRig job;
  const std::string inRoot = joinPath("", "TLValues.txt");
  job.t->files.addFile(inRoot, "fremd");
  job.t->setSetting("DIR", "");
  runJob(job);
  ShutDown(job.env(), job.t->g);
  EXPECT_EQ(job.t->files.content(inRoot), "fremd");
  EXPECT_EQ(job.t->g.strValuesFile, "");
}

}  // namespace
}  // namespace kvotlk::test
