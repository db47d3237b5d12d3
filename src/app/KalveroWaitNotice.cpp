#include "app/KalveroWaitNotice.h"

namespace kvotlk {

KalveroWaitNotice::KalveroWaitNotice()
    : QLabel(QStringLiteral("Warte auf Kalvero … Bitte den offenen Dialog in Kalvero schließen.")) {
  setObjectName(QStringLiteral("KalveroWaitNotice"));
  setWindowTitle(QStringLiteral("KVOTLK"));
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
  setMargin(16);
}

void KalveroWaitNotice::setWaiting(bool waiting) {
  if (!waiting) {
    hide();
    return;
  }
  show();
  raise();
  repaint();
}

}  // namespace kvotlk
