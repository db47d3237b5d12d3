// Capture journals as a power cut, a full disk or another program may leave them, any
// bytes: reading them, the restore question, and writing a read journal anew as a restore
// does.

#include "FuzzInput.h"
#include "journal/JournalAtStart.h"
#include "journal/JournalFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  using fuzz::expect;
  const auto read = ReadJournal(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read) {
    return 0;
  }
  const auto count = static_cast<std::size_t>(read->intAnzStichproben);
  expect(read->intAnzStichproben >= 0 && read->arrStichproben.size() == count + 1 &&
             read->shownDecimals.size() == count + 1,
         "eine Stichprobe je Nummer");
  for (std::size_t n = 0; n <= count; ++n) {
    const Stichprobe& sample = read->arrStichproben[n];
    expect(sample.strMerkmal.size() == sample.dblMesswert.size() &&
               read->shownDecimals[n].size() == sample.dblMesswert.size(),
           "zu jedem Wert seine ID und Nachkommastellen");
  }
  expect(!RestoreQuestion(*read).empty(), "die Frage zum Wiederherstellen");
  // A restore writes the journal anew from what was read: it reads back the same.
  const std::string again =
      JournalOpening(read->form, read->strMessprogrammName) + JournalSamples(*read);
  const auto reread = ReadJournal(again);
  expect(reread.has_value() &&
             JournalOpening(reread->form, reread->strMessprogrammName) + JournalSamples(*reread) ==
                 again,
         "ein neu geschriebenes Journal liest sich gleich");
  return 0;
}
