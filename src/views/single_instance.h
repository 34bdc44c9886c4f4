// CSingleInstance: one running copy of a program per user, unless the
// user allows several (bMultiApp).
//
// The first copy listens on a local socket named for the user and the
// program; a second copy connects, asks the first to come to the front
// and ends with status 0. The first emits activationRequested, which the
// main window connects to BringToFront (below), so a window minimised or
// hidden in the notification area comes back too.
//
//   CSingleInstance instance(QStringLiteral("marrit"));
//   if (!settings.bMultiApp) {
//     if (instance.Start() == CSingleInstance::Outcome::kOtherRunning) return 0;
//   }
//   CMainFrame frame(...);
//   QObject::connect(&instance, &CSingleInstance::activationRequested,
//                    &frame, [&] { BringToFront(&frame); });
//
// The socket lives in $XDG_RUNTIME_DIR (per user, mode 0700), else in the
// temporary folder with the user id in its name, and is made accessible to
// its owner only: two users never see each other's copy. velloc and marrit
// have sockets of their own, as their windows differ.
//
// A copy that crashed leaves its socket file behind with nobody listening.
// Such a file is recognised (the connection is refused) and removed, and
// the start goes on; it never blocks a start. A lock file around the check
// keeps two copies started at the same moment from both removing each
// other's socket and both running.
//
// Protocol: the second copy writes "activate\n" and waits (at most a few
// seconds) for "ok\n", so the first has the request before the second
// ends. Anything else a client writes is ignored; a client that says
// nothing is dropped after a few seconds.
#ifndef TOMELING_VIEWS_SINGLE_INSTANCE_H_
#define TOMELING_VIEWS_SINGLE_INSTANCE_H_

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;
class QWidget;

class CSingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    kFirst,         // this copy listens now: go on starting
    kOtherRunning,  // another copy was asked to come to the front: end with 0
    kFailed,        // no socket could be made: Error() says why
  };

  // `program` names the program ("velloc", "marrit"): letters, digits,
  // '-' and '_' only. `runtimeDir` overrides where the socket goes (tests).
  explicit CSingleInstance(const QString& program, const QString& runtimeDir = QString(),
                           QObject* parent = nullptr);
  ~CSingleInstance() override;

  Outcome Start();

  // The socket's full path.
  const QString& ServerName() const { return m_serverName; }
  QString Error() const { return m_error; }

  // The socket path for `program` of user `uid`: in `runtimeDir` when it is
  // an absolute path short enough for a socket name, else in `tempDir`
  // with the user id in the name.
  static QString ServerNameFor(const QString& program, unsigned uid, const QString& runtimeDir,
                               const QString& tempDir);

 signals:
  // A later copy asked this one to come to the front.
  void activationRequested();

 private:
  bool AskRunningCopy();
  void ClientConnected();
  void ClientReadable(QLocalSocket* client);

  QString m_serverName;
  QString m_error;
  QLocalServer m_server;
};

// Shows `window` in front: restored when minimised, shown when hidden
// (notification area), raised and activated.
void BringToFront(QWidget* window);

#endif  // TOMELING_VIEWS_SINGLE_INSTANCE_H_
