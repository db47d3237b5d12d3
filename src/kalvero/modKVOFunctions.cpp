#include "kalvero/modKVOFunctions.h"

#include "common/Environment.h"
#include "common/Text.h"
#include "kalvero/KalveroPort.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

bool ConnectToKvo(Environment& env, KvoObjects& g) {
  // A held application is asked once whether it still answers; one that does not is
  // dropped with everything taken from it.
  if (g.KvoApp && !g.KvoApp->AppVersionText()) {
    ReleaseKvoObjects(g);
  }
  if (!g.KvoApp && env.kalvero.MainWindowExists()) {
    g.KvoApp = env.kalvero.GetRunningApplication();
  }
  return g.KvoApp != nullptr;
}

bool GetOpenPartProg(KvoObjects& g) {
  if (g.KvoApp) {
    const auto current = g.KvoApp->CurrentPartProg();
    g.KvoPartProg = current ? *current : nullptr;
  }
  const auto name = g.KvoPartProg ? g.KvoPartProg->PartProgName() : std::nullopt;
  if (!name) {
    g.strMessprogrammName.clear();
    return false;
  }
  g.strMessprogrammName = PartProgBaseName(*name);
  return true;
}

std::string PartProgBaseName(std::string_view fileName) {
  const std::size_t length = charCount(fileName);
  return length > 4 ? leftChars(fileName, length - 4) : std::string();
}

bool ReleaseKvoObjects(KvoObjects& g) {
  g.KvoDimension.reset();
  g.KvoTextCmd.reset();
  g.KvoPartProg.reset();
  g.KvoApp.reset();
  return true;
}

}  // namespace kvotlk
