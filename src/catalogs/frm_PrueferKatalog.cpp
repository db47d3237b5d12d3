#include "catalogs/frm_PrueferKatalog.h"

#include "common/Environment.h"

namespace kvotlk {

frm_PrueferKatalog::frm_PrueferKatalog(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                                       QWidget* parent)
    : CatalogEditor(
          env, g, order,
          {Catalog::Pruefer, "frm_PrüferKatalog", QStringLiteral("Einrichtung für Prüferkatalog"),
           "lstPrüfer", "cmdDeletePrüfer", QStringLiteral("Prüfernummer (4stellig)"),
           QStringLiteral("Prüfername")},
          parent) {}

NewEntry frm_PrueferKatalog::newEntry(const std::string& number, const std::string& name,
                                      const std::vector<std::string>& entries) {
  return NewPrueferEntry(env_.numbers, number, name, entries);
}

}  // namespace kvotlk
