#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace kvotlk {
namespace {

// Drawn on a 64 x 64 grid, scaled to the size asked for.
constexpr double kGrid = 64.0;

void drawBackground(QPainter& painter) {
  QLinearGradient fill(0, 0, 0, kGrid);
  fill.setColorAt(0.0, QColor(0x2b, 0x6c, 0xb0));
  fill.setColorAt(1.0, QColor(0x17, 0x3f, 0x6e));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
}

void drawSheet(QPainter& painter) {
  painter.setPen(QPen(QColor(0x9a, 0xa7, 0xb4), 1.0));
  painter.setBrush(Qt::white);
  QPainterPath sheet;
  sheet.moveTo(14, 10);
  sheet.lineTo(40, 10);
  sheet.lineTo(50, 20);
  sheet.lineTo(50, 54);
  sheet.lineTo(14, 54);
  sheet.closeSubpath();
  painter.drawPath(sheet);
  painter.setBrush(QColor(0xd5, 0xdd, 0xe6));
  painter.drawPolygon(QPolygonF({QPointF(40, 10), QPointF(40, 20), QPointF(50, 20)}));
  painter.setPen(QPen(QColor(0x17, 0x3f, 0x6e), 3.0, Qt::SolidLine, Qt::RoundCap));
  for (const double y : {26.0, 34.0, 42.0}) {
    painter.drawLine(QPointF(20, y), QPointF(36, y));
  }
}

// A probe of a measuring machine: head, stem and ruby ball touching the sheet.
void drawProbe(QPainter& painter) {
  painter.setPen(QPen(QColor(0x1e, 0x21, 0x25), 1.0));
  painter.setBrush(QColor(0x3b, 0x3f, 0x45));
  painter.drawRoundedRect(QRectF(37, 4, 14, 16), 3, 3);
  painter.setBrush(QColor(0xc9, 0xce, 0xd6));
  painter.drawRect(QRectF(42.5, 20, 3, 16));
  QRadialGradient ruby(QPointF(42, 39), 8);
  ruby.setColorAt(0.0, QColor(0xff, 0x8a, 0x8a));
  ruby.setColorAt(1.0, QColor(0xb0, 0x10, 0x10));
  painter.setPen(QPen(QColor(0x6e, 0x08, 0x08), 1.0));
  painter.setBrush(ruby);
  painter.drawEllipse(QPointF(44, 42), 6.5, 6.5);
}

}  // namespace

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  drawBackground(painter);
  drawSheet(painter);
  drawProbe(painter);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  }
  return icon;
}

}  // namespace kvotlk
