// Texts that the INI file of the settings store treats specially come back as they were
// stored: the dialog writes whatever is typed, and the readers decide what it means.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/qt/QtSettingsStore.h"
#include "settings/modRegistrierung.h"

namespace kvotlk::test {
namespace {

TEST(SettingsStore, EveryTextComesBackAsStored) {
  QTemporaryDir dir;
  const std::string root(kRegistryRoot);
  QtSettingsStore store(root, dir.filePath(QStringLiteral("KVOTLK.ini")));
  const std::string tenThousand(10000, 'x');
  const std::string texts[] = {"a,b",  "a, b, c",     "\"x\"",           "x=y",
                               "a;b",  "#x",          "  vorn",          "hinten  ",
                               "@x",   "@Variant(x)", "C:\\Daten\\Prüf", "[Config]",
                               "\t",   tenThousand,   "€ÄÖÜß",           "true",
                               "0x10", "1e5"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 20));
    ASSERT_TRUE(WriteSetting(store, root, "Config", "FILE", text));
    EXPECT_EQ(ReadSetting(store, root, "Config", "FILE", "Solvik.txt"), text);
  }
}

}  // namespace
}  // namespace kvotlk::test
