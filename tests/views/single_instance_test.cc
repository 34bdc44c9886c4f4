// One running copy per user and program: a second real process asks the
// first to come to the front and ends with 0; a socket left by a killed
// copy never blocks a start; users and programs get sockets of their own;
// a stranger's bytes on the socket activate nothing.
#include "views/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "common/temp_dir.h"
#include "widget_test_util.h"

namespace {

const QString kProbe = QStringLiteral(TOMELING_BINARY_DIR "/tests/single_instance_probe");

// Starts the probe for `program`; when `expect` is given, waits for that
// first line.
std::unique_ptr<QProcess> StartProbe(const CTempDir& dir, const QString& program = QStringLiteral("marrit")) {
  auto process = std::make_unique<QProcess>();
  process->setProgram(kProbe);
  process->setArguments({program, QString::fromStdString(dir.Path().string())});
  process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process->start();
  EXPECT_TRUE(process->waitForStarted(5000));
  return process;
}

QByteArray FirstLine(QProcess& process) {
  for (int i = 0; i < 100 && !process.canReadLine(); ++i) process.waitForReadyRead(100);
  return process.readLine().trimmed();
}

// Runs a second copy to its end; its output.
QByteArray RunSecond(const CTempDir& dir, const QString& program = QStringLiteral("marrit")) {
  auto second = StartProbe(dir, program);
  EXPECT_TRUE(second->waitForFinished(15000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  return second->readAllStandardOutput().trimmed();
}

void ExpectActivatedAndDone(QProcess& first) {
  ASSERT_TRUE(first.waitForFinished(15000));
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_EQ(first.readAllStandardOutput().trimmed(), "activated visible");
}

TEST(SingleInstance, SecondProcessBringsTheFirstToTheFrontAndEnds) {
  CTempDir dir;
  auto first = StartProbe(dir);
  ASSERT_EQ(FirstLine(*first), "first");
  // The other program is not this one: it starts on its own.
  auto velloc = StartProbe(dir, QStringLiteral("velloc"));
  EXPECT_EQ(FirstLine(*velloc), "first");

  EXPECT_EQ(RunSecond(dir), "other");
  ExpectActivatedAndDone(*first);
  EXPECT_EQ(RunSecond(dir, QStringLiteral("velloc")), "other");
  ExpectActivatedAndDone(*velloc);
  // The first copy took its socket with it: the next start is first again.
  auto again = StartProbe(dir);
  EXPECT_EQ(FirstLine(*again), "first");
  EXPECT_EQ(RunSecond(dir), "other");
  ExpectActivatedAndDone(*again);
}

TEST(SingleInstance, SocketLeftByACrashNeverBlocksAStart) {
  CTempDir dir;
  QString socket = CSingleInstance::ServerNameFor(QStringLiteral("marrit"), getuid(),
                                                  QString::fromStdString(dir.Path().string()), QString());
  auto crashed = StartProbe(dir);
  ASSERT_EQ(FirstLine(*crashed), "first");
  kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
  ASSERT_TRUE(crashed->waitForFinished(5000));
  ASSERT_TRUE(QFileInfo::exists(socket));  // left behind, nobody listening

  auto next = StartProbe(dir);
  EXPECT_EQ(FirstLine(*next), "first");
  EXPECT_EQ(RunSecond(dir), "other");
  ExpectActivatedAndDone(*next);

  // Not even an ordinary file under the socket's name.
  dir.Write("tomeling-marrit-" + std::to_string(getuid()), "junk");
  auto afterJunk = StartProbe(dir);
  EXPECT_EQ(FirstLine(*afterJunk), "first");
  EXPECT_EQ(RunSecond(dir), "other");
  ExpectActivatedAndDone(*afterJunk);
}

TEST(SingleInstance, SocketNamesPerUserAndProgram) {
  QString a = CSingleInstance::ServerNameFor("marrit", 1000, "/run/user/1000", "/tmp");
  EXPECT_EQ(a, "/run/user/1000/tomeling-marrit-1000");
  EXPECT_NE(CSingleInstance::ServerNameFor("marrit", 1001, "/run/user/1001", "/tmp"), a);
  EXPECT_NE(CSingleInstance::ServerNameFor("velloc", 1000, "/run/user/1000", "/tmp"), a);
  // Without a runtime folder, or with one too long for a socket name, the
  // temporary folder holds both users' sockets under different names.
  EXPECT_EQ(CSingleInstance::ServerNameFor("marrit", 1000, "", "/tmp"), "/tmp/tomeling-marrit-1000");
  EXPECT_EQ(CSingleInstance::ServerNameFor("marrit", 1001, "", "/tmp"), "/tmp/tomeling-marrit-1001");
  EXPECT_EQ(CSingleInstance::ServerNameFor("marrit", 1000, "relative", "/tmp"), "/tmp/tomeling-marrit-1000");
  QString deep = "/" + QString(120, 'd');
  EXPECT_EQ(CSingleInstance::ServerNameFor("marrit", 1000, deep, "/tmp"), "/tmp/tomeling-marrit-1000");
}

TEST(SingleInstance, OnlyTheActivationRequestActivates) {
  EnsureApplication();
  CTempDir dir;
  CSingleInstance instance(QStringLiteral("probe"), QString::fromStdString(dir.Path().string()));
  ASSERT_EQ(instance.Start(), CSingleInstance::Outcome::kFirst) << instance.Error().toStdString();
  QFileInfo info(instance.ServerName());
  EXPECT_EQ(info.permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup), 0);
  QSignalSpy spy(&instance, &CSingleInstance::activationRequested);

  auto talk = [&](const QByteArray& bytes) {
    QLocalSocket client;
    client.connectToServer(instance.ServerName());
    EXPECT_TRUE(client.waitForConnected(1000));
    client.write(bytes);
    client.flush();
    QByteArray reply;
    bool done = QTest::qWaitFor([&] {
      reply += client.readAll();
      return reply.endsWith('\n') || client.state() != QLocalSocket::ConnectedState;
    }, 2000);
    EXPECT_TRUE(done) << "the server neither answered nor hung up";
    return reply;
  };
  EXPECT_EQ(talk("hello\n"), "");
  EXPECT_EQ(talk(QByteArray(4096, 'x')), "");  // a long line without an end
  EXPECT_EQ(talk("activate now\n"), "");
  EXPECT_EQ(spy.count(), 0);
  EXPECT_EQ(talk("activate\n"), "ok\n");
  EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstance, BringToFrontRestoresAMinimisedWindow) {
  EnsureApplication();
  QWidget window;
  window.showMinimized();
  QCoreApplication::processEvents();
  BringToFront(&window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());
  window.hide();  // in the notification area
  BringToFront(&window);
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
