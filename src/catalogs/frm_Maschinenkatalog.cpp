#include "catalogs/frm_Maschinenkatalog.h"

#include "settings/SettingReaders.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

frm_Maschinenkatalog::frm_Maschinenkatalog(Environment& env, modGlobaleVariablen& g,
                                           OrderEngine& order, QWidget* parent)
    : CatalogEditor(env, g, order,
                    {Catalog::Maschine, "frm_Maschinenkatalog",
                     QStringLiteral("Einrichtung für Maschinenkatalog"), "lstMaschine",
                     "cmdDeleteMaschine", QStringLiteral("Maschinennummer (5stellig)"), QString()},
                    parent) {}

// The permitted length is read afresh at each click, so a changed setting counts at once.
NewEntry frm_Maschinenkatalog::newEntry(const std::string& number, const std::string& /*name*/,
                                        const std::vector<std::string>& entries) {
  return NewMaschineEntry(number, ReadConfigInt16(env_, g_, SettingKey::MaschinenIdLaenge),
                          entries);
}

}  // namespace kvotlk
