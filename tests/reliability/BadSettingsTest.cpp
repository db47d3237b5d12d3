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
#include "reliability/BadCatalogues.h"
#include "reliability/JobRig.h"
#include "settings/SettingKeys.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

// What the job does with one bad setting, where it differs from the clean job.
struct Expected {
  JobEnd end = JobEnd::Sent;
  Names messages;
  Names targetFiles{"Solvik.txt"};
  Names handoffFiles{"TLValues.txt"};
  Names stagedFiles;
  std::string deliveredContains;  // empty: the clean job's file, byte for byte
};

// The deviations from the clean job; every other key and value delivers the clean file.
std::map<std::pair<SettingKey, std::string>, Expected> deviations(const std::string& staging) {
  using K = SettingKey;
  const auto stopped = [](JobEnd end, const std::string& message, Names handoff) {
    return Expected{end, {message}, {}, std::move(handoff), {}, {}};
  };
  const auto delivered = [](Names target, Names handoff) {
    return Expected{JobEnd::Sent, {}, std::move(target), std::move(handoff), {}, {}};
  };
  std::map<std::pair<SettingKey, std::string>, Expected> table;
  for (const BadValue& v : badValues()) {
    // DIR names no usable folder: the handoff file is refused, the result file waits in
    // TempData for a manual copy.
    table[{K::DIR, v.label}] = {
        JobEnd::Sent,
        {ValuesFileFailureMessage(joinPath(v.text, "TLValues.txt")), MessageCopyFailed(staging)},
        {},
        {},
        {"Solvik.txt"},
        {}};
    table[{K::FILE, v.label}] = delivered({v.text}, {"TLValues.txt"});
  }
  table[{K::FILE, "leer"}] =
      stopped(JobEnd::NotSent, *FixedFileNameProblem("", false), {"TLValues.txt"});
  for (const char* label : {"10000 Ziffern", "10000 Buchstaben"}) {
    table[{K::FILE, label}] = stopped(
        JobEnd::NotSent,
        "Der feste Dateiname (Einstellung FILE) ist mit 10000 Zeichen zu lang.\r\n"
        "Er darf höchstens 250 Zeichen lang sein.\r\nKorrigieren Sie den festen Dateinamen in "
        "der Konfiguration; es wurden keine Daten gesendet.",
        {"TLValues.txt"});
  }
  for (const char* number : {"negativ", "über 16 Bit"}) {
    table[{K::RANDOM, number}] = delivered({"AAAAAAAA.txt"}, {"TLValues.txt"});
    table[{K::DateTimeStamp, number}] = delivered({"Solvik_20261205_093005.txt"}, {"TLValues.txt"});
    table[{K::DateiErweiterungVerwenden, number}] = delivered({"Solvik.txt"}, {"TLValues0.txt"});
    table[{K::MessserieUmfang, number}] =
        stopped(JobEnd::Refused, "Anzahl der Teile nicht eingegeben.", {});
  }
  table[{K::LaengeArtikelNr, "negativ"}] =
      stopped(JobEnd::Refused, "Artikel darf nur -1stellig sein.", {});
  table[{K::MaschinenIdLaenge, "negativ"}] =
      stopped(JobEnd::Refused, "Maschinennummer darf max. -1stellig sein.", {});
  table[{K::AuftragsNrLaenge, "negativ"}] =
      stopped(JobEnd::Refused, "Auftrag darf max. -1stellig sein.", {});
  table[{K::IdLaenge, "negativ"}] =
      stopped(JobEnd::CaptureClosed, NestLengthMessage("10", -2), {"TLValues.txt"});
  table[{K::EinstellungenZurLaufzeitSpeichern, "negativ"}] = delivered({"Solvik.txt"}, {});
  // Any number other than 1 puts the nest ID into the head instead of onto the IDs.
  table[{K::NestnummerAmMerkmal, "negativ"}].deliveredContains =
      "AUFTRAG=4711\r\nCHARGE=\r\n\r\nUMFANG=3\r\nMERKMAL=10\r\n";
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

  const auto table = deviations(StagingFolderOf(clean.target()));
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
