#pragma once

#include "state/modGlobaleVariablen.h"

namespace kvotlk::test {

// The order variables of the example result file, as a confirmation leaves them.
inline void setExampleOrderVariables(OrderVariables& order) {
  order.strArtikel = "A100";
  order.strMaschine = "M7";
  order.strPruefer = "12";
  order.strDatum = "05.12.2026";
  order.strUhrzeit = "09:30";
  order.strAuftrag = "40711";
}

}  // namespace kvotlk::test
