// See about_dialog.h.
#include "views/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QStyle>

#include "shell/settings.h"

CAboutDialog::CAboutDialog(const QString& program, const QString& version, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Tomeling のバージョン情報"));
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  auto* iconLabel = new QLabel;
  int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  iconLabel->setPixmap(icon.pixmap(side, side));
  iconLabel->setAlignment(Qt::AlignTop);

  m_versionLine = new QLabel(tr("%1 Version %2").arg(program, version));
  m_versionLine->setObjectName("versionLine");
  m_osVersion = new QLabel(QString::fromStdString(GetOsVersionText()));
  m_osVersion->setObjectName("osVersion");
  m_osVersion->setWordWrap(true);
  m_osVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(iconLabel, 0, 0, 2, 1);
  layout->addWidget(m_versionLine, 0, 1);
  layout->addWidget(m_osVersion, 1, 1);
  layout->setColumnStretch(1, 1);
  layout->addWidget(buttons, 2, 0, 1, 2);
}
