// Screenshots of the main window for reviewers (never compared: fonts
// differ between machines), both builds on the demo dictionary
// (build/data/demo) showing an entry: build/artefacts/mainwindow/*.png.
// What can be checked without eyes is checked: the panes are there, side
// by side in a landscape window and one above the other in a portrait one,
// and the search bar's texts fit.
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>

#include "frame_fixture.h"

namespace {

class ScreenshotTest : public FrameTest {
 protected:
  void WindowSize(int width, int height) {
    Global("left=0");
    Global("top=0");
    Global("right=" + std::to_string(width));
    Global("bottom=" + std::to_string(height));
  }
  void ShowEntryAndSave(const QString& name) {
    Search(QStringLiteral("ねこ"));
    ASSERT_GT(List()->RowCount(), 0);
    ASSERT_TRUE(Content()->Model().HasEntry());
    Settle();
    EXPECT_GT(List()->width(), 0);
    EXPECT_GT(Content()->width(), List()->width() / 2);
    ExpectNoTextCut(Bar(), "search bar");
    QDir dir(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/mainwindow"));
    dir.mkpath(QStringLiteral("."));
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(frame->grab().save(path)) << path.toStdString();
    SaveMenuShots(dir, name + QStringLiteral("-menu"));
  }
};

TEST_F(ScreenshotTest, MarritLandscape) {
  WindowSize(800, 560);
  Open(CMainFrame::Edition::kHandheldPc);
  EXPECT_EQ(frame->Splitter()->orientation(), Qt::Horizontal);
  EXPECT_EQ(frame->menuBar()->actions().first()->text(), QStringLiteral("ファイル"));
  ShowEntryAndSave(QStringLiteral("marrit"));
}

TEST_F(ScreenshotTest, VellocPortrait) {
  WindowSize(360, 600);
  Open(CMainFrame::Edition::kPocketPc);
  EXPECT_EQ(frame->Splitter()->orientation(), Qt::Vertical);
  EXPECT_EQ(frame->menuBar()->actions().first()->text(), QStringLiteral("辞書"));
  ShowEntryAndSave(QStringLiteral("velloc"));
}

}  // namespace
