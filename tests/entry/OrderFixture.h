#pragma once

#include <memory>
#include <string>

#include "state/OrderForm.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// The order of the handoff-file example: every field valid, nest box unchecked.
inline OrderForm ValidOrderForm() {
  OrderForm f;
  f.txt_Artikel = "A-100";
  f.Combo_Maschine = "M7";
  f.txt_Auftrag = "4711";
  f.txt_Probenumfang = "5";
  f.txt_DatumTag = "05";
  f.txt_DatumMonat = "03";
  f.txt_DatumJahr = "2026";
  f.txt_UhrzeitStunde = "08";
  f.txt_UhrzeitMinute = "07";
  f.combo_Pruefer = "(12)    Name";
  return f;
}

// Run-time copies as start-up takes them from default settings, the CMM software running
// with a measuring program open, and a valid order form.
struct OrderFixture : TestEnvironment {
  OrderFixture() {
    g.strStandardDir = env.programFolder;
    g.varLaengeArtikelNr = "8";
    g.intEinstellungenZurLaufzeitSpeichern = 1;
    g.strNestIDVerwenden = "0";
    app = kalvero.start();
    app->openPartProgram("Teil.PRG");
  }

  OrderForm form = ValidOrderForm();
  std::shared_ptr<FakeKvoApplication> app;
};

}  // namespace kvotlk::test
