// See translations.h.
#include "views/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The object name of the translators installed here, so that a second
// call finds and replaces them.
constexpr char kTranslatorName[] = "tomelingTranslator";

bool IsJapanese(const QString& tag) {
  return tag.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0 ||
         tag.startsWith(QLatin1String("ja-"), Qt::CaseInsensitive) ||
         tag.startsWith(QLatin1String("ja_"), Qt::CaseInsensitive);
}

bool Install(QCoreApplication* app, const QString& file, const QString& directory) {
  auto* translator = new QTranslator(app);
  translator->setObjectName(QLatin1String(kTranslatorName));
  if (translator->load(file, directory) && QCoreApplication::installTranslator(translator)) return true;
  delete translator;
  return false;
}

}  // namespace

QString UiLanguage(const std::string& setting, const QStringList& uiLanguages) {
  const QString chosen = QString::fromStdString(setting).trimmed().toLower();
  if (chosen == QLatin1String(kLanguageJapanese) || chosen == QLatin1String(kLanguageEnglish)) return chosen;
  return !uiLanguages.isEmpty() && IsJapanese(uiLanguages.constFirst()) ? QLatin1String(kLanguageJapanese)
                                                                        : QLatin1String(kLanguageEnglish);
}

QString InstallTranslators(const std::string& setting) {
  const QString language = UiLanguage(setting);
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return language;
  const auto old = app->findChildren<QTranslator*>(QLatin1String(kTranslatorName), Qt::FindDirectChildrenOnly);
  for (QTranslator* translator : old) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  // The translator installed last is asked first: Qt's own texts go in
  // before the program's. Qt's source texts are English.
  if (language == QLatin1String(kLanguageJapanese)) {
    Install(app, QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  } else if (!Install(app, QStringLiteral("tomeling_en"), QStringLiteral(":/i18n"))) {
    qWarning("The English translation is missing from the program; its texts stay Japanese.");
  }
  return language;
}
