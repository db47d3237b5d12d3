// The main window's controls, arrangement, keyboard order and start-up sequence.
#include <QAction>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <algorithm>

#include "WindowTestSupport.h"
#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

const char* const kKeyboardOrder[] = {
    "txt_Artikel",    "txt_Auftrag",    "txt_Probenumfang",  "txt_DatumTag",
    "txt_DatumMonat", "txt_DatumJahr",  "txt_UhrzeitStunde", "txt_UhrzeitMinute",
    "combo_Prüfer",   "chkNest",        "txt_Nestnummer",    "cmd_OK",
    "cmd_Loeschen",   "Combo_Maschine", "txtAnzahlDerTeile"};

// The rectangle of a control in the window's coordinates.
QRect placeOf(const QWidget* widget) {
  return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
}

TEST_F(MainWindowTest, CaptionFramesButtonsAndToolTips) {
  load();
  EXPECT_EQ(window->objectName(), "frm_Eingabe");
  EXPECT_EQ(window->windowTitle(), "Kalvero - Tessmer & Lund Konverter");
  EXPECT_EQ(child<QGroupBox>("Frame1")->title(), "Pflichtfelder");
  EXPECT_EQ(child<QGroupBox>("Frame2")->title(), "Optionale Daten");
  EXPECT_EQ(child<QPushButton>("cmd_OK")->text(), "&OK");
  EXPECT_EQ(child<QPushButton>("cmd_OK")->toolTip(), "Daten werden übertragen");
  EXPECT_EQ(child<QPushButton>("cmd_Loeschen")->text(), "Einträge &Löschen");
  EXPECT_EQ(child<QPushButton>("cmd_Loeschen")->toolTip(), "Einträge entfernen");
  EXPECT_EQ(child<QCheckBox>("chkNest")->text(), "Nestnummer");
  EXPECT_EQ(label("lblStueckzahl")->text(), "Anzahl der Teile");
  EXPECT_EQ(label("lblNestID")->text(), "");

  // The tool tips that follow the settings are held by MainWindowToolTips.
  const std::pair<const char*, const char*> toolTips[] = {
      {"txt_Nestnummer", "Nur eine Zahl eingeben"},
      {"txt_Probenumfang", "max. 5 Zeichen eintragen"},
      {"txtAnzahlDerTeile", "max. 5 Zeichen eintragen"},
      {"txt_DatumTag", "Tag (max. 2 Zeichen)"},
      {"txt_DatumMonat", "Monat (max. 2 Zeichen)"},
      {"txt_DatumJahr", "Jahr (max. 4 Zeichen eintragen)"},
      {"txt_UhrzeitStunde", "Stunde (max. 2 Zeichen)"},
      {"txt_UhrzeitMinute", "Minute (max. 2 Zeichen)"}};
  for (const auto& [name, toolTip] : toolTips) {
    EXPECT_EQ(edit(name)->toolTip(), QString::fromUtf8(toolTip)) << name;
  }
}

TEST_F(MainWindowTest, TextBoxesAlignedAsDesignedWithoutLengthLimit) {
  load();
  const std::pair<const char*, bool> boxes[] = {
      {"txt_Artikel", false},       {"txt_Auftrag", false},      {"txt_Probenumfang", false},
      {"txtAnzahlDerTeile", false}, {"txt_DatumTag", true},      {"txt_DatumMonat", true},
      {"txt_DatumJahr", true},      {"txt_UhrzeitStunde", true}, {"txt_UhrzeitMinute", true},
      {"txt_Nestnummer", true}};
  for (const auto& [name, centred] : boxes) {
    EXPECT_EQ(edit(name)->alignment().testFlag(Qt::AlignHCenter), centred) << name;
    EXPECT_EQ(edit(name)->maxLength(), QLineEdit().maxLength()) << name;
  }
}

TEST_F(MainWindowTest, MenusWithTheirNamesAndMnemonics) {
  load();
  std::vector<std::string> shown;
  for (const QAction* entry : window->menuBar()->actions()) {
    const QMenu* menu = entry->menu();
    ASSERT_NE(menu, nullptr);
    shown.push_back((menu->objectName() + " " + menu->title()).toStdString());
    for (const QAction* command : menu->actions()) {
      shown.push_back(("- " + command->objectName() + " " + command->text()).toStdString());
    }
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{
                "menuDatei &Datei", "- menuBeenden &Beenden", "menuEinstellungen &Einstellungen",
                "- menuSetup &Setup", "menuKataloge &Kataloge", "- menuMaschine &Maschine",
                "- menuPrüfer &Prüfer", "- NestIDsKatalog &Nest ID's Katalog", "menuHilfe &?",
                "- menuInfo &Info zu Kalvero - Tessmer && Lund Konverter"}));
}

TEST_F(MainWindowTest, TabWalksTheFieldsInOrder) {
  setSetting("MessserieUmfang", "1");
  load();
  child<QCheckBox>("chkNest")->click();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  edit("txt_Artikel")->setFocus();
  std::vector<std::string> visited;
  for (std::size_t i = 0; i < std::size(kKeyboardOrder); ++i) {
    visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited,
            std::vector<std::string>(std::begin(kKeyboardOrder), std::end(kKeyboardOrder)));
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "txt_Artikel") << "round again";
}

TEST_F(MainWindowTest, ArrangementOfFramesFieldsAndButtons) {
  setSetting("MessserieUmfang", "1");
  load();
  const QRect frame1 = placeOf(child<QGroupBox>("Frame1"));
  const QRect frame2 = placeOf(child<QGroupBox>("Frame2"));
  const QRect ok = placeOf(child<QPushButton>("cmd_OK"));
  const QRect clear = placeOf(child<QPushButton>("cmd_Loeschen"));
  EXPECT_GE(frame2.top(), frame1.bottom()) << "Frame2 below Frame1";
  EXPECT_GT(ok.left(), std::max(frame1.right(), frame2.right())) << "buttons right of frames";
  EXPECT_GE(clear.top(), ok.bottom()) << "OK above Löschen";

  // Each fixed label left of its field on the same line, the lines top to bottom.
  const std::pair<const char*, const char*> rows[] = {
      {"Artikel", "txt_Artikel"},          {"Fertigungsmaschine", "Combo_Maschine"},
      {"Auftrag", "txt_Auftrag"},          {"Stichprobenumfang", "txt_Probenumfang"},
      {"Fertigungsdatum", "txt_DatumTag"}, {"Fertigungsuhrzeit", "txt_UhrzeitStunde"},
      {"Prüfer", "combo_Prüfer"}};
  const QList<QLabel*> labels = window->findChildren<QLabel*>();
  int previousTop = -1;
  for (const auto& [captionText, field] : rows) {
    const QString wanted = QString::fromUtf8(captionText);
    const auto it = std::find_if(labels.begin(), labels.end(),
                                 [&wanted](const QLabel* l) { return l->text() == wanted; });
    ASSERT_NE(it, labels.end()) << captionText;
    const QRect labelPlace = placeOf(*it);
    const QRect fieldPlace = placeOf(child<QWidget>(field));
    EXPECT_TRUE(frame1.contains(labelPlace)) << captionText;
    EXPECT_LT(labelPlace.right(), fieldPlace.left()) << captionText;
    EXPECT_TRUE(fieldPlace.contains(fieldPlace.left() + 1, labelPlace.center().y())) << captionText;
    EXPECT_GT(fieldPlace.top(), previousTop) << captionText;
    previousTop = fieldPlace.top();
  }

  // The part count right of the sample size; date and time parts in a row with their
  // bold separators between them.
  const auto leftToRight = [&](std::vector<const QWidget*> widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) {
      EXPECT_LT(placeOf(widgets[i - 1]).right(), placeOf(widgets[i]).left())
          << widgets[i]->objectName().toStdString();
      EXPECT_NEAR(placeOf(widgets[i - 1]).center().y(), placeOf(widgets[i]).center().y(), 3);
    }
  };
  leftToRight({edit("txt_Probenumfang"), label("lblStueckzahl"), edit("txtAnzahlDerTeile")});
  leftToRight({edit("txt_DatumTag"), label("lblPunktTag"), edit("txt_DatumMonat"),
               label("lblPunktMonat"), edit("txt_DatumJahr")});
  leftToRight({edit("txt_UhrzeitStunde"), label("lblDoppelpunkt"), edit("txt_UhrzeitMinute")});
  for (const char* separator : {"lblPunktTag", "lblPunktMonat", "lblDoppelpunkt"}) {
    EXPECT_TRUE(label(separator)->font().bold()) << separator;
  }
  EXPECT_EQ(label("lblPunktTag")->text(), ".");
  EXPECT_EQ(label("lblDoppelpunkt")->text(), ":");
  // Frame2: check box, nest number and nest ID in one row.
  leftToRight({child<QCheckBox>("chkNest"), edit("txt_Nestnummer"), label("lblNestID")});
  EXPECT_TRUE(frame2.contains(placeOf(label("lblNestID"))));
}

TEST_F(MainWindowTest, StartWithCataloguesFillsTheFixedPitchListsWithoutSelection) {
  files.addFile(joinPath(env.programFolder, "TLValues.txt"), "Artikel=alt\r\n");
  load();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(entries("combo_Prüfer"),
            (std::vector<std::string>{"(12)    Müller", "(1234)  Schäfer", "", "(7)     Özdemir"}));
  EXPECT_EQ(entries("Combo_Maschine"), (std::vector<std::string>{"4711", "M7", "SG-220"}));
  for (const char* name : {"combo_Prüfer", "Combo_Maschine"}) {
    EXPECT_FALSE(list(name)->isEditable()) << name;
    EXPECT_TRUE(QFontInfo(list(name)->font()).fixedPitch()) << name;
    EXPECT_EQ(list(name)->currentIndex(), -1) << name;
  }
  EXPECT_GT(list("combo_Prüfer")->width(), list("Combo_Maschine")->width()) << "a wide list";
  EXPECT_FALSE(child<QCheckBox>("chkNest")->isChecked());
  EXPECT_FALSE(edit("txt_Nestnummer")->isEnabled());
  EXPECT_FALSE(files.hasFile(joinPath(env.programFolder, "TLValues.txt"))) << "leftover removed";
}

TEST_F(MainWindowTest, StartWithoutCataloguesShowsBothMessagesOverTheVisibleWindow) {
  removeCatalogues();
  load();
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen Katalog.",
                "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen Katalog."}));
  EXPECT_EQ(observed.windowVisible, (std::vector<bool>{true, true}));
  EXPECT_EQ(list("combo_Prüfer")->count() + list("Combo_Maschine")->count(), 0);
  const std::vector<std::string> dateTime = {
      text("txt_DatumTag").toStdString(), text("txt_DatumMonat").toStdString(),
      text("txt_DatumJahr").toStdString(), text("txt_UhrzeitStunde").toStdString(),
      text("txt_UhrzeitMinute").toStdString()};
  EXPECT_EQ(dateTime, (std::vector<std::string>{"05", "03", "2026", "08", "07"}));
}

TEST_F(MainWindowTest, MissingInspectorCatalogueDoesNotStopTheMachineList) {
  files.removeFile(toFsPath(CatalogPath(env.programFolder, Catalog::Pruefer)));
  load();
  EXPECT_EQ(messages().size(), 1U);
  EXPECT_EQ(list("Combo_Maschine")->count(), 3);
}

}  // namespace
}  // namespace kvotlk::test
