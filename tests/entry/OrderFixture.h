#pragma once

#include <map>
#include <memory>
#include <string>

#include "catalogs/CatalogFiles.h"
#include "entry/OrderForm.h"
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

  std::string nestCatalog() const { return CatalogPath(env.programFolder, Catalog::NestID); }

  // Applies "name=value|name=value": form fields by their control names ("-" deselects a
  // list), the run-time copies varLaengeArtikelNr, strNestIDVerwenden and
  // blnMessserieUmfang, "Kalvero=aus" or "Kalvero=leer", any other name as a setting.
  void apply(std::string_view changes) {
    static const std::map<std::string, std::string OrderForm::*, std::less<>> texts = {
        {"txt_Artikel", &OrderForm::txt_Artikel},
        {"txt_Auftrag", &OrderForm::txt_Auftrag},
        {"txt_Probenumfang", &OrderForm::txt_Probenumfang},
        {"txtAnzahlDerTeile", &OrderForm::txtAnzahlDerTeile},
        {"txt_DatumTag", &OrderForm::txt_DatumTag},
        {"txt_DatumMonat", &OrderForm::txt_DatumMonat},
        {"txt_DatumJahr", &OrderForm::txt_DatumJahr},
        {"txt_UhrzeitStunde", &OrderForm::txt_UhrzeitStunde},
        {"txt_UhrzeitMinute", &OrderForm::txt_UhrzeitMinute},
        {"txt_Nestnummer", &OrderForm::txt_Nestnummer},
        {"lblNestID", &OrderForm::lblNestID}};
    while (!changes.empty()) {
      const std::string_view item = changes.substr(0, changes.find('|'));
      changes.remove_prefix(std::min(changes.size(), item.size() + 1));
      const std::string_view name = item.substr(0, item.find('='));
      const std::string value(item.substr(name.size() + 1));
      const std::optional<std::string> entry =
          value == "-" ? std::nullopt : std::optional<std::string>(value);
      if (const auto text = texts.find(name); text != texts.end()) {
        form.*(text->second) = value;
      } else if (name == "varLaengeArtikelNr") {
        g.varLaengeArtikelNr = value;
      } else if (name == "strNestIDVerwenden") {
        g.strNestIDVerwenden = value;
      } else if (name == "blnMessserieUmfang") {
        g.blnMessserieUmfang = value == "1";
      } else if (name == "combo_Pruefer") {
        form.combo_Pruefer = entry;
      } else if (name == "Combo_Maschine") {
        form.Combo_Maschine = entry;
      } else if (name == "chkNest") {
        form.chkNest = std::stoi(value);
      } else if (item == "Kalvero=aus") {
        kalvero.windowExists = false;
      } else if (item == "Kalvero=leer") {
        app->closePartProgram();
      } else {
        setSetting(name, value);
      }
    }
  }

  OrderForm form = ValidOrderForm();
  std::shared_ptr<FakeKvoApplication> app;
};

}  // namespace kvotlk::test
