#include "kvotlk-replay/ReplayStartup.h"

#include "app/modGlobaleVariablen.h"
#include "catalogs/CatalogFiles.h"
#include "common/Environment.h"
#include "entry/OrderValuesFile.h"
#include "settings/SettingReaders.h"
#include "settings/modRegistrierung.h"

namespace kvotlk::replay {

OrderLists LoadMainWindow(Environment& env, modGlobaleVariablen& g) {
  g.strRegistryRoot = std::string(kRegistryRoot);
  g.intAuftragsNrLaenge = ReadConfigInt16(env, g, SettingKey::AuftragsNrLaenge);
  g.varLaengeArtikelNr = ReadConfig(env, g, SettingKey::LaengeArtikelNr);
  g.intAuftragsNrGanzzahl = ReadConfigInt16(env, g, SettingKey::AuftragsNrGanzzahl);
  g.strStandardDir = ReadConfig(env, g, SettingKey::DIR);
  g.intEinstellungenZurLaufzeitSpeichern =
      ReadConfigInt16(env, g, SettingKey::EinstellungenZurLaufzeitSpeichern);
  g.blnDateiErweiterungVerwenden = ReadConfigFlag(env, g, SettingKey::DateiErweiterungVerwenden);
  g.strDateiErweiterung = ReadConfig(env, g, SettingKey::DateiErweiterung);
  g.blnMessserieUmfang = ReadConfigFlag(env, g, SettingKey::MessserieUmfang);
  DeleteLeftoverValuesFile(env, g);
  g.strNestIDVerwenden = ReadConfig(env, g, SettingKey::NestIDVerwenden);
  OrderLists lists;
  lists.combo_Pruefer = ReadCatalogForList(env, Catalog::Pruefer);
  lists.Combo_Maschine = ReadCatalogForList(env, Catalog::Maschine);
  return lists;
}

}  // namespace kvotlk::replay
