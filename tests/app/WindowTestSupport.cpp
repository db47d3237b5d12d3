#include "WindowTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "catalogs/CatalogFiles.h"
#include "common/Text.h"

namespace kvotlk::test {
namespace {

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// One control: caption or text, check mark, alignment, tool tip, place and state.
QString described(const QObject& object, const QWidget& window, bool places) {
  QString line = object.objectName();
  for (const char* caption : {"title", "text", "currentText"}) {
    if (const QVariant value = object.property(caption); value.isValid()) {
      line += QLatin1Char(' ') + quoted(value.toString());
      break;
    }
  }
  const auto flag = [&](bool set, const QString& word) {
    line += set ? QLatin1Char(' ') + word : QString();
  };
  flag(object.property("default").toBool(), QStringLiteral("Vorgabe"));
  flag(object.property("checkable").toBool(),
       object.property("checked").toBool() ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
  flag(object.property("alignment").value<Qt::Alignment>().testFlag(Qt::AlignHCenter),
       QStringLiteral("mittig"));
  const QVariant limit = object.property("maxLength");
  flag(limit.isValid() && limit != 32767, QStringLiteral("begrenzt"));
  const QString tip = object.property("toolTip").toString();
  flag(!tip.isEmpty(), QStringLiteral("Tipp ") + quoted(tip));
  if (const auto* widget = qobject_cast<const QWidget*>(&object)) {
    const QRect place = widget->geometry();
    flag(places, QStringLiteral("@%1,%2 %3x%4")
                     .arg(place.x())
                     .arg(place.y())
                     .arg(place.width())
                     .arg(place.height()));
    flag(!widget->isEnabled(), QStringLiteral("gesperrt"));
    flag(!widget->isWindow() && !widget->isVisibleTo(&window), QStringLiteral("verborgen"));
  }
  return line;
}

}  // namespace

void processEvents() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

std::string Describe(const QWidget& window, bool places) {
  const auto named = [](const QObject* object) {
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1Char('_')) && !name.startsWith(u"qt_");
  };
  QString text = window.objectName() + QLatin1Char(' ') + quoted(window.windowTitle());
  text += places ? QStringLiteral(" %1x%2").arg(window.width()).arg(window.height()) : QString();
  for (const QObject* object : window.findChildren<QObject*>()) {
    text += named(object) ? QLatin1Char('\n') + described(*object, window, places) : QString();
  }
  // The keyboard order: the named controls Tab reaches, from the first in the chain.
  text += QStringLiteral("\nTab:");
  const QWidget* widget = &window;
  while ((widget = widget->nextInFocusChain()) != &window) {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0 && named(widget)) {
      text += QLatin1Char(' ') + widget->objectName();
    }
  }
  return (text + QLatin1Char('\n')).toStdString();
}

void ExpectTexts(const QWidget& window, const char* name, bool places) {
  QFile file(QFileInfo(QStringLiteral(__FILE__))
                 .dir()
                 .filePath(QStringLiteral("texts/%1.txt").arg(QString::fromUtf8(name))));
  const std::string described = Describe(window, places);
  // A reviewed change of the windows rewrites the files (see docs/gui.md).
  if (qEnvironmentVariableIsSet("KVOTLK_TEXTE_AKTUALISIEREN") && file.open(QIODevice::WriteOnly)) {
    file.write(described.data(), static_cast<qint64>(described.size()));
    return;
  }
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << str(file.fileName());
  EXPECT_EQ(described, file.readAll().toStdString()) << name;
}

MainWindowRig::MainWindowRig() {
  files.addFile(CatalogPath(env.programFolder, Catalog::Pruefer),
                toCp1252("(12)    Müller\r\n(1234)  Schäfer\r\n\r\n(7)     Özdemir\r\n"));
  files.addFile(CatalogPath(env.programFolder, Catalog::Maschine), "4711\r\nM7\r\nSG-220\r\n");
  files.addFile(CatalogPath(env.programFolder, Catalog::NestID),
                "(1)     Nest links\r\n(2)     Nest rechts\r\n(ab)    Nest-A\r\n");
  clock.current = {2026, 3, 5, 8, 7, 0};
  app = startKalvero();
}

MainWindowRig::~MainWindowRig() {
  window.reset();
  processEvents();
}

frm_Eingabe& MainWindowRig::load() {
  window = std::make_unique<frm_Eingabe>(windowEnv, g);
  window->Form_Load();
  return *window;
}

Names MainWindowRig::messages() const {
  Names texts;
  for (const ShownPrompt& prompt : prompts.shown) {
    texts.push_back(prompt.text);
  }
  return texts;
}

Names MainWindowRig::entries(const char* name) const {
  Names items;
  const auto* box = child<QComboBox>(name);
  for (int i = 0; i < box->count(); ++i) {
    items.push_back(str(box->itemText(i)));
  }
  return items;
}

}  // namespace kvotlk::test
