#include "FramedWindow.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace kvotlk::test {

QImage framed(QWidget& window) {
  const QPixmap content = window.grab();
  if (window.windowType() == Qt::Popup) {
    return content.toImage();  // menus get no frame from a window manager
  }
  constexpr int kBar = 26;
  constexpr int kBorder = 1;
  QImage image(content.width() + 2 * kBorder, content.height() + kBar + kBorder,
               QImage::Format_ARGB32);
  image.fill(QColor(0x8a, 0x8a, 0x8a));
  QPainter painter(&image);
  painter.fillRect(QRect(kBorder, kBorder, content.width(), kBar - kBorder),
                   QColor(0xe6, 0xec, 0xf2));
  painter.drawPixmap(kBorder + 5, kBorder + 4, QApplication::windowIcon().pixmap(16, 16));
  QFont font = QApplication::font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(kBorder + 28, kBorder, content.width() - 60, kBar - kBorder),
                   Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
  painter.drawText(QRect(kBorder, kBorder, content.width() - 8, kBar - kBorder),
                   Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("✕"));
  painter.drawPixmap(kBorder, kBar, content);
  return image;
}

}  // namespace kvotlk::test
