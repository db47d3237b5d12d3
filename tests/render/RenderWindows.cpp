// Draws every window of the program, filled as an operator would see it, into PNG files:
// kvotlk-render-windows <output folder>. Runs offscreen over the main window tests' doubles,
// so nothing on disk or in the settings is touched.
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDataStream>
#include <QDir>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <cstdio>

#include "FramedWindow.h"
#include "app/ProgramIcon.h"
#include "app/WindowTestSupport.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk::test {
namespace {

using Cmd = ScriptedCommand;

struct Output {
  QString folder;
  bool ok = true;

  void save(const QImage& image, const char* name) {
    const QString path = QDir(folder).filePath(QString::fromUtf8(name) + QStringLiteral(".png"));
    const bool saved = image.save(path);
    std::fprintf(saved ? stdout : stderr, saved ? "%s\n" : "Konnte %s nicht schreiben.\n",
                 qPrintable(path));
    ok = ok && saved;
  }
};

// The menus of a menu bar side by side, each under its title.
QImage menus(const QMenuBar& bar) {
  QList<QPixmap> pictures;
  QStringList titles;
  int width = 12;
  int height = 0;
  for (const QAction* action : bar.actions()) {
    if (QMenu* menu = action->menu()) {
      menu->adjustSize();
      pictures.append(menu->grab());
      titles.append(menu->title().remove(QLatin1Char('&')));
      width += pictures.back().width() + 12;
      height = std::max(height, pictures.back().height());
    }
  }
  QImage image(width, height + 40, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (qsizetype i = 0, left = 12; i < pictures.size(); left += pictures[i++].width() + 12) {
    painter.drawText(QPoint(static_cast<int>(left), 20), titles[i]);
    painter.drawPixmap(static_cast<int>(left), 30, pictures[i]);
  }
  return image;
}

// The program folder's drive with the folders down to the program folder.
struct RenderVolumes final : VolumeSource {
  explicit RenderVolumes(std::string programFolder) : folder(std::move(programFolder)) {}
  std::vector<std::string> drives() override {
    return {folder.substr(0, folder.find(kPathSeparator) + 1)};
  }
  std::vector<std::string> subfolders(const std::string& parent) override {
    const std::string prefix = parent.ends_with(kPathSeparator) ? parent : parent + kPathSeparator;
    if (parent == folder || !folder.starts_with(prefix)) {
      return parent == folder ? std::vector<std::string>{"Kataloge", "TempData"}
                              : std::vector<std::string>{};
    }
    const std::string rest = folder.substr(prefix.size());
    return {rest.substr(0, rest.find(kPathSeparator))};
  }
  std::string folder;
};

void renderMainAndCaptureWindows(Output& out) {
  MainWindowRig counted;
  counted.setSetting("MessserieUmfang", "1");
  counted.setSetting("NestIDVerwenden", "1");
  counted.load();
  counted.fillValidOrder();
  counted.edit("txtAnzahlDerTeile")->setText(QStringLiteral("250"));
  counted.child<QCheckBox>("chkNest")->click();
  counted.edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  out.save(framed(*counted.window), "frm_Eingabe_Stueckzahl");

  MainWindowRig rig;
  rig.load();
  rig.fillValidOrder();
  rig.edit("txt_Probenumfang")->setText(QStringLiteral("3"));
  out.save(framed(*rig.window), "frm_Eingabe");
  out.save(menus(*rig.window->menuBar()), "frm_Eingabe_Menues");
  // Characteristic IDs of seven characters, shown whole.
  rig.setSetting("IdLaenge", "7");
  rig.window->cmd_OK_Click();
  for (const double drift : {0.0, 0.0007}) {
    rig.app->run({Cmd::Dimension("4711101", 12.0034 + drift), Cmd::Dimension("4711102", 24.5),
                  Cmd::Dimension("4711103", -0.0125 + drift), Cmd::Dimension("4711104", 7.25)});
  }
  for (const std::string& message : rig.messages()) {
    std::fprintf(stderr, "Unerwartete Meldung: %s\n", message.c_str());
    out.ok = false;
  }
  out.save(framed(*rig.window->captureWindow()), "frm_TuL");
}

// The configuration dialog over the program folder; the editors (their second entry
// selected) and the about box as their menu commands open them.
void renderDialogs(Output& out) {
  MainWindowRig rig;
  rig.load();
  RenderVolumes volumes(rig.env.programFolder);
  const auto dialog = std::make_unique<frm_Konfiguration>(rig.env, rig.g, *rig.window, volumes);
  dialog->show();
  out.save(framed(*dialog), "frm_Konfiguration");
  for (const auto& [command, name] : {std::pair{"menuPrüfer", "frm_PrueferKatalog"},
                                      {"menuMaschine", "frm_Maschinenkatalog"},
                                      {"NestIDsKatalog", "frm_NestIDsKatalog"},
                                      {"menuInfo", "frm_About"}}) {
    rig.child<QAction>(command)->trigger();
    QWidget* window = rig.window->secondaryWindow();
    if (auto* list = window->findChild<QListWidget*>()) {
      list->setCurrentRow(1);
    }
    out.save(framed(*window), name);
    window->close();
  }
}

// The program icon, and the icon file of the executable (src/app/kvotlk.ico is a copy):
// PNG images at the sizes Windows asks for.
void renderIcon(Output& out) {
  const quint16 sizes[] = {16, 24, 32, 48, 64, 256};
  QByteArray header;
  QByteArray images;
  QDataStream entries(&header, QIODevice::WriteOnly);
  entries.setByteOrder(QDataStream::LittleEndian);
  entries << quint16(0) << quint16(1) << quint16(std::size(sizes));
  for (const quint16 size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ProgramIconImage(size).save(&buffer, "PNG");
    entries << quint8(size % 256) << quint8(size % 256) << quint16(0) << quint16(1) << quint16(32)
            << quint32(png.size()) << quint32(6 + 16 * qsizetype(std::size(sizes)) + images.size());
    images += png;
  }
  QFile ico(QDir(out.folder).filePath(QStringLiteral("kvotlk.ico")));
  const bool written = ico.open(QIODevice::WriteOnly) && ico.write(header + images) > 0;
  std::fprintf(written ? stdout : stderr, written ? "%s\n" : "Konnte %s nicht schreiben.\n",
               qPrintable(ico.fileName()));
  out.ok = out.ok && written;
  out.save(ProgramIconImage(256), "kvotlk_icon");
}

}  // namespace
}  // namespace kvotlk::test

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVOTLK"));
  QApplication::setWindowIcon(kvotlk::ProgramIcon());
  kvotlk::test::Output out{argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("render")};
  if (!QDir().mkpath(out.folder)) {
    std::fprintf(stderr, "Konnte den Ordner %s nicht anlegen.\n", qPrintable(out.folder));
    return 1;
  }
  kvotlk::test::renderMainAndCaptureWindows(out);
  kvotlk::test::renderDialogs(out);
  kvotlk::test::renderIcon(out);
  return out.ok ? 0 : 1;
}
