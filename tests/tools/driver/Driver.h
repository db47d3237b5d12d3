#pragma once

#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QWidget;

// Drives the windows of a Qt program from a script, for end-to-end tests: it fills in
// controls found by their objectName, clicks buttons, answers message boxes and waits
// for windows, texts and files. One step per line; "#" starts a comment line:
//
//   warte-fenster NAME      until a visible widget of that name exists
//   setze NAME TEXT         text of a line edit or editable combo box, value of a spin box
//   waehle NAME TEXT        entry of a combo box or list widget
//   klicke NAME             clicks a button
//   antworte KNOPF          waits for a message box, reports its text, clicks the button
//   warte-meldung           waits for a message box, reports its text, leaves it open
//   warte-text NAME TEXT    until a label or line edit shows the text
//   warte-datei PFAD        until the file exists (the test's signal to go on); a relative
//                           path is beside the script
//   melde TEXT              writes the text to the report
//   bild NAME PFAD          draws the window holding the widget, framed, into a PNG file
//   schliesse NAME          closes the window
//   beende                  quits the program
//
// TEXT is the rest of the line; "" stands for an empty text. The report, the script's
// path with ".bericht" appended, gets one line per step done ("OK <step>"), per message
// box ("MELDUNG <text>", line breaks as \r and \n), per "melde" ("MELDE <text>"), and
// "ABBRUCH <step>: <reason>" when a step fails or waits longer than a minute.
namespace kvotlk::test {

class Driver final : public QObject {
 public:
  explicit Driver(const QString& scriptPath);

 private:
  enum class Outcome { Done, Wait, Failed };

  void tick();
  Outcome perform(const QString& step);
  Outcome answer(const QString& button);
  void report(const QString& line);

  QStringList steps_;
  int next_ = 0;
  int waitedTicks_ = 0;
  QString failure_;
  QFile report_;
  QTimer timer_;
};

}  // namespace kvotlk::test
