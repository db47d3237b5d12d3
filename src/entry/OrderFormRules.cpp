#include "entry/OrderFormRules.h"

#include "catalogs/CatalogFiles.h"
#include "catalogs/CatalogLines.h"
#include "common/Environment.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

std::string LookUpNestID(Environment& env, const modGlobaleVariablen& g,
                         std::string_view nestNumber) {
  if (g.strNestIDVerwenden != "1") {
    return {};
  }
  const auto lines = ReadCatalog(env.files, CatalogPath(env.data(), Catalog::NestID));
  if (!lines) {
    return {};
  }
  return FindNestID(*lines, nestNumber).value_or(std::string());
}

void NestNumberChanged(Environment& env, const modGlobaleVariablen& g, OrderForm& form) {
  form.lblNestID = LookUpNestID(env, g, form.txt_Nestnummer);
}

bool NestCheckBoxClicked(OrderForm& form) {
  form.lblNestID.clear();
  return form.chkNest == kChecked;
}

void ClearEntries(Environment& env, const modGlobaleVariablen& g, OrderForm& form) {
  form.txt_Artikel.clear();
  form.txt_Auftrag.clear();
  if (!form.txt_Nestnummer.empty()) {
    form.txt_Nestnummer.clear();
    NestNumberChanged(env, g, form);
  }
  form.txt_Probenumfang.clear();
  form.combo_Pruefer.reset();
  form.Combo_Maschine.reset();
}

}  // namespace kvotlk
