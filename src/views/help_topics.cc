// See help_topics.h.
#include "views/help_topics.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "shell/data_dir.h"

namespace {

const QString kJapanesePage = QStringLiteral("Tomeling.htm");
const QString kEnglishPage = QStringLiteral("Tomeling.en.htm");

bool IsJapanese(const QString& language) {
  return language == QLatin1String("ja") || language.startsWith(QLatin1String("ja_")) ||
         language.startsWith(QLatin1String("ja-"));
}

}  // namespace

QString HelpPageName(const QString& language) { return IsJapanese(language) ? kJapanesePage : kEnglishPage; }

QUrl HelpTopicUrl(const QString& language, const QString& dataDir) {
  QString data = dataDir.isEmpty() ? QString::fromStdString(DataDirectory()) : dataDir;
  if (data.isEmpty()) return QUrl();
  QDir help(QDir(data).filePath(QStringLiteral("help")));
  QString wanted = HelpPageName(language);
  for (const QString& page : {wanted, wanted == kJapanesePage ? kEnglishPage : kJapanesePage}) {
    QFileInfo file(help.filePath(page));
    if (!file.isFile()) continue;
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(QString::fromLatin1(kHelpAnchor));
    return url;
  }
  return QUrl();
}

bool ShowHelpTopics(const QString& language) {
  QUrl url = HelpTopicUrl(language);
  return !url.isEmpty() && QDesktopServices::openUrl(url);
}
