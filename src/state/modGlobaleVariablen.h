#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The program-wide state, in parts: a function takes the part it reads, and the whole
// struct converts to each of them. Every variable keeps its own name.
namespace kvotlk {

class KvoApplication;
class KvoPartProgram;
class KvoDimensionObject;
class KvoTextCommand;

// The settings store's root, set first at start-up.
struct SettingsRoot {
  std::string strRegistryRoot;
};

// Set by the order confirmation; read by the capture and the result file.
struct OrderVariables {
  std::string strArtikel;
  std::string strMaschine;
  std::string strAuftrag;
  std::int16_t intStichprobenumfang = 0;
  std::string strDatum;
  std::string strUhrzeit;
  std::string strPruefer;
  std::string strNestnummer;
  std::int16_t intNestnummerAmMerkmal = 0;
};

// One sample: parallel lists of characteristic IDs and measured values, indexed 0..m;
// entry 0 is never filled.
struct Stichprobe {
  std::vector<std::string> strMerkmal{std::string()};
  std::vector<double> dblMesswert{0.0};
};

// The captured samples and the capture's working variables. arrStichproben holds elements
// 0..intAnzStichproben.
struct CaptureData {
  std::vector<Stichprobe> arrStichproben{Stichprobe{}};
  std::int16_t intAnzStichproben = 0;
  std::int16_t intAnzMerkmale = 0;
  std::string strMerkmalID;
  // IDs of the last "ID" text command, entries 1..n; element 0 is unused, so the list is
  // empty when it holds only element 0.
  std::vector<std::string> arrIdListe{std::string()};
  bool blnBlockA = false;
  std::int16_t intPosInBlockA = 0;
  bool blnBlockB = false;
  std::int16_t intPosInBlockB = 0;
  std::int16_t intFeld165 = 0;
  double dblAktWert = 0.0;
};

// Run-time copies of settings, read at start-up and refreshed by the settings dialog.
struct RunTimeSettings {
  std::string strStandardDir;
  std::string varLaengeArtikelNr;
  std::int16_t intAuftragsNrLaenge = 0;
  std::int16_t intAuftragsNrGanzzahl = 0;
  std::int16_t intEinstellungenZurLaufzeitSpeichern = 0;
  std::string strNestIDVerwenden;
  bool blnDateiErweiterungVerwenden = false;
  std::string strDateiErweiterung;
  bool blnMessserieUmfang = false;
};

// The CMM software: application and part program held since the order confirmation, the
// measuring program's name, and the objects of the last executed command.
struct KvoObjects {
  std::shared_ptr<KvoApplication> KvoApp;
  std::shared_ptr<KvoPartProgram> KvoPartProg;
  std::string strMessprogrammName;
  std::shared_ptr<KvoDimensionObject> KvoDimension;
  std::shared_ptr<KvoTextCommand> KvoTextCmd;
};

// The whole program-wide state. Owned by the application, passed by reference to the
// windows and to core; tests make their own.
struct modGlobaleVariablen : SettingsRoot,
                             OrderVariables,
                             CaptureData,
                             RunTimeSettings,
                             KvoObjects {
  // The order handoff file written last; empty when none was written since start.
  std::string strValuesFile;
};

}  // namespace kvotlk
