// velloc and marrit: the desktop programs. One source built twice: marrit,
// the Handheld PC build, with TOMELING_HANDHELD (its "ファイル" menu, its
// accelerators, the full-text search and the next/previous-hit commands),
// velloc, the Pocket PC build, without.
//
//   velloc [--home DIR]     DIR: the application directory (profile.ini,
//   marrit [--home DIR]     keycode.ini, history.txt, the group files);
//                           else $TOMELING_HOME, else as app_dir.h says
//
// Start-up: the settings and the colour names (the session), the
// translators of the interface's language, the group
// file, the single-instance check (unless bMultiApp: a second start brings
// the running copy to the front and ends with 0), then the main window,
// which posts its first-start sequence.
// SIGTERM, SIGINT and SIGHUP close the window as the user would, so the
// settings, the group and the history are saved on the way out.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>

#include "shell/dict_session.h"
#include "shell/scan_roots.h"
#include "shell/session_files.h"
#include "storage/fatal.h"
#include "views/main_frame.h"
#include "views/single_instance.h"
#include "views/translations.h"

namespace {

#ifdef TOMELING_HANDHELD
constexpr CMainFrame::Edition kEdition = CMainFrame::Edition::kHandheldPc;
constexpr const char* kProgram = "Marrit";
constexpr const char* kDesktopFile = "marrit";
#else
constexpr CMainFrame::Edition kEdition = CMainFrame::Edition::kPocketPc;
constexpr const char* kProgram = "Velloc";
constexpr const char* kDesktopFile = "velloc";
#endif

// A fatal error is said in a message box too, as a desktop user would
// never see standard error; only from the window's thread, the one that
// may show widgets.
void ShowFatalError(const char* message) {
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) return;
  QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(message));
}

int g_signalSockets[2] = {-1, -1};

void OnSignal(int) {
  char c = 1;
  ssize_t ignored = write(g_signalSockets[1], &c, 1);
  (void)ignored;
}

// Signals end the program through the event loop: the handler only writes
// a byte, the loop reads it and closes the window.
void CloseOnSignals(CMainFrame* frame, QObject* owner) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalSockets[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [frame] {
    char c;
    ssize_t ignored = read(g_signalSockets[0], &c, 1);
    (void)ignored;
    frame->Quit();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
}

SessionOptions MakeSessionOptions(const QString& home) {
  SessionOptions options;
  options.home = home.toStdString();
  // The default font sizes follow the screen's work area.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    options.workRight = area.right() + 1;
    options.workBottom = area.bottom() + 1;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kProgram));
  QApplication::setApplicationVersion(QStringLiteral(TOMELING_VERSION));
  QApplication::setOrganizationName(QStringLiteral("Inkwold"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFile));
  SetFatalErrorHandler(ShowFatalError);
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tomeling")));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("EB/EPWING dictionary reader"));
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption home(QStringLiteral("home"), QStringLiteral("The application directory."), QStringLiteral("DIR"));
  parser.addOption(home);
  parser.process(app);

  CDictSession session(MakeSessionOptions(parser.value(home)));
  // Before the first window: widgets take their texts when they are made.
  InstallTranslators(session.Settings().language);
  session.LoadGroup();
  // The check runs once, here: changing bMultiApp counts from the next start.
  CSingleInstance instance(QString::fromLatin1(kDesktopFile));
  if (!session.Settings().bMultiApp) {
    switch (instance.Start()) {
      case CSingleInstance::Outcome::kOtherRunning:
        return 0;
      case CSingleInstance::Outcome::kFailed:
        FatalError((QString::fromLatin1(kDesktopFile) + QStringLiteral(": ") + instance.Error()).toUtf8().constData());
      case CSingleInstance::Outcome::kFirst:
        break;
    }
  }
  // Where the user is told to copy books; a rescan looks there.
  EnsureUserBookFolder();
  int status = 0;
  bool replaced = false;
  {
    CMainFrame frame(session, kEdition);
    QObject::connect(&instance, &CSingleInstance::activationRequested, &frame, [&frame] {
      BringToFront(&frame);
      qInfo("%s: brought to the front by another start", kDesktopFile);
    });
    CloseOnSignals(&frame, &frame);
    frame.Start();
    status = QApplication::exec();
    replaced = frame.ListReplaced();
  }
  SaveSessionFiles(session, replaced);
  return status;
}
