#pragma once

#include "catalogs/CatalogEditor.h"

namespace kvotlk {

// The inspector catalogue editor (Prüfer.dat).
class frm_PrueferKatalog : public CatalogEditor {
  Q_OBJECT

 public:
  frm_PrueferKatalog(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                     QWidget* parent = nullptr);

 protected:
  NewEntry newEntry(const std::string& number, const std::string& name,
                    const std::vector<std::string>& entries) override;
};

}  // namespace kvotlk
