#include "kvotlk-replay/ReplayOptions.h"

#include <array>
#include <functional>
#include <map>

#include "program/ProgramLine.h"

namespace kvotlk::replay {
namespace {

constexpr std::int64_t kMaxRuns = 100000;

std::optional<int> digits(const std::string& text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) {
    return std::nullopt;
  }
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') {
      return std::nullopt;
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int daysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<bool> parseYesNo(const std::string& text) {
  if (text == "ja") {
    return true;
  }
  if (text == "nein") {
    return false;
  }
  return std::nullopt;
}

using OptionError = std::optional<std::string>;
using ValueReader = std::function<OptionError(ReplayOptions&, const std::string&)>;

OptionError wrongValue(const std::string& option, const std::string& value,
                       const std::string& expected) {
  return option + ": \"" + value + "\" ist " + expected + ".";
}

OptionError readYesNo(const std::string& option, const std::string& value, bool& answer) {
  const auto parsed = parseYesNo(value);
  if (!parsed) {
    return wrongValue(option, value, "weder ja noch nein");
  }
  answer = *parsed;
  return std::nullopt;
}

OptionError readSeed(const std::string& option, const std::string& value,
                     std::optional<std::uint64_t>& seed) {
  seed = program::parseSeed(value);
  return seed ? std::nullopt : wrongValue(option, value, "keine ganze Zahl ab 0");
}

// The options that take a value, with their readers.
const std::map<std::string, ValueReader, std::less<>>& valueOptions() {
  static const std::map<std::string, ValueReader, std::less<>> readers = {
      {"--auftrag",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.orderFile = v;
         return std::nullopt;
       }},
      {"--einstellungen",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.settingsFile = v;
         return std::nullopt;
       }},
      {"--messprogramm",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.programFile = v;
         return std::nullopt;
       }},
      {"--ablauf",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.scriptFile = v;
         return std::nullopt;
       }},
      {"--programmordner",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.programFolder = v;
         return v.empty() ? wrongValue("--programmordner", v, "kein Ordner") : std::nullopt;
       }},
      {"--datenordner",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.dataFolder = v;
         return v.empty() ? wrongValue("--datenordner", v, "kein Ordner") : std::nullopt;
       }},
      {"--laeufe",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         const auto runs = program::parseWhole(v, 0, kMaxRuns);
         o.runs = runs.value_or(0);
         return runs ? std::nullopt
                     : wrongValue("--laeufe", v,
                                  "keine ganze Zahl von 0 bis " + std::to_string(kMaxRuns));
       }},
      {"--startwert",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         return readSeed("--startwert", v, o.seed);
       }},
      {"--zufall",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         return readSeed("--zufall", v, o.nameSeed);
       }},
      {"--erhoehen",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         return readYesNo("--erhoehen", v, o.increaseAnswer);
       }},
      {"--weitere-probe",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         return readYesNo("--weitere-probe", v, o.measureMoreAnswer);
       }},
      {"--verwerfen",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         return readYesNo("--verwerfen", v, o.discardAnswer);
       }},
      {"--zeit",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         o.fixedTime = parseDateTime(v);
         return o.fixedTime ? std::nullopt
                            : wrongValue("--zeit", v, "kein Zeitpunkt wie 05.12.2026 09:30:05");
       }},
      {"--zahlen",
       [](ReplayOptions& o, const std::string& v) -> OptionError {
         if (v != "deutsch" && v != "englisch") {
           return wrongValue("--zahlen", v, "weder deutsch noch englisch");
         }
         o.numbers = v == "deutsch" ? NumberRules::German : NumberRules::English;
         return std::nullopt;
       }},
  };
  return readers;
}

OptionError readOption(const std::vector<std::string>& arguments, std::size_t& i,
                       ReplayOptions& options) {
  const std::string& option = arguments[i];
  if (option == "--ausfuehrlich") {
    options.verbose = true;
    return std::nullopt;
  }
  if (option == "--hilfe" || option == "-h") {
    options.help = true;
    return std::nullopt;
  }
  const auto reader = valueOptions().find(option);
  if (reader == valueOptions().end()) {
    return "Unbekannte Option " + option + ".";
  }
  if (i + 1 >= arguments.size()) {
    return "Zur Option " + option + " fehlt der Wert.";
  }
  return reader->second(options, arguments[++i]);
}

}  // namespace

const char* const kReplayUsage =
    "Aufruf: kvotlk-replay --auftrag DATEI [--einstellungen DATEI] [--messprogramm DATEI] "
    "[--ablauf DATEI] [Optionen]\n";

const char* const kReplayHelp =
    "\n"
    "Führt die Arbeit des Konverters ohne Fenster aus: die Prüfung des Auftrags wie \"&OK\",\n"
    "die Erfassung der Läufe des Messprogramms und das Senden wie \"Daten übertragen\".\n"
    "\n"
    "Eingaben:\n"
    "  --auftrag DATEI          Auftragsdatei, UTF-8: je Zeile Name=Wert mit dem Namen des\n"
    "                           Feldes (txt_Artikel, Combo_Maschine, txt_Auftrag,\n"
    "                           txt_Probenumfang, txtAnzahlDerTeile, txt_DatumTag,\n"
    "                           txt_DatumMonat, txt_DatumJahr, txt_UhrzeitStunde,\n"
    "                           txt_UhrzeitMinute, combo_Prüfer, chkNest, txt_Nestnummer)\n"
    "                           und dem Text wie eingetippt oder dem gewählten Listeneintrag\n"
    "  --einstellungen DATEI    Einstellungen als Schlüssel=Wert, Abschnitt [Config] erlaubt;\n"
    "                           ein fehlender Schlüssel hat seinen Standardwert; die Datei\n"
    "                           wird nicht geändert (ohne die Datei: alle Standardwerte)\n"
    "  --messprogramm DATEI     Messprogramm (.kmp), das Kalvero geöffnet hat (ohne: keines)\n"
    "  --laeufe N               so viele Läufe des Messprogramms (Standard 1)\n"
    "  --ablauf DATEI           die Schritte des Bedieners, UTF-8, einer je Zeile (# Kommentar):\n"
    "                           ok, feld NAME=WERT, lauf [N], start, befehl ZEILE (wie im\n"
    "                           Messprogramm), antwort ja|nein, loeschen, senden, schliessen,\n"
    "                           zeigen, kalvero-beenden, kalvero-starten, programm-schliessen,\n"
    "                           kalvero-weg-bei OPERATION [N], kalvero-weg-nach N, beenden,\n"
    "                           starten, wartende-senden, abbrechen [N];\n"
    "                           ohne die Datei: ok, die Läufe, senden und beenden\n"
    "  --startwert N            Startwert der erzeugten Messwerte (sonst der des\n"
    "                           Messprogramms, sonst 1)\n"
    "  --programmordner ORDNER  Programmordner mit Kataloge; TempData wird dort angelegt\n"
    "                           (Standard: der Ordner von kvotlk-replay); das Zielverzeichnis\n"
    "                           ist die Einstellung DIR\n"
    "  --datenordner ORDNER     TempData und Kataloge dort statt im Programmordner, wie bei\n"
    "                           einer Installation für alle Benutzer des PCs\n"
    "\n"
    "Antworten und Wiederholbarkeit:\n"
    "  --erhoehen ja|nein       Antwort auf \"Soll die Stichprobenanzahl erhöht werden?\"\n"
    "                           (Standard nein)\n"
    "  --weitere-probe ja|nein  Antwort auf \"Soll eine weitere Probe gemessen werden?\"\n"
    "                           (Standard nein; ja: es wird nichts gesendet)\n"
    "  --verwerfen ja|nein      Antwort auf \"Fenster schließen und die Messwerte verwerfen?\"\n"
    "                           beim Schritt schliessen (Standard nein)\n"
    "  --zeit \"TT.MM.JJJJ HH:MM:SS\"  feste Uhrzeit (Dateiname mit Datum und Uhrzeit)\n"
    "  --zufall N               Startwert für den zufälligen Dateinamen\n"
    "  --zahlen deutsch|englisch  Zahlenformat: Dezimalkomma (Standard) oder -punkt\n"
    "  --ausfuehrlich           jeder Lauf und jeder ausgeführte Befehl auf der\n"
    "                           Standardausgabe\n"
    "  --hilfe                  zeigt diese Hilfe\n"
    "\n"
    "Meldungen stehen auf der Standardfehlerausgabe (UTF-8), eine je Zeile, mit ihrer Art:\n"
    "STOPP: Text, MELDUNG: Text, FRAGE: Text -> Ja|Nein. Zeilenwechsel in einer Meldung\n"
    "werden zu \" | \", ein einzelnes CR zu \"␍\", ein einzelnes LF zu \"␊\". Fehler des\n"
    "Aufrufs und der Eingabedateien beginnen mit FEHLER:.\n"
    "\n"
    "Exitcodes (mit --ablauf: der des letzten Auftrags, ohne ok 3):\n"
    "  0  Ergebnisdatei zugestellt\n"
    "  1  Auftrag abgelehnt (die erste fehlgeschlagene Prüfung ist gemeldet)\n"
    "  2  Erfassung durch eine Meldung zur Merkmals-ID beendet, nichts gesendet\n"
    "  3  nicht gesendet, nichts geschrieben\n"
    "  4  Ergebnisdatei in TempData geschrieben, aber nicht zugestellt\n"
    "  5  Fehler im Aufruf oder in einer Eingabedatei\n";

std::variant<ReplayOptions, std::string> parseReplayOptions(
    const std::vector<std::string>& arguments) {
  ReplayOptions options;
  bool runsGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    runsGiven = runsGiven || arguments[i] == "--laeufe";
    if (auto error = readOption(arguments, i, options)) {
      return *error;
    }
  }
  if (options.help) {
    return options;
  }
  if (options.orderFile.empty()) {
    return std::string("Die Auftragsdatei fehlt (--auftrag DATEI).");
  }
  if (runsGiven && options.scriptFile) {
    return std::string("--laeufe gilt nur ohne --ablauf; im Ablauf steht dafür \"lauf N\".");
  }
  if (runsGiven && !options.programFile) {
    return std::string("--laeufe braucht ein Messprogramm (--messprogramm DATEI).");
  }
  return options;
}

std::optional<LocalDateTime> parseDateTime(const std::string& text) {
  if (text.size() != 16 && text.size() != 19) {
    return std::nullopt;
  }
  const bool separators = text[2] == '.' && text[5] == '.' && text[10] == ' ' && text[13] == ':' &&
                          (text.size() == 16 || text[16] == ':');
  const auto day = digits(text, 0, 2);
  const auto month = digits(text, 3, 2);
  const auto year = digits(text, 6, 4);
  const auto hour = digits(text, 11, 2);
  const auto minute = digits(text, 14, 2);
  const auto second = text.size() == 19 ? digits(text, 17, 2) : std::optional<int>(0);
  if (!separators || !day || !month || !year || !hour || !minute || !second || *year < 1 ||
      *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) || *hour > 23 ||
      *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  return LocalDateTime{*year, *month, *day, *hour, *minute, *second};
}

}  // namespace kvotlk::replay
