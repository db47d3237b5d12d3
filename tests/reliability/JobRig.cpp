#include "reliability/JobRig.h"

#include "app/MainWindowRules.h"
#include "catalogs/CatalogFiles.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "entry/OrderValuesFile.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {

JobRig::JobRig() : form(ValidOrderForm()) {
  t->files.addFile(CatalogPath(t->env.programFolder, Catalog::Pruefer), "(12)    Name\r\n");
  t->files.addFile(CatalogPath(t->env.programFolder, Catalog::Maschine), "M7\r\n");
  form.txt_Probenumfang = "3";
  form.chkNest = kChecked;
  form.txt_Nestnummer = "3";
  view.chkNest = kChecked;
  app = t->kalvero.start();
  app->openPartProgram("Welle.PRG");
}

bool JobRig::start() {
  Environment& e = env();
  modGlobaleVariablen& g = t->g;
  ReadStartSettings(e, g);
  DeleteLeftoverValuesFile(e, g);
  ReadNestIDVerwenden(e, g);
  ReadCatalogForList(e, Catalog::Pruefer);
  ReadCatalogForList(e, Catalog::Maschine);
  if (const auto failure = ConfirmOrder(e, g, form)) {
    ShowOrderFailure(t->prompts, *failure);
    refused = true;
    return false;
  }
  SaveOrderValues(e, g, form);
  ResetSamples(g);
  engine = std::make_unique<CaptureEngine>(e, g, view,
                                           [this] { return WriteResultFile(env(), t->g, form); });
  engine->Form_Load();
  ReadNestnummerAmMerkmal(e, g);
  return true;
}

JobResult JobRig::finish(const std::vector<std::vector<ScriptedCommand>>& runs) {
  JobResult result;
  if (refused) {
    result.end = JobEnd::Refused;
  } else {
    for (const auto& run : runs) {
      if (engine->state() == CaptureState::Closed) {
        break;
      }
      app->run(run);
    }
    if (engine->state() == CaptureState::Closed) {
      result.end = JobEnd::CaptureClosed;
    } else {
      engine->CmdSendData_Click();
      result.end = engine->state() == CaptureState::Closed ? JobEnd::Sent : JobEnd::NotSent;
    }
  }
  for (const ShownPrompt& prompt : t->prompts.shown) {
    result.messages.push_back(prompt.text);
  }
  result.targetFiles = t->files.filesIn(target());
  std::erase_if(result.targetFiles, [&result](const std::string& name) {
    if (name.starts_with("TLValues")) {
      result.handoffFiles.push_back(name);
      return true;
    }
    return false;
  });
  result.stagedFiles = t->files.filesIn(StagingFolderOf(target()));
  std::erase(result.stagedFiles, "TLDebug.txt");
  return result;
}

std::vector<std::vector<ScriptedCommand>> JobRig::threeRuns() {
  std::vector<std::vector<ScriptedCommand>> runs;
  for (const double value : {12.3456, 12.3449, 12.35}) {
    runs.push_back({ScriptedCommand::Plain(7, "Ausrichtung"),
                    ScriptedCommand::Dimension("10", value),
                    ScriptedCommand::Dimension("20", -value)});
  }
  return runs;
}

}  // namespace kvotlk::test
