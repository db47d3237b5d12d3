#pragma once

#include <QPushButton>
#include <QWidget>

namespace kvotlk {

// As on Windows, Enter presses the button that has the focus; Qt does so by itself only in
// dialogs. Call it once the window's buttons are made.
inline void EnterPressesTheFocusedButton(const QWidget& window) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    button->setAutoDefault(true);
  }
}

}  // namespace kvotlk
