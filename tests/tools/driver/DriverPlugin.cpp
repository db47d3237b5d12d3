// Loads the driver into a Qt program through Qt's generic plugins: a test starts the
// program with QT_PLUGIN_PATH naming the folder above generic/ and
// QT_QPA_GENERIC_PLUGINS=kvotlkdriver:<script>. The program itself takes no argument and
// reads no variable; Qt loads the plugin while it makes the application object.
#include <QGenericPlugin>

#include "Driver.h"

namespace kvotlk::test {

class DriverPlugin final : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "kvotlkdriver.json")

 public:
  QObject* create(const QString& name, const QString& parameters) override {
    if (name.compare(QStringLiteral("kvotlkdriver"), Qt::CaseInsensitive) != 0) {
      return nullptr;
    }
    return new Driver(parameters);
  }
};

}  // namespace kvotlk::test

#include "DriverPlugin.moc"
