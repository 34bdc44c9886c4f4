// The real marrit started twice, offscreen: the second start asks the
// first to come to the front and ends with 0; the first stays, and a
// SIGTERM later closes it as the user would, saving its settings.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTest>

#include "frame_fixture.h"
#include "views/single_instance.h"

namespace {

const QString kMarrit = QStringLiteral(TOMELING_BINARY_DIR "/apps/desktop/marrit");
// Sanitizer builds start slowly.
constexpr int kStartMs = 30000;

class TwoProgramsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    std::filesystem::create_directories(dir.File("runtime"));
    std::filesystem::permissions(dir.File("runtime"), std::filesystem::perms::owner_all);
  }
  void TearDown() override {
    for (QProcess* p : {&first, &second}) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
    FrameTest::TearDown();
  }

  void StartMarrit(QProcess* process) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TOMELING_HOME"), QString::fromStdString(AppDir()));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir.File("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(dir.File("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(dir.File("runtime")));
    process->setProcessEnvironment(env);
    process->start(kMarrit, {});
    ASSERT_TRUE(process->waitForStarted(kStartMs)) << process->errorString().toStdString();
  }

  QString SocketPath() const {
    return CSingleInstance::ServerNameFor(QStringLiteral("marrit"), getuid(), QString::fromStdString(dir.File("runtime")),
                                          QDir::tempPath());
  }

  QProcess first;
  QProcess second;
};

TEST_F(TwoProgramsTest, ASecondStartBringsTheFirstToTheFrontAndEndsWithZero) {
  ASSERT_TRUE(QFileInfo::exists(kMarrit)) << "build marrit first";
  WriteAnimalGroup();
  StartMarrit(&first);
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(SocketPath()), kStartMs);

  StartMarrit(&second);
  ASSERT_TRUE(second.waitForFinished(kStartMs));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

  QByteArray said;
  QTRY_VERIFY_WITH_TIMEOUT((said += first.readAllStandardError()).contains("brought to the front"), 10000);
  EXPECT_EQ(first.state(), QProcess::Running);

  // Closed by a signal, the first saves its settings and ends normally.
  first.terminate();
  ASSERT_TRUE(first.waitForFinished(kStartMs));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  QSettings store(QString::fromStdString(dir.File("config/Inkwold/Tomeling.ini")), QSettings::IniFormat);
  EXPECT_EQ(store.value(QStringLiteral("Globals/groupName")).toString(), QStringLiteral("TOMELING.grp"));
  EXPECT_FALSE(QFileInfo::exists(SocketPath())) << "the socket goes with the program";
}

// A session's logout sends SIGTERM whenever it comes, also while a first
// start scans the whole disk for books: the scan stops, and the program
// still ends normally with its files written.
TEST_F(TwoProgramsTest, ASignalDuringTheFirstScanEndsTheProgram) {
  ASSERT_TRUE(QFileInfo::exists(kMarrit)) << "build marrit first";
  {
    QSettings store(QString::fromStdString(dir.File("config/Inkwold/Tomeling.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Globals/bFindAllDrv"), 1);
  }
  StartMarrit(&first);
  QTest::qWait(1500);  // into the walk from / when it takes that long
  first.terminate();
  ASSERT_TRUE(first.waitForFinished(kStartMs)) << "still running after SIGTERM";
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(AppDir() + "/TOMELING.grp")));
}

}  // namespace
