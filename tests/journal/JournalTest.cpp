// The capture journal where a case file cannot reach: a file cut at every byte of its last
// record, damage before the end, values and IDs no measuring program writes, and what is
// on the disk (flushed) when the power goes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/Paths.h"
#include "journal/CaptureJournal.h"
#include "journal/JournalFormat.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

OrderForm tabbedForm() {
  OrderForm form;
  form.txt_Artikel = "A\t100\\n";  // escapes must not be read as line ends or fields
  form.txt_Auftrag = "4711";
  form.txt_Probenumfang = "3";
  form.txt_DatumTag = "07";
  form.txt_DatumMonat = "12";
  form.txt_DatumJahr = "2026";
  form.txt_UhrzeitStunde = "10";
  form.txt_UhrzeitMinute = "41";
  form.Combo_Maschine = "M7\r\n";
  form.combo_Pruefer = "(12)    Müller";
  form.chkNest = kChecked;
  form.txt_Nestnummer = "3";
  return form;
}

JournaledCapture twoSamples() {
  JournaledCapture capture;
  capture.form = tabbedForm();
  capture.strMessprogrammName = "Welle\t4711";
  const double values[] = {0.1 + 0.2, -0.0, 5e-324, std::numeric_limits<double>::max(), -1234.5678};
  for (int n = 1; n <= 2; ++n) {
    Stichprobe sample;
    std::vector<int> decimals{0};
    for (const double value : values) {
      sample.strMerkmal.push_back(std::to_string(n) + "\tid\n");
      sample.dblMesswert.push_back(value * n);
      decimals.push_back(n + 2);
    }
    capture.arrStichproben.push_back(sample);
    capture.shownDecimals.push_back(decimals);
  }
  capture.intAnzStichproben = 2;
  capture.intAnzMerkmale = 5;
  return capture;
}

// The journal a reader's capture would be written as: equal texts, equal captures.
std::string rewritten(const JournaledCapture& capture) {
  return JournalOpening(capture.form, capture.strMessprogrammName) + JournalSamples(capture);
}

TEST(JournalFormat, EveryValueAndTextReadsBackExactly) {
  const JournaledCapture capture = twoSamples();
  const std::string text = rewritten(capture);
  const auto read = ReadJournal(text);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(rewritten(*read), text);
  EXPECT_EQ(read->intAnzStichproben, 2);
  EXPECT_EQ(read->arrStichproben[2].dblMesswert[1], (0.1 + 0.2) * 2);
  EXPECT_TRUE(std::signbit(read->arrStichproben[1].dblMesswert[2]));
  EXPECT_EQ(read->arrStichproben[1].dblMesswert[3], 5e-324);
  EXPECT_EQ(read->arrStichproben[2].strMerkmal[5], "2\tid\n");
  EXPECT_EQ(read->shownDecimals[2][5], 4);
  EXPECT_EQ(read->form.Combo_Maschine, "M7\r\n");
  EXPECT_EQ(read->form.combo_Pruefer, "(12)    Müller");
  EXPECT_EQ(read->form.chkNest, kChecked);
}

// A power cut in the middle of the last record: whatever of it reached the disk, the
// records before it are read and it is dropped.
TEST(JournalFormat, ATornLastRecordIsDroppedAtEveryByte) {
  const std::string kept = rewritten(twoSamples()) + EncodeRecord({"Loeschen", {"1"}});
  const std::string last = EncodeRecord({"Umfang", {"5"}});
  const auto whole = ReadJournal(kept + last);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(whole->form.txt_Probenumfang, "5");
  for (std::size_t cut = 0; cut < last.size(); ++cut) {
    const auto read = ReadJournal(kept + last.substr(0, cut));
    ASSERT_TRUE(read.has_value()) << cut;
    EXPECT_EQ(read->intAnzStichproben, 1) << cut;
    EXPECT_EQ(read->intAnzMerkmale, 5) << cut;
    EXPECT_EQ(read->form.txt_Probenumfang, "3") << cut;
  }
}

// Only the end may be torn: a broken record followed by whole ones, a record that does not
// fit the records before it, another version or no opening is a journal not to restore.
TEST(JournalFormat, DamageBeforeTheEndOrAnotherVersionIsNotRead) {
  const std::string text = rewritten(twoSamples());
  std::string flipped = text;
  flipped[flipped.find("Wert") + 1] = 'E';
  EXPECT_FALSE(ReadJournal(flipped).has_value());
  EXPECT_FALSE(ReadJournal(text + "Wer\n" + EncodeRecord({"Loeschen", {"1"}})).has_value());
  // A whole last line was written whole: not a torn one, and a deletion is not forgotten.
  std::string deletion = EncodeRecord({"Loeschen", {"1"}});
  deletion[0] = 'l';
  EXPECT_FALSE(ReadJournal(text + deletion).has_value());
  EXPECT_FALSE(ReadJournal(text + EncodeRecord({"Loeschen", {"0"}})).has_value());
  EXPECT_FALSE(ReadJournal(text + EncodeRecord({"Stichprobe", {"4"}})).has_value());
  EXPECT_FALSE(ReadJournal(text + EncodeRecord({"Wert", {"2", "7", "4", "10", "1"}})).has_value());
  std::string other = text;
  other.replace(0, other.find('\n') + 1, EncodeRecord({kJournalKind, {"2"}}));
  EXPECT_FALSE(ReadJournal(other).has_value());
  EXPECT_FALSE(ReadJournal(text.substr(text.find('\n') + 1)).has_value());
  EXPECT_FALSE(ReadJournal("").has_value());
  // Still the start of a journal without its program name: nothing to restore.
  EXPECT_FALSE(ReadJournal(text.substr(0, text.find("Messprogramm"))).has_value());
}

// A send whose staging began is told by its name, and any later change makes the journal
// the holder of the values again.
TEST(JournalFormat, TheStagedNameHoldsUntilTheNextChange) {
  const std::string text = rewritten(twoSamples()) + EncodeRecord({"Senden", {"Solvik.txt"}});
  EXPECT_EQ(ReadJournal(text)->stagingName, "Solvik.txt");
  EXPECT_EQ(ReadJournal(text + EncodeRecord({"Stichprobe", {"3"}}))->stagingName, std::nullopt);
}

class JournalOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    journal_ = CaptureJournal::Begin(t.env, tabbedForm(), "Welle", nullptr);
    ASSERT_NE(journal_, nullptr);
  }
  std::string path() const { return fsKey(toFsPath(joinPath(t.env.data(), kJournalName))); }
  // What a power cut would leave: the bytes last flushed, the opening written whole.
  std::optional<JournaledCapture> afterPowerCut() {
    const auto flushed = t.files.durable.find(path());
    const std::string opening = JournalOpening(tabbedForm(), "Welle");
    return ReadJournal(flushed == t.files.durable.end() ? opening : flushed->second);
  }
  void measure(std::int16_t n, double value) {
    journal_->sampleBegun(n);
    journal_->valueStored(n, 1, 4, "10", value);
  }

  TestEnvironment t;
  std::unique_ptr<CaptureJournal> journal_;
};

// A finished sample reaches the disk at the next tick (the window ticks twice a second);
// a deletion and a raised sample size at once; the sample under way may be lost.
TEST_F(JournalOnDisk, ASampleIsOnTheDiskAtTheTickAfterItEnded) {
  measure(1, 12.5);
  measure(2, 12.6);
  EXPECT_EQ(afterPowerCut()->intAnzStichproben, 0);
  journal_->tick();
  EXPECT_EQ(afterPowerCut()->arrStichproben[1].dblMesswert[1], 12.5);
  journal_->sampleDeleted(1);
  EXPECT_EQ(afterPowerCut()->intAnzStichproben, 1);
  journal_->sampleSizeRaised(4);
  EXPECT_EQ(afterPowerCut()->form.txt_Probenumfang, "4");
  journal_->sending("Solvik.txt");
  EXPECT_EQ(afterPowerCut()->stagingName, "Solvik.txt");
}

// Left (a new order after a refused capture) it stays and is flushed; ended, it is gone
// and later calls write nothing.
TEST_F(JournalOnDisk, LeaveKeepsTheJournalAndEndRemovesIt) {
  measure(1, 12.5);
  journal_->leave();
  measure(2, 12.6);
  journal_->tick();
  EXPECT_EQ(afterPowerCut()->intAnzStichproben, 1);
  EXPECT_EQ(ReadJournal(t.files.content(path()))->intAnzStichproben, 1);
  auto next = CaptureJournal::Begin(t.env, tabbedForm(), "Welle", nullptr);
  ASSERT_NE(next, nullptr);
  next->end();
  next->tick();
  EXPECT_FALSE(t.files.hasFile(path()));
}

}  // namespace
}  // namespace kvotlk::test
