#include "CaptureTestSupport.h"

#include <algorithm>
#include <sstream>

#include "capture/modKVOFunctions.h"

namespace kvotlk::test {

void RecordingView::prepareGrid() {
  ++prepareGridCalls;
  grid.assign(2, {});
  grid[0] = {"ID", "Messwert"};
}

void RecordingView::setGridRowCount(int rows) {
  grid.resize(static_cast<std::size_t>(std::max(rows, 1)));
}

void RecordingView::setGridCell(int row, int column, const std::string& text) {
  if (row < 0 || static_cast<std::size_t>(row) >= grid.size() || column < 0 || column > 1) {
    ++cellsOutsideGrid;
    return;
  }
  grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

void RecordingView::setCurrentProbe(const std::string& caption, bool repaintNow) {
  lblCurrentProbe = caption;
  if (repaintNow) {
    repainted.push_back(caption);
  }
}

void RecordingView::setNumProbes(const std::string& caption) { lblNumProbes = caption; }

void RecordingView::setOrderProbenumfang(const std::string& text) { txt_Probenumfang = text; }

int RecordingView::orderNestState() { return chkNest; }

void RecordingView::showOrderWindow() { ++orderWindowShown; }

void RecordingView::closeWindow() { ++windowClosed; }

ScriptedCommand Dim(std::string id, double value, std::int32_t typeCode, double secondary) {
  return ScriptedCommand::Dimension(std::move(id), value, typeCode, secondary);
}

ScriptedCommand Txt(std::string name, std::string text) {
  return ScriptedCommand::Text(std::move(name), std::move(text));
}

ScriptedCommand Plain(std::int32_t typeCode, std::string cmdId, std::int32_t field165) {
  return ScriptedCommand::Plain(typeCode, std::move(cmdId), field165);
}

ScriptedCommand Field184(std::string cmdId, double value, std::int32_t field165) {
  ScriptedCommand scripted = ScriptedCommand::Plain(184, std::move(cmdId), field165);
  scripted.field662 = value;
  return scripted;
}

std::string Render(const modGlobaleVariablen& g) {
  std::ostringstream out;
  for (const Stichprobe& sample : g.arrStichproben) {
    out << (&sample == g.arrStichproben.data() ? "{" : " {");
    for (std::size_t i = 1; i < sample.strMerkmal.size(); ++i) {
      out << (i > 1 ? " " : "") << sample.strMerkmal[i] << '=';
      if (i < sample.dblMesswert.size()) {
        out << sample.dblMesswert[i];
      }
    }
    out << '}';
  }
  return out.str();
}

CaptureRig::CaptureRig()
    : engine(t.env, t.g, view, [this] {
        ++writeCalls;
        writtenSamples = Render(t.g);
        return writeSucceeds;
      }) {
  app = t.kalvero.start();
  app->openPartProgram("Welle.kvp");
  ConnectToKvo(t.env, t.g);
  GetOpenPartProg(t.g);
  t.g.intStichprobenumfang = 3;
}

void CaptureRig::load() { engine.Form_Load(); }

std::vector<std::string> CaptureRig::messages() const {
  std::vector<std::string> texts;
  for (const ShownPrompt& prompt : t.prompts.shown) {
    texts.push_back(prompt.text);
  }
  return texts;
}

}  // namespace kvotlk::test
