#pragma once

#include "catalogs/CatalogEditor.h"

namespace kvotlk {

// The nest-ID catalogue editor (NestID.dat).
class frm_NestIDsKatalog : public CatalogEditor {
  Q_OBJECT

 public:
  frm_NestIDsKatalog(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                     QWidget* parent = nullptr);

 protected:
  NewEntry newEntry(const std::string& number, const std::string& name,
                    const std::vector<std::string>& entries) override;
};

}  // namespace kvotlk
