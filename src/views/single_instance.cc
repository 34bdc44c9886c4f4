// See single_instance.h.
#include "views/single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int kConnectMs = 1000;
constexpr int kReplyMs = 3000;
constexpr int kLockMs = 5000;
constexpr int kIdleClientMs = 3000;
constexpr qint64 kMaxRequest = 64;
// sun_path holds 108 bytes with its terminator; stay well inside.
constexpr qsizetype kMaxSocketPath = 100;

QByteArray Activate() { return QByteArrayLiteral("activate\n"); }

// The user id at the other end of a connected local socket, or -1.
long PeerUid(const QLocalSocket& socket) {
  ucred cred{};
  socklen_t size = sizeof cred;
  int fd = static_cast<int>(socket.socketDescriptor());
  if (fd < 0 || getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0) return -1;
  return static_cast<long>(cred.uid);
}

// Where this user's socket may go: XDG_RUNTIME_DIR when it is a folder
// of this user's, as it is meant to be.
QString UserRuntimeDir() {
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  QFileInfo info(dir);
  if (dir.isEmpty() || !info.isAbsolute() || !info.isDir() || info.ownerId() != getuid()) return QString();
  return dir;
}

}  // namespace

CSingleInstance::CSingleInstance(const QString& program, const QString& runtimeDir, QObject* parent)
    : QObject(parent) {
  m_serverName = ServerNameFor(program, getuid(), runtimeDir.isEmpty() ? UserRuntimeDir() : runtimeDir,
                               QDir::tempPath());
  connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::ClientConnected);
}

CSingleInstance::~CSingleInstance() { m_server.close(); }

QString CSingleInstance::ServerNameFor(const QString& program, unsigned uid, const QString& runtimeDir,
                                       const QString& tempDir) {
  QString file = QStringLiteral("tomeling-%1-%2").arg(program).arg(uid);
  if (QDir::isAbsolutePath(runtimeDir)) {
    QString path = QDir(runtimeDir).filePath(file);
    if (path.toLocal8Bit().size() <= kMaxSocketPath) return path;
  }
  return QDir(tempDir).filePath(file);
}

CSingleInstance::Outcome CSingleInstance::Start() {
  // Held while checking and listening, so that of two copies started
  // together the second sees the first's socket. A lock left by a crash
  // is taken over (QLockFile checks whether its owner still runs); one
  // that cannot be had in time is passed by rather than blocking a start.
  QLockFile lock(m_serverName + QStringLiteral(".lock"));
  lock.tryLock(kLockMs);
  if (AskRunningCopy()) return Outcome::kOtherRunning;
  // Nobody answered: whatever is at the name is left over from a crash.
  QLocalServer::removeServer(m_serverName);
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server.listen(m_serverName)) {
    m_error = m_server.errorString();
    return Outcome::kFailed;
  }
  return Outcome::kFirst;
}

bool CSingleInstance::AskRunningCopy() {
  QLocalSocket socket;
  socket.connectToServer(m_serverName);
  if (!socket.waitForConnected(kConnectMs)) return false;
  // Someone else's socket under our name is not our copy.
  if (PeerUid(socket) != static_cast<long>(getuid())) return false;
  socket.write(Activate());
  socket.waitForBytesWritten(kReplyMs);
  // A copy busy with a long search answers late or not at all; it is
  // running all the same, so the wait only decides how soon this one ends.
  while (!socket.canReadLine() && socket.waitForReadyRead(kReplyMs)) {
  }
  return true;
}

void CSingleInstance::ClientConnected() {
  while (QLocalSocket* client = m_server.nextPendingConnection()) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QLocalSocket::readyRead, this, [this, client] { ClientReadable(client); });
    QTimer::singleShot(kIdleClientMs, client, [client] {
      client->abort();
      client->deleteLater();
    });
    if (client->bytesAvailable() > 0) ClientReadable(client);
  }
}

void CSingleInstance::ClientReadable(QLocalSocket* client) {
  if (!client->canReadLine()) {
    if (client->bytesAvailable() > kMaxRequest) client->abort();
    return;
  }
  QByteArray line = client->readLine(kMaxRequest + 1);
  if (line != Activate()) {
    client->abort();
    return;
  }
  client->write("ok\n");
  client->flush();
  client->disconnectFromServer();
  emit activationRequested();
}

void BringToFront(QWidget* window) {
  if (window->isMinimized()) window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window->show();
  window->raise();
  window->activateWindow();
}
