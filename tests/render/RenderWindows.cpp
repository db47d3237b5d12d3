// Draws every window of the program, filled as an operator would see it, into PNG files:
// kvotlk-render-windows <output folder>. Runs on the offscreen platform; the machine is
// replaced by the test doubles, so nothing on disk or in the settings is touched.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <map>

#include "FramedWindow.h"
#include "about/frm_About.h"
#include "app/ProgramIcon.h"
#include "app/frm_Eingabe.h"
#include "capture/CaptureEngine.h"
#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

// The menus of a menu bar side by side, each under its title.
QImage menus(QMenuBar& bar) {
  QList<QMenu*> list;
  for (QAction* action : bar.actions()) {
    if (action->menu() != nullptr) {
      list.append(action->menu());
    }
  }
  QList<QPixmap> pictures;
  int width = 0;
  int height = 0;
  for (QMenu* menu : list) {
    menu->adjustSize();
    pictures.append(menu->grab());
    width += pictures.back().width() + 12;
    height = std::max(height, pictures.back().height());
  }
  QImage image(width + 12, height + 40, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  int left = 12;
  for (qsizetype i = 0; i < list.size(); ++i) {
    QString title = list[i]->title();
    title.remove(QLatin1Char('&'));
    painter.drawText(QPoint(left, 20), title);
    painter.drawPixmap(left, 30, pictures[i]);
    left += pictures[i].width() + 12;
  }
  return image;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
  const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  if (!image.save(path)) {
    std::fprintf(stderr, "Konnte %s nicht schreiben.\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

template <typename Widget>
Widget* child(QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromUtf8(name));
}

// A program folder with the sample catalogues, as the build tree holds it.
struct Machine : TestEnvironment {
  Machine() {
    files.addFile(CatalogPath(env.programFolder, Catalog::Pruefer),
                  toCp1252("(12)    Müller\r\n(1234)  Schäfer\r\n(7)     Özdemir\r\n"));
    files.addFile(CatalogPath(env.programFolder, Catalog::Maschine), "4711\r\nM7\r\nSG-220\r\n");
    files.addFile(CatalogPath(env.programFolder, Catalog::NestID),
                  "(1)     Nest links\r\n(2)     Nest rechts\r\n(3)     Form-3\r\n");
    clock.current = {2026, 3, 5, 8, 7, 0};
    app = kalvero.start();
    app->openPartProgram("Welle-40.kvp");
  }
  std::shared_ptr<FakeKvoApplication> app;
};

// An order an operator has typed in.
void fillOrder(frm_Eingabe& window) {
  child<QLineEdit>(window, "txt_Artikel")->setText(QStringLiteral("A-100"));
  child<QLineEdit>(window, "txt_Auftrag")->setText(QStringLiteral("4711"));
  child<QLineEdit>(window, "txt_Probenumfang")->setText(QStringLiteral("3"));
  child<QComboBox>(window, "Combo_Maschine")->setCurrentIndex(1);
  child<QComboBox>(window, "combo_Prüfer")->setCurrentIndex(1);
}

bool renderMainWindow(const QString& folder) {
  Machine machine;
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  fillOrder(window);
  return save(framed(window), folder, QStringLiteral("frm_Eingabe")) &&
         save(menus(*window.menuBar()), folder, QStringLiteral("frm_Eingabe_Menues"));
}

bool renderMainWindowWithPartCount(const QString& folder) {
  Machine machine;
  machine.setSetting("MessserieUmfang", "1");
  machine.setSetting("NestIDVerwenden", "1");
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  fillOrder(window);
  child<QLineEdit>(window, "txtAnzahlDerTeile")->setText(QStringLiteral("250"));
  child<QCheckBox>(window, "chkNest")->click();
  child<QLineEdit>(window, "txt_Nestnummer")->setText(QStringLiteral("2"));
  return save(framed(window), folder, QStringLiteral("frm_Eingabe_Stueckzahl"));
}

// Characteristic IDs of seven characters, shown whole.
bool renderCaptureWindow(const QString& folder) {
  Machine machine;
  machine.setSetting("IdLaenge", "7");
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  fillOrder(window);
  window.cmd_OK_Click();
  frm_TuL* capture = window.captureWindow();
  if (capture == nullptr) {
    std::fprintf(stderr, "Das Erfassungsfenster wurde nicht geöffnet.\n");
    return false;
  }
  using Cmd = ScriptedCommand;
  machine.app->run({Cmd::Dimension("4711101", 12.0034), Cmd::Dimension("4711102", 24.5),
                    Cmd::Dimension("4711103", -0.0125), Cmd::Dimension("4711104", 7.25)});
  machine.app->run({Cmd::Dimension("4711101", 12.0041), Cmd::Dimension("4711102", 24.4987),
                    Cmd::Dimension("4711103", -0.0098), Cmd::Dimension("4711104", 7.2512)});
  return save(framed(*capture), folder, QStringLiteral("frm_TuL"));
}

void appendLittleEndian(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.append(static_cast<char>((value >> (8 * i)) & 0xFFU));
  }
}

// An icon file of PNG images at the sizes Windows asks for, for the executable
// (src/app/kvotlk.ico is a copy of it).
QByteArray icoFile() {
  const int sizes[] = {16, 24, 32, 48, 64, 256};
  QList<QByteArray> images;
  for (const int size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ProgramIconImage(size).save(&buffer, "PNG");
    images.append(png);
  }
  QByteArray out;
  appendLittleEndian(out, 0, 2);
  appendLittleEndian(out, 1, 2);
  appendLittleEndian(out, static_cast<quint32>(images.size()), 2);
  auto offset = static_cast<quint32>(6 + 16 * images.size());
  for (qsizetype i = 0; i < images.size(); ++i) {
    const auto side = static_cast<quint32>(sizes[i] >= 256 ? 0 : sizes[i]);
    appendLittleEndian(out, side, 1);
    appendLittleEndian(out, side, 1);
    appendLittleEndian(out, 0, 2);
    appendLittleEndian(out, 1, 2);
    appendLittleEndian(out, 32, 2);
    appendLittleEndian(out, static_cast<quint32>(images[i].size()), 4);
    appendLittleEndian(out, offset, 4);
    offset += static_cast<quint32>(images[i].size());
  }
  for (const QByteArray& image : images) {
    out.append(image);
  }
  return out;
}

// The drives and folders the configuration dialog shows: the program folder's drive with
// the folders down to the program folder.
class RenderVolumes final : public VolumeSource {
 public:
  explicit RenderVolumes(const std::string& programFolder) {
    root_ = programFolder.substr(0, programFolder.find(kPathSeparator) + 1);
    std::string parent = root_;
    std::string rest = programFolder.substr(root_.size());
    while (!rest.empty()) {
      const std::string name = rest.substr(0, rest.find(kPathSeparator));
      children_[parent].push_back(name);
      parent = joinPath(withoutTrailingSeparator(parent), name);
      rest = rest.size() > name.size() ? rest.substr(name.size() + 1) : std::string();
    }
    children_[parent] = {"Kataloge", "TempData"};
  }
  std::vector<std::string> drives() override { return {root_}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    const auto found = children_.find(folder);
    return found == children_.end() ? std::vector<std::string>{} : found->second;
  }

 private:
  std::string root_;
  std::map<std::string, std::vector<std::string>> children_;
};

bool renderConfiguration(const QString& folder) {
  Machine machine;
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  RenderVolumes volumes(machine.env.programFolder);
  auto* dialog = new frm_Konfiguration(machine.env, machine.g, window, volumes);
  dialog->show();
  const bool saved = save(framed(*dialog), folder, QStringLiteral("frm_Konfiguration"));
  delete dialog;
  return saved;
}

// An editor as its menu command opens it, with its second entry selected.
bool renderEditor(const QString& folder, const char* command, const QString& name) {
  Machine machine;
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  window.findChild<QAction*>(QString::fromUtf8(command))->trigger();
  QWidget* editor = window.secondaryWindow();
  if (editor == nullptr) {
    std::fprintf(stderr, "%s öffnet kein Fenster.\n", command);
    return false;
  }
  if (auto* list = editor->findChild<QListWidget*>()) {
    list->setCurrentRow(1);
  }
  return save(framed(*editor), folder, name);
}

bool renderEditors(const QString& folder) {
  return renderEditor(folder, "menuPrüfer", QStringLiteral("frm_PrueferKatalog")) &&
         renderEditor(folder, "menuMaschine", QStringLiteral("frm_Maschinenkatalog")) &&
         renderEditor(folder, "NestIDsKatalog", QStringLiteral("frm_NestIDsKatalog"));
}

bool renderAbout(const QString& folder) {
  Machine machine;
  frm_Eingabe window(machine.env, machine.g);
  window.Form_Load();
  window.findChild<QAction*>(QStringLiteral("menuInfo"))->trigger();
  QWidget* about = window.secondaryWindow();
  return about != nullptr && save(framed(*about), folder, QStringLiteral("frm_About"));
}

// The program icon as the about box and the window frames show it, and as the icon file
// of the executable.
bool renderIcon(const QString& folder) {
  QFile ico(QDir(folder).filePath(QStringLiteral("kvotlk.ico")));
  if (!ico.open(QIODevice::WriteOnly) || ico.write(icoFile()) < 0) {
    std::fprintf(stderr, "Konnte %s nicht schreiben.\n", qPrintable(ico.fileName()));
    return false;
  }
  std::printf("%s\n", qPrintable(ico.fileName()));
  return save(ProgramIconImage(256), folder, QStringLiteral("kvotlk_icon"));
}

}  // namespace
}  // namespace kvotlk::test

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVOTLK"));
  QApplication::setWindowIcon(kvotlk::ProgramIcon());
  const QStringList arguments = QApplication::arguments();
  const QString folder = arguments.size() > 1 ? arguments[1] : QStringLiteral("render");
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "Konnte den Ordner %s nicht anlegen.\n", qPrintable(folder));
    return 1;
  }
  using kvotlk::test::renderCaptureWindow;
  const std::function<bool(const QString&)> renderers[] = {
      kvotlk::test::renderMainWindow,
      kvotlk::test::renderMainWindowWithPartCount,
      renderCaptureWindow,
      kvotlk::test::renderConfiguration,
      kvotlk::test::renderEditors,
      kvotlk::test::renderAbout,
      kvotlk::test::renderIcon};
  bool allWritten = true;
  for (const auto& render : renderers) {
    allWritten = render(folder) && allWritten;
  }
  return allWritten ? 0 : 1;
}
