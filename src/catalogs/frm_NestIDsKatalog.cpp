#include "catalogs/frm_NestIDsKatalog.h"

#include "common/Environment.h"

namespace kvotlk {

// The delete button keeps the name it has in the inspector editor.
frm_NestIDsKatalog::frm_NestIDsKatalog(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                                       QWidget* parent)
    : CatalogEditor(
          env, g, order,
          {Catalog::NestID, "frm_NestIDsKatalog",
           QStringLiteral("Einrichtung für Nest ID's Katalog"), "lstNestID", "cmdDeletePrüfer",
           QStringLiteral("Nestnummer (2stellig)"), QStringLiteral("Nest ID")},
          parent) {}

NewEntry frm_NestIDsKatalog::newEntry(const std::string& number, const std::string& name,
                                      const std::vector<std::string>& entries) {
  return NewNestIDEntry(env_.numbers, number, name, entries);
}

}  // namespace kvotlk
