// A tiny program for the single-instance tests, started by them as a real
// process:
//
//   single_instance_probe PROGRAM RUNTIME_DIR
//
// prints "first", "other" or "failed: WHY" on a line of its own. "other"
// ends with status 0 at once, as a second copy of the programs does. The
// first copy keeps a hidden window (a program in the notification area)
// until it is asked to come to the front, then prints "activated" and
// whether the window is visible now, and ends with 0; after 30 seconds
// without a request it ends with 2.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "views/single_instance.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: single_instance_probe PROGRAM RUNTIME_DIR\n");
    return 64;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  CSingleInstance instance(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  switch (instance.Start()) {
    case CSingleInstance::Outcome::kOtherRunning:
      std::printf("other\n");
      return 0;
    case CSingleInstance::Outcome::kFailed:
      std::printf("failed: %s\n", qPrintable(instance.Error()));
      return 1;
    case CSingleInstance::Outcome::kFirst:
      break;
  }
  std::printf("first\n");
  std::fflush(stdout);
  QWidget window;
  window.resize(200, 100);
  QObject::connect(&instance, &CSingleInstance::activationRequested, [&] {
    BringToFront(&window);
    std::printf("activated %s\n", window.isVisible() ? "visible" : "hidden");
    app.exit(0);
  });
  QTimer::singleShot(30000, [&] { app.exit(2); });
  return app.exec();
}
