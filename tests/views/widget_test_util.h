// Helpers of the window tests: the one QApplication of the program on the
// offscreen platform, screenshots kept for reviewers, and a check that no
// text of a window is cut off.
#ifndef TOMELING_TESTS_VIEWS_WIDGET_TEST_UTIL_H_
#define TOMELING_TESTS_VIEWS_WIDGET_TEST_UTIL_H_

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

// Widgets need a QApplication; the canvas tests in the same program used
// to make a QGuiApplication, which widgets cannot live with, so every test
// asks for this one.
inline void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "views_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

// Shows `w` and lets its layouts settle.
inline void ShowAndSettle(QWidget* w) {
  w->show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// Writes `w` as build/artefacts/dialogs/NAME.png for reviewers (never
// compared: fonts differ between machines). Returns the file's path.
inline QString SaveScreenshot(QWidget* w, const QString& name) {
  QDir dir(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/dialogs"));
  dir.mkpath(QStringLiteral("."));
  QString path = dir.filePath(name + QStringLiteral(".png"));
  EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
  return path;
}

// Every visible label, button and box of `w` has at least the width its
// text needs (word-wrapped labels may take more lines instead).
inline void ExpectNoTextCut(QWidget* w, const char* where) {
  for (QWidget* child : w->findChildren<QWidget*>()) {
    if (!child->isVisibleTo(w)) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(child)) {
      if (label->wordWrap() || label->text().isEmpty()) continue;
      text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
      if (button->text().isEmpty()) continue;
      text = button->text();
    } else {
      continue;
    }
    EXPECT_GE(child->width(), child->minimumSizeHint().width())
        << where << ": \"" << text.toStdString() << "\" is " << child->width() << " wide, needs "
        << child->minimumSizeHint().width();
  }
}

// Runs `f` once the next modal window (a message box, a file dialog) is up.
template <typename F>
void WhenModalShows(F f) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, f] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      f(modal);
    }
  });
  timer->start();
}

// Whether `text` holds kana, CJK ideographs or full-width forms: a text
// left untranslated in an English window.
inline bool HasJapanese(const QString& text) {
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
  }
  return false;
}

// The Fusion style's palettes: its own light one, and the dark one that
// desktops in a dark theme hand to Fusion (light text on dark grey, blue
// selection).
inline QPalette FusionPalette(bool dark) {
  std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette p = fusion->standardPalette();
  if (!dark) return p;
  const QColor window(53, 53, 53), base(42, 42, 42), text(255, 255, 255), disabled(127, 127, 127);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Link, QColor(42, 130, 218));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::PlaceholderText, disabled);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(QPalette::Disabled, role, disabled);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
  p.setColor(QPalette::Disabled, QPalette::HighlightedText, disabled);
  return p;
}

// `w` drawn as a screen of `ratio` device pixels per pixel would show it.
inline QImage RenderAt(QWidget* w, double ratio) {
  QImage image((QSizeF(w->size()) * ratio).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  w->render(&image);
  return image;
}

#endif  // TOMELING_TESTS_VIEWS_WIDGET_TEST_UTIL_H_
