#pragma once

#include "catalogs/CatalogEditor.h"

namespace kvotlk {

// The machine catalogue editor (Maschine.dat).
class frm_Maschinenkatalog : public CatalogEditor {
  Q_OBJECT

 public:
  frm_Maschinenkatalog(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                       QWidget* parent = nullptr);

 protected:
  NewEntry newEntry(const std::string& number, const std::string& name,
                    const std::vector<std::string>& entries) override;
};

}  // namespace kvotlk
