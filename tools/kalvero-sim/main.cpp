// kalvero-sim: the stand-in for the CMM software on machines without it.
#include <QApplication>
#include <QCoreApplication>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "kalvero-sim/SimOptions.h"
#include "kalvero-sim/SimScript.h"
#include "kalvero-sim/SimServer.h"
#include "kalvero-sim/SimWindow.h"
#include "kalvero-sim/StdinReader.h"

namespace {

// Exit codes besides 0.
constexpr int kWrongArguments = 2;
constexpr int kEndpointTaken = 3;

void print(const std::string& line) { std::cout << line << std::endl; }

// The arguments after the program's name, as UTF-8.
std::vector<std::string> arguments() {
  std::vector<std::string> list;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) {
    list.push_back(all[i].toStdString());
  }
  return list;
}

// Runs the simulator in the application's event loop until it is told to quit or its
// window is closed.
int simulate(const kvotlk::sim::SimOptions& options) {
  using namespace kvotlk::sim;
  SimServer server(options.endpoint);
  std::string reason;
  if (!server.listen(reason)) {
    std::cerr << reason << std::endl;
    return kEndpointTaken;
  }
  server.setSeed(options.seed);
  server.setPause(options.pauseMs);

  std::unique_ptr<SimWindow> window;
  if (!options.windowless) {
    window = std::make_unique<SimWindow>(server);
  }
  SimScript script(server, print, [](int status) { QCoreApplication::exit(status); });
  server.onLog = [&window](const std::string& line) {
    print(line);
    if (window) {
      window->appendLog(line);
    }
  };
  server.onChange = [&window, &script] {
    if (window) {
      window->refresh();
    }
    script.advance();
  };
  if (window) {
    window->show();
  }
  print("BEREIT " + options.endpoint);
  // The script starts inside the event loop, so that "beenden" can end it.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&script, &options] {
        for (const std::string& line : startupScript(options)) {
          script.add(line);
        }
      },
      Qt::QueuedConnection);
  std::unique_ptr<StdinReader> input;
  if (options.readStdin) {
    input = std::make_unique<StdinReader>(*QCoreApplication::instance(),
                                          [&script](const std::string& line) { script.add(line); });
  }
  const int status = QCoreApplication::exec();
  server.onChange = nullptr;
  server.onLog = nullptr;
  return status;
}

int run(int argc, char* argv[]) {
  // The window is wanted unless the command line says otherwise; scan for that before
  // the application object is made, which decides whether windows can exist.
  bool windowless = false;
  for (int i = 1; i < argc; ++i) {
    windowless = windowless || std::string(argv[i]) == "--ohne-fenster";
  }
  std::unique_ptr<QCoreApplication> application;
  if (windowless) {
    application = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    application = std::make_unique<QApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("kalvero-sim"));
  auto parsed = kvotlk::sim::parseOptions(arguments());
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << *error << "\n\n" << kvotlk::sim::kUsage;
    return kWrongArguments;
  }
  const auto& options = std::get<kvotlk::sim::SimOptions>(parsed);
  if (options.help) {
    std::cout << kvotlk::sim::kUsage;
    return 0;
  }
  return simulate(options);
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << error.what() << std::endl;
  } catch (...) {
    std::cerr << "Unbekannter Fehler." << std::endl;
  }
  return 1;
}
