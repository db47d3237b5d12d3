#include "Driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>

#include "FramedWindow.h"

namespace kvotlk::test {
namespace {

constexpr int kTickMs = 20;
constexpr int kMaxWaitTicks = 60000 / kTickMs;

// The visible widget of that name, in any top-level window.
QWidget* findVisible(const QString& name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) {
      continue;
    }
    if (top->objectName() == name) {
      return top;
    }
    if (auto* child = top->findChild<QWidget*>(name)) {
      return child;
    }
  }
  return nullptr;
}

// Something happens outside the driver's own tick, so that a modal box it opens runs its
// own event loop in which the driver can go on.
template <typename Function>
void later(QObject* context, Function function) {
  QMetaObject::invokeMethod(context, function, Qt::QueuedConnection);
}

QString shown(QString text) {
  return text.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
      .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

QString argumentText(const QString& text) {
  return text == QStringLiteral("\"\"") ? QString() : text;
}

bool setText(QWidget* widget, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable()) {
    combo->setEditText(text);
  } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
    spin->setValue(text.toInt());
  } else {
    return false;
  }
  return true;
}

bool choose(QWidget* widget, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    return index >= 0;
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    if (!items.isEmpty()) {
      list->setCurrentItem(items.front());
    }
    return !items.isEmpty();
  }
  return false;
}

QString textOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->text();
  }
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    return edit->text();
  }
  if (auto* text = qobject_cast<QTextEdit*>(widget)) {
    // The first line: a page's title, or the one line of a message.
    return text->toPlainText().section(QLatin1Char('\n'), 0, 0);
  }
  return {};
}

// A control's state as "zeige" reports it.
QString state(QWidget* widget) {
  QStringList parts;
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    for (int row = 0; row < list->count(); ++row) {
      parts << QLatin1Char('"') + list->item(row)->text() + QLatin1Char('"');
    }
  } else if (auto* grid = qobject_cast<QTableWidget*>(widget)) {
    for (int row = 0; row < grid->rowCount(); ++row) {
      const QTableWidgetItem* id = grid->item(row, 0);
      const QTableWidgetItem* value = grid->item(row, 1);
      parts << (id ? id->text() : QString()) + QLatin1Char('|') +
                   (value ? value->text() : QString());
    }
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    parts << QLatin1Char('"') + combo->currentText() + QLatin1Char('"') << QStringLiteral("aus");
    for (int row = 0; row < combo->count(); ++row) {
      parts << QLatin1Char('"') + combo->itemText(row) + QLatin1Char('"');
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
             button && button->isCheckable()) {
    parts << (button->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
  } else if (!qobject_cast<QAbstractButton*>(widget)) {
    parts << QLatin1Char('"') + textOf(widget) + QLatin1Char('"');
  }
  parts << (widget->isEnabled() ? QString() : QStringLiteral("gesperrt"))
        << (widget->isVisible() ? QString() : QStringLiteral("verborgen"));
  parts.removeAll(QString());
  return parts.join(QLatin1Char(' '));
}

void press(QWidget* widget, const QString& key) {
  const QKeyCombination combination = QKeySequence::fromString(key)[0];
  const Qt::KeyboardModifiers modifiers =
      combination.key() == Qt::Key_Enter ? Qt::KeypadModifier : combination.keyboardModifiers();
  widget->setFocus();
  for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, combination.key(), modifiers, key.size() == 1 ? key : QString());
    QCoreApplication::sendEvent(widget, &event);
  }
}

}  // namespace

Driver::Driver(const QString& scriptPath) : report_(scriptPath + QStringLiteral(".bericht")) {
  QFile script(scriptPath);
  if (script.open(QIODevice::ReadOnly | QIODevice::Text)) {
    for (const QString& line : QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'))) {
      const QString step = line.trimmed();
      if (!step.isEmpty() && !step.startsWith(QLatin1Char('#'))) {
        steps_ << step;
      }
    }
  }
  report_.open(QIODevice::WriteOnly | QIODevice::Truncate);
  if (!script.isOpen()) {
    report(QStringLiteral("ABBRUCH Skript %1 nicht lesbar").arg(scriptPath));
    return;
  }
  connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
  timer_.start(kTickMs);
}

void Driver::report(const QString& line) {
  report_.write((line + QLatin1Char('\n')).toUtf8());
  report_.flush();
}

void Driver::tick() {
  if (next_ >= steps_.size()) {
    timer_.stop();
    return;
  }
  const QString& step = steps_[next_];
  failure_.clear();
  const Outcome outcome = perform(step);
  if (outcome == Outcome::Wait && ++waitedTicks_ < kMaxWaitTicks) {
    return;
  }
  if (outcome == Outcome::Done) {
    report(QStringLiteral("OK ") + step);
    waitedTicks_ = 0;
    ++next_;
    return;
  }
  report(QStringLiteral("ABBRUCH %1: %2")
             .arg(step, failure_.isEmpty() ? QStringLiteral("zu lange gewartet") : failure_));
  timer_.stop();
}

Driver::Outcome Driver::perform(const QString& step) {
  const QString verb = step.section(QLatin1Char(' '), 0, 0);
  const QString name = step.section(QLatin1Char(' '), 1, 1);
  const QString rest = argumentText(step.section(QLatin1Char(' '), 2).trimmed());
  const QString all = step.section(QLatin1Char(' '), 1).trimmed();
  if (verb == QStringLiteral("antworte")) {
    return answer(all);
  }
  if (verb == QStringLiteral("warte-meldung")) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return Outcome::Wait;
    }
    report(QStringLiteral("MELDUNG ") + shown(box->text()));
    return Outcome::Done;
  }
  if (verb == QStringLiteral("melde")) {
    report(QStringLiteral("MELDE ") + all);
    return Outcome::Done;
  }
  if (verb == QStringLiteral("warte-datei")) {
    // A relative path names a file beside the script.
    const QString path = QFileInfo(report_.fileName()).dir().filePath(all);
    return QFile::exists(path) ? Outcome::Done : Outcome::Wait;
  }
  if (const auto extra = extraSteps_.find(verb); extra != extraSteps_.end()) {
    if (const QString line = extra->second(all); !line.isEmpty()) {
      report(line);
    }
    return Outcome::Done;
  }
  if (verb == QStringLiteral("beende")) {
    later(qApp, [] { QCoreApplication::quit(); });
    return Outcome::Done;
  }
  QWidget* widget = findVisible(name);
  if (widget == nullptr) {
    return Outcome::Wait;
  }
  bool ok = true;
  if (verb == QStringLiteral("warte-fenster")) {
    return Outcome::Done;
  } else if (verb == QStringLiteral("warte-text")) {
    return textOf(widget) == rest ? Outcome::Done : Outcome::Wait;
  } else if (verb == QStringLiteral("setze")) {
    ok = setText(widget, rest);
  } else if (verb == QStringLiteral("waehle")) {
    ok = choose(widget, rest);
  } else if (verb == QStringLiteral("klicke")) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    ok = button != nullptr;
    if (ok) {
      later(button, [button] { button->click(); });
    }
  } else if (verb == QStringLiteral("bild")) {
    ok = framed(*widget->window()).save(rest, "PNG");
    if (!ok) {
      failure_ = QStringLiteral("Bild %1 nicht geschrieben").arg(rest);
      return Outcome::Failed;
    }
  } else if (verb == QStringLiteral("zeige")) {
    report(QStringLiteral("ZEIGE %1 %2").arg(name, state(widget)).trimmed());
  } else if (verb == QStringLiteral("taste")) {
    later(widget, [widget, rest] { press(widget, rest); });
  } else if (verb == QStringLiteral("schliesse")) {
    later(widget, [widget] { widget->close(); });
  } else {
    failure_ = QStringLiteral("unbekannter Schritt");
    return Outcome::Failed;
  }
  if (!ok) {
    failure_ = QStringLiteral("passt nicht zu %1")
                   .arg(QString::fromUtf8(widget->metaObject()->className()));
  }
  return ok ? Outcome::Done : Outcome::Failed;
}

Driver::Outcome Driver::answer(const QString& button) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) {
    return Outcome::Wait;
  }
  QStringList offered;
  for (QAbstractButton* candidate : box->buttons()) {
    offered << candidate->text().remove(QLatin1Char('&'));
    if (offered.back() == button) {
      report(QStringLiteral("MELDUNG ") + shown(box->text()));
      later(candidate, [candidate] { candidate->click(); });
      return Outcome::Done;
    }
  }
  failure_ = QStringLiteral("kein Knopf %1 in \"%2\" (Knöpfe: %3)")
                 .arg(button, shown(box->text()), offered.join(QStringLiteral(", ")));
  return Outcome::Failed;
}

}  // namespace kvotlk::test
