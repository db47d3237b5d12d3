#include "WindowTexts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>

namespace kvotlk::test {
namespace {

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// One control: caption or text, check mark, alignment, tool tip, and its state.
QString described(const QObject& object, const QWidget& window) {
  QString line = object.objectName();
  for (const char* caption : {"title", "text", "currentText"}) {
    if (const QVariant value = object.property(caption); value.isValid()) {
      line += QLatin1Char(' ') + quoted(value.toString());
      break;
    }
  }
  if (object.property("default").toBool()) {
    line += QStringLiteral(" Vorgabe");
  }
  if (object.property("checkable").toBool()) {
    line += QString::fromLatin1(object.property("checked").toBool() ? " [x]" : " [ ]");
  }
  if (object.property("alignment").value<Qt::Alignment>().testFlag(Qt::AlignHCenter)) {
    line += QStringLiteral(" mittig");
  }
  if (const QVariant limit = object.property("maxLength"); limit.isValid() && limit != 32767) {
    line += QStringLiteral(" begrenzt");
  }
  if (const QString tip = object.property("toolTip").toString(); !tip.isEmpty()) {
    line += QStringLiteral(" Tipp ") + quoted(tip);
  }
  if (const auto* widget = qobject_cast<const QWidget*>(&object)) {
    line += widget->isEnabled() ? QString() : QStringLiteral(" gesperrt");
    const bool hidden = !widget->isWindow() && !widget->isVisibleTo(&window);
    line += hidden ? QStringLiteral(" verborgen") : QString();
  }
  return line;
}

}  // namespace

std::string Describe(const QWidget& window) {
  QString text = window.objectName() + QLatin1Char(' ') + quoted(window.windowTitle());
  for (const QObject* object : window.findChildren<QObject*>()) {
    const QString name = object->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1Char('_')) && !name.startsWith(u"qt_")) {
      text += QLatin1Char('\n') + described(*object, window);
    }
  }
  return (text + QLatin1Char('\n')).toStdString();
}

void ExpectTexts(const QWidget& window, const char* name) {
  QFile file(QStringLiteral(KVOTLK_WINDOW_TEXTS "/%1.txt").arg(QString::fromUtf8(name)));
  const std::string described = Describe(window);
  // A reviewed change of the windows rewrites the files (see docs/gui.md).
  if (qEnvironmentVariableIsSet("KVOTLK_TEXTE_AKTUALISIEREN") && file.open(QIODevice::WriteOnly)) {
    file.write(described.data(), static_cast<qint64>(described.size()));
    return;
  }
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  EXPECT_EQ(described, file.readAll().toStdString()) << name;
}

}  // namespace kvotlk::test
