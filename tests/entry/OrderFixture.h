#pragma once

#include <memory>
#include <string>

#include "catalogs/CatalogFiles.h"
#include "entry/OrderForm.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// The order of the handoff-file example: every field valid, nest box unchecked.
inline OrderForm ValidOrderForm() {
  OrderForm form;
  form.txt_Artikel = "A-100";
  form.Combo_Maschine = "M7";
  form.txt_Auftrag = "4711";
  form.txt_Probenumfang = "5";
  form.txt_DatumTag = "05";
  form.txt_DatumMonat = "03";
  form.txt_DatumJahr = "2026";
  form.txt_UhrzeitStunde = "08";
  form.txt_UhrzeitMinute = "07";
  form.combo_Pruefer = "(12)    Name";
  return form;
}

// The run-time copies as start-up takes them from default settings, and the CMM software
// running with a measuring program open.
struct OrderFixture : TestEnvironment {
  OrderFixture() {
    g.strStandardDir = env.programFolder;
    g.varLaengeArtikelNr = "8";
    g.intAuftragsNrLaenge = 8;
    g.intAuftragsNrGanzzahl = 1;
    g.intEinstellungenZurLaufzeitSpeichern = 1;
    g.strNestIDVerwenden = "0";
    g.strDateiErweiterung = "0";
    app = kalvero.start();
    app->openPartProgram("Teil.PRG");
  }

  std::string nestCatalog() const { return CatalogPath(env.programFolder, Catalog::NestID); }

  OrderForm form = ValidOrderForm();
  std::shared_ptr<FakeKvoApplication> app;
};

}  // namespace kvotlk::test
