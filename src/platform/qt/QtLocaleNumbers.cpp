#include <QLocale>

#include "common/LocaleNumbers.h"

namespace kvotlk {

// The operator's separators from the system locale, with the portable parser.
std::unique_ptr<LocaleNumbers> makeLocaleNumbers() {
  const QLocale system = QLocale::system();
  return std::make_unique<PortableLocaleNumbers>(system.decimalPoint().toStdString(),
                                                 system.groupSeparator().toStdString());
}

}  // namespace kvotlk
