// Two end-to-end runs side by side: each one's simulator listens under the fixed
// endpoint in its own temporary folder, so runs never meet each other's simulator or the
// developer's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "IsolatedSession.h"
#include "simlink/SimProcess.h"

namespace kvotlk::test {
namespace {

TEST(IsolatedSessionTest, EachRunHasTheFixedEndpointToItself) {
  IsolatedSession first;
  IsolatedSession second;
  ASSERT_TRUE(first.valid() && second.valid());
  const QString simulator = first.install(QStringLiteral(KALVERO_SIM_PATH));
  const QStringList arguments{QStringLiteral("--ohne-fenster")};
  SimProcess one(arguments, first.environment(), simulator);
  SimProcess two(arguments, second.environment(), second.install(QStringLiteral(KALVERO_SIM_PATH)));
  EXPECT_TRUE(one.waitForLine("BEREIT kalvero-sim"));
  EXPECT_TRUE(two.waitForLine("BEREIT kalvero-sim"));
  EXPECT_TRUE(QFile::exists(first.endpointSocket()));
  EXPECT_TRUE(QFile::exists(second.endpointSocket()));
  EXPECT_EQ(QFileInfo(simulator).path(), first.programFolder());
}

TEST(IsolatedSessionTest, TheProgramFolderGetsTheSampleCatalogues) {
  IsolatedSession session;
  ASSERT_TRUE(session.installCatalogues(QStringLiteral(KVOTLK_EXAMPLES_DIR "/Kataloge")));
  const QDir catalogues(QDir(session.programFolder()).filePath(QStringLiteral("Kataloge")));
  EXPECT_EQ(catalogues.entryList(QDir::Files),
            (QStringList{QStringLiteral("Maschine.dat"), QStringLiteral("NestID.dat"),
                         QStringLiteral("Prüfer.dat")}));
}

}  // namespace
}  // namespace kvotlk::test
