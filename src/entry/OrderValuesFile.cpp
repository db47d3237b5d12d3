#include "entry/OrderValuesFile.h"

#include "catalogs/CatalogLines.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/TemporaryName.h"
#include "common/Text.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr const char* kFixedName = "TLValues.txt";

void addLine(std::string& out, std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  appendLine(out, toCp1252(line));
}

void removeIfExists(FileSystem& files, const std::string& path) {
  const Path target = toFsPath(path);
  if (files.fileExists(target)) {
    files.removeFile(target);
  }
}

}  // namespace

std::string ValuesFileName(const modGlobaleVariablen& g) {
  if (!g.blnDateiErweiterungVerwenden) {
    return kFixedName;
  }
  return "TLValues" + g.strDateiErweiterung + ".txt";
}

std::string ValuesFilePath(const modGlobaleVariablen& g) {
  return joinPath(g.strStandardDir, ValuesFileName(g));
}

std::string ValuesFileContent(const modGlobaleVariablen& g, const OrderForm& form) {
  const std::string none;
  std::string out;
  addLine(out, "Artikel", trimBlanks(form.txt_Artikel));
  addLine(out, "Maschine", trimBlanks(form.Combo_Maschine.value_or(none)));
  addLine(out, "Auftrag", trimBlanks(form.txt_Auftrag));
  addLine(out, "Stichprobenumfang", trimBlanks(form.txt_Probenumfang));
  addLine(out, "Datum", trimBlanks(g.strDatum));
  addLine(out, "Uhrzeit", trimBlanks(g.strUhrzeit));
  addLine(out, "Pruefer", NumberInBrackets(form.combo_Pruefer.value_or(none)));
  addLine(out, "Nest ausgeben", std::to_string(form.chkNest));
  if (g.strNestIDVerwenden == "0") {
    addLine(out, "Nestnummer", trimBlanks(form.txt_Nestnummer));
  } else if (g.strNestIDVerwenden == "1") {
    addLine(out, "Nestnummer", trimBlanks(form.lblNestID));
  }
  addLine(out, "Anzahl der Teile", trimBlanks(form.txtAnzahlDerTeile));
  return out;
}

std::optional<std::string> SuffixProblem(std::string_view suffix) {
  if (!hasCharNotAllowedInFileName(suffix) && suffix.find("..") == std::string_view::npos) {
    return std::nullopt;
  }
  return "Die Dateierweiterung \"" + std::string(suffix) +
         "\" (Einstellung DateiErweiterung) ist als Teil eines Dateinamens nicht zulässig." +
         kCrLf +
         R"(Sie darf keine Pfadangabe, kein ".." und keines der Zeichen \ / : * ? " < > | )" +
         "enthalten.";
}

std::optional<std::string> ValuesFileSuffixProblem(const modGlobaleVariablen& g) {
  const auto problem =
      g.blnDateiErweiterungVerwenden ? SuffixProblem(g.strDateiErweiterung) : std::nullopt;
  if (!problem) {
    return std::nullopt;
  }
  return *problem + kCrLf +
         "Die Auftragsdaten werden nicht in eine Datei geschrieben; korrigieren Sie die "
         "Dateierweiterung in der Konfiguration.";
}

bool WriteValuesFile(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  // An empty standard folder names no folder: joined with it, the name would point into
  // the root of the drive. A bad suffix would name a file elsewhere.
  if (g.strStandardDir.empty() || ValuesFileSuffixProblem(g)) {
    g.strValuesFile.clear();
    return false;
  }
  g.strValuesFile = ValuesFilePath(g);
  const Path target = toFsPath(g.strValuesFile);
  // Written beside the file and renamed over it, so that the name never holds a
  // half-written file, not even when removing it after a failure fails as well. The
  // temporary name is this writer's alone: the folder may be shared by other stations.
  const Path written = toFsPath(
      joinPath(g.strStandardDir, TemporaryNameOf(env.files, env.random, ValuesFileName(g))));
  if (!writeNewFile(env.files, written, ValuesFileContent(g, form))) {
    env.files.removeFile(target);
    return false;
  }
  if (env.files.renameReplacing(written, target)) {
    return true;
  }
  env.files.removeFile(written);
  env.files.removeFile(target);
  return false;
}

std::string ValuesFileFailureMessage(const std::string& path) {
  return "Datei " + path + " konnte nicht geschrieben werden." + kCrLf +
         "Überprüfen Sie das Standardverzeichnis.";
}

void SaveOrderValues(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  if (g.intEinstellungenZurLaufzeitSpeichern != 1) {
    return;
  }
  if (const auto problem = ValuesFileSuffixProblem(g)) {
    g.strValuesFile.clear();
    env.prompts.showStop(*problem);
    return;
  }
  if (!WriteValuesFile(env, g, form)) {
    env.prompts.showStop(ValuesFileFailureMessage(ValuesFilePath(g)));
  }
}

void DeleteLeftoverValuesFile(Environment& env, const modGlobaleVariablen& g) {
  if (g.strStandardDir.empty()) {
    return;
  }
  removeIfExists(env.files, joinPath(g.strStandardDir, kFixedName));
}

void DeleteValuesFile(Environment& env, const modGlobaleVariablen& g) {
  if (!g.strValuesFile.empty()) {
    removeIfExists(env.files, g.strValuesFile);
  }
}

}  // namespace kvotlk
