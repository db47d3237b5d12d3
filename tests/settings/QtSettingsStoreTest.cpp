#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "platform/qt/QtSettingsStore.h"
#include "settings/modRegistrierung.h"

namespace kvotlk::test {
namespace {

TEST(QtSettingsStore, SectionIsTheIniGroupEmptyIsKeptAndAFailedWriteIsReported) {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("KVOTLK.ini"));
  const std::string root{kRegistryRoot};
  QtSettingsStore store(root, ini);
  EXPECT_FALSE(store.read(root + "Config\\NumDez").has_value());
  EXPECT_EQ(ReadSetting(store, root, "Config", "NumDez", "3"), "3");
  EXPECT_TRUE(WriteSetting(store, root, "Config", "DIR", "/daten/prüf"));
  ASSERT_TRUE(store.write(root + "Config\\FILE", ""));
  EXPECT_EQ(store.read(root + "Config\\FILE"), std::optional<std::string>(""));
  QSettings raw(ini, QSettings::IniFormat);
  EXPECT_EQ(raw.value(QStringLiteral("Config/NumDez")).toString(), QStringLiteral("3"));
  EXPECT_EQ(raw.value(QStringLiteral("Config/DIR")).toString(), QStringLiteral("/daten/prüf"));

  QtSettingsStore blocked(root, dir.filePath(QStringLiteral("missing/folder/KVOTLK.ini")));
  QFile blocker(dir.filePath(QStringLiteral("missing")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
  blocker.close();
  EXPECT_FALSE(blocked.write(root + "Config\\NumDez", "3"));
}

// Typed into the file by hand, an unquoted list or "@Rect(…)" is read by QSettings as
// another type: no text as typed, so the value counts as missing.
TEST(QtSettingsStore, HandTypedValuesOfOtherTypesCountAsMissing) {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("KVOTLK.ini"));
  const std::string root{kRegistryRoot};
  QFile file(ini);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Config]\nDIR=a,b\nFILE=@Rect(1 2 3 4)\nNumDez=4\n");
  file.close();
  QtSettingsStore store(root, ini);
  EXPECT_EQ(store.read(root + "Config\\DIR"), std::nullopt);
  EXPECT_EQ(store.read(root + "Config\\FILE"), std::nullopt);
  EXPECT_EQ(store.read(root + "Config\\NumDez"), "4");
}

}  // namespace
}  // namespace kvotlk::test
