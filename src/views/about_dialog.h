// CAboutDialog: the about box -- the program's icon, its name and version,
// and the system it runs on (GetOsVersionText).
//
//   CAboutDialog(QStringLiteral("Marrit"), QStringLiteral("0.1"), this).exec();
#ifndef TOMELING_VIEWS_ABOUT_DIALOG_H_
#define TOMELING_VIEWS_ABOUT_DIALOG_H_

#include <QDialog>

class QLabel;

class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  CAboutDialog(const QString& program, const QString& version, QWidget* parent = nullptr);

  QLabel* VersionLine() const { return m_versionLine; }
  QLabel* OsVersion() const { return m_osVersion; }

 private:
  QLabel* m_versionLine = nullptr;
  QLabel* m_osVersion = nullptr;
};

#endif  // TOMELING_VIEWS_ABOUT_DIALOG_H_
