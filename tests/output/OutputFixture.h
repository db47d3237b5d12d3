#pragma once

#include <string>
#include <vector>

#include "common/Paths.h"
#include "output/modTuLOutput.h"
#include "state/OrderForm.h"
#include "support/ExampleOrder.h"
#include "support/TestEnvironment.h"

// Order data and captured samples made by hand, and the folders of a send.
namespace kvotlk::test {

using Names = std::vector<std::string>;

// The order of the example file: two characteristics, three samples.
inline void setExampleOrder(modGlobaleVariablen& g) {
  setExampleOrderVariables(g);
  g.intNestnummerAmMerkmal = 1;
  const std::vector<std::vector<double>> values = {
      {12.3456, -0.0125}, {12.3449, 0.0}, {12.35, 100.0}};
  g.arrStichproben.assign(1, Stichprobe{});
  for (const auto& sampleValues : values) {
    Stichprobe sample;
    sample.strMerkmal.insert(sample.strMerkmal.end(), {"10", "20"});
    sample.dblMesswert.insert(sample.dblMesswert.end(), sampleValues.begin(), sampleValues.end());
    g.arrStichproben.push_back(sample);
  }
  g.intAnzStichproben = 3;
  g.intAnzMerkmale = 2;
}

// The example file, byte for byte: its head, then one block per characteristic.
inline std::string exampleFile() {
  return "BEGINN_MESSUNG\r\n \r\nARTIKEL=A100\r\nMASCHINE=M7\r\nPRUEFER=12\r\n"
         "ZEIT=05.12.2026/09:30\r\nAUFTRAG=40711\r\n"
         "UMFANG=3\r\nMERKMAL=10\r\n \r\nBEGINN_WERTE\r\n12,346\r\n12,345\r\n12,350\r\n"
         "ENDE_WERTE\r\n \r\n \r\n"
         "UMFANG=3\r\nMERKMAL=20\r\n \r\nBEGINN_WERTE\r\n-0,013\r\n0,000\r\n100,000\r\n"
         "ENDE_WERTE\r\n \r\n \r\n"
         "ENDE_MESSUNG\r\n";
}

inline std::string sep() { return {kPathSeparator}; }

// A send's world: program folder, its staging folder and a target folder.
struct SendWorld {
  SendWorld() {
    setExampleOrder(t.g);
    t.files.addFolder(target);
    t.setSetting("DIR", target);
  }

  std::string stagedPath(const std::string& name) const { return staging + name; }
  std::string targetPath(const std::string& name) const { return target + sep() + name; }
  std::string log() const { return t.files.content(staging + "TLDebug.txt"); }
  bool send() { return Written(WriteResultFile(t.env, t.g, form)); }

  TestEnvironment t;
  OrderForm form;
  std::string staging = t.env.programFolder + sep() + "TempData" + sep();
  std::string target = sep() + "caq" + sep() + "eingang";
};

}  // namespace kvotlk::test
