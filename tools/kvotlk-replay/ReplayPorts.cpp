#include "kvotlk-replay/ReplayPorts.h"

#include <algorithm>
#include <utility>

#include "capture/CaptureMessages.h"
#include "catalogs/CatalogFiles.h"
#include "common/WorkProgress.h"
#include "output/Delivery.h"
#include "output/WaitingFiles.h"

namespace kvotlk::replay {

std::uint32_t SeededRandom::below(std::uint32_t bound) {
  const auto drawn = static_cast<std::uint32_t>(random_.uniform01() * bound);
  return std::min(drawn, bound - 1);
}

std::string promptLine(std::string_view kind, std::string_view text) {
  std::string line(kind);
  line += ": ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\r\n") {
      line += " | ";
      ++i;
    } else if (text[i] == '\r') {
      line += "␍";
    } else if (text[i] == '\n') {
      line += "␊";
    } else {
      line += text[i];
    }
  }
  return line;
}

ConsolePrompts::ConsolePrompts(std::ostream& err, bool increaseAnswer, bool measureMoreAnswer,
                               bool discardAnswer)
    : err_(err),
      increaseAnswer_(increaseAnswer),
      measureMoreAnswer_(measureMoreAnswer),
      discardAnswer_(discardAnswer) {}

void ConsolePrompts::showStop(const std::string& text) {
  stops_.push_back(text);
  print(promptLine("STOPP", text));
}

void ConsolePrompts::showPlain(const std::string& text) { print(promptLine("MELDUNG", text)); }

bool ConsolePrompts::askYesNo(const std::string& text) {
  bool answer = false;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  } else if (text == IncreaseQuestion()) {
    answer = increaseAnswer_;
  } else if (text == SendQuestion()) {
    answer = measureMoreAnswer_;
  }
  print(promptLine("FRAGE", text) + (answer ? " -> Ja" : " -> Nein"));
  return answer;
}

bool ConsolePrompts::askYesNoDefaultNo(const std::string& text) {
  bool answer = discardAnswer_;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  print(promptLine("FRAGE", text) + (answer ? " -> Ja" : " -> Nein"));
  return answer;
}

void ConsolePrompts::print(const std::string& line) { err_ << line << '\n' << std::flush; }

void ReplayView::prepareGrid() { grid_[0] = {"ID", "Messwert"}; }

void ReplayView::setGridRowCount(int rows) {
  grid_.resize(static_cast<std::size_t>(std::max(rows, 1)));
}

void ReplayView::setGridCell(int row, int column, const std::string& text) {
  if (row >= 0 && static_cast<std::size_t>(row) < grid_.size() && (column == 0 || column == 1)) {
    grid_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  }
}

void ReplayView::print(std::ostream& out) const {
  out << "Stichprobe " << lblCurrentProbe_ << " von " << lblNumProbes_ << '\n';
  for (const auto& row : grid_) {
    out << row[0] << " | " << row[1] << '\n';
  }
  out << std::flush;
}

namespace {

std::optional<InputFileError> unlisted(const std::optional<std::string>& selection,
                                       const InputPlace& place,
                                       const std::vector<std::string>& entries, const char* control,
                                       const std::string& catalogPath) {
  if (!selection || std::find(entries.begin(), entries.end(), *selection) != entries.end()) {
    return std::nullopt;
  }
  return InputFileError{
      place.file, place.line,
      std::string("\"") + control + "\": \"" + *selection + "\" ist kein Eintrag der Liste. " +
          (entries.empty()
               ? "Die Liste ist leer, der Katalog " + catalogPath + " fehlt oder ist leer."
               : "Die Liste zeigt die Zeilen von " + catalogPath +
                     " genau so, wie sie dort stehen.")};
}

}  // namespace

std::optional<InputFileError> ReplayOrderWindow::unlistedSelection(
    const std::string& programFolder) const {
  if (auto error = unlisted(order_.form.combo_Pruefer, order_.comboPrueferPlace, combo_Pruefer_,
                            "combo_Prüfer", CatalogPath(programFolder, Catalog::Pruefer))) {
    return error;
  }
  return unlisted(order_.form.Combo_Maschine, order_.comboMaschinePlace, Combo_Maschine_,
                  "Combo_Maschine", CatalogPath(programFolder, Catalog::Maschine));
}

void ReplayOrderWindow::showEntries(const OrderForm& form) {
  OrderForm& shown = order_.form;
  shown.txt_Artikel = form.txt_Artikel;
  shown.txt_Auftrag = form.txt_Auftrag;
  shown.txt_Nestnummer = form.txt_Nestnummer;
  shown.txt_Probenumfang = form.txt_Probenumfang;
  shown.combo_Pruefer = form.combo_Pruefer;
  shown.Combo_Maschine = form.Combo_Maschine;
  shown.lblNestID = form.lblNestID;
}

void ReplayOrderWindow::clearNestEntry() {
  order_.form.txt_Nestnummer.clear();
  order_.form.lblNestID.clear();
}

CaptureView& ReplayOrderWindow::makeCaptureWindow(CaptureEngine& /*engine*/) {
  capture_ = std::make_unique<ReplayView>(captureClosed_);
  return *capture_;
}

void ReplayOrderWindow::setWaitingFiles(std::size_t count) {
  const std::string text = WaitingFilesText(count);
  if (text != waitingText_) {
    out_ << "Hauptfenster: " << (text.empty() ? "keine wartende Datei" : text) << '\n'
         << std::flush;
  }
  waitingText_ = text;
}

namespace {

// The progress of file work as the operator watches it: printed when verbose, and
// "Abbrechen" pressed once the attempt the script names is reported.
class ScriptedProgress final : public WorkProgress {
 public:
  ScriptedProgress(std::ostream& out, bool verbose, std::optional<int> cancelAt)
      : out_(out), verbose_(verbose), cancelAt_(cancelAt) {}
  void report(const std::string& text) override {
    if (verbose_) {
      out_ << "Anzeige: " << text << '\n' << std::flush;
    }
    if (cancelAt_ && text.ends_with("Versuch " + std::to_string(*cancelAt_) + " von " +
                                    std::to_string(kDeliveryAttempts))) {
      cancelled_ = true;
      out_ << "Abbrechen gedrückt\n" << std::flush;
    }
  }
  bool cancelled() override { return cancelled_; }

 private:
  std::ostream& out_;
  bool verbose_;
  std::optional<int> cancelAt_;
  bool cancelled_ = false;
};

}  // namespace

void ReplayOrderWindow::runFileWork(const std::function<void(WorkProgress&)>& work) {
  ScriptedProgress progress(out_, verbose_, std::exchange(cancelAtAttempt_, std::nullopt));
  work(progress);
}

}  // namespace kvotlk::replay
