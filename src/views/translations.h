// The language of the user interface, and the translators that give it.
//
// Every text the programs show is written in the source as the Japanese
// text of the original program, through tr() or
// QCoreApplication::translate, so a Japanese interface needs no
// translation of the program's own texts. The English translation
// (translations/tomeling_en.ts) is compiled into the program as
// ":/i18n/tomeling_en.qm". Qt's own texts (standard buttons, file
// dialogs) come from Qt's translations where the system has them
// (Debian: qt6-translations-l10n).
//
// The language is the `language` setting when it is "ja" or "en" (in any
// case), else the desktop's: Japanese when the user's first language is
// Japanese, English for any other.
//
//   QApplication app(argc, argv);
//   CDictSession session(options);          // reads the settings
//   InstallTranslators(session.Settings().language);
//   ...                                     // only now the windows
//
// Widgets take their texts when they are made: the translators go in
// before the first window.
#ifndef TOMELING_VIEWS_TRANSLATIONS_H_
#define TOMELING_VIEWS_TRANSLATIONS_H_

#include <QLocale>
#include <QString>
#include <QStringList>
#include <string>

inline constexpr char kLanguageJapanese[] = "ja";
inline constexpr char kLanguageEnglish[] = "en";

// "ja" or "en" for the setting and the user's languages in order of
// preference (QLocale::uiLanguages: "ja-JP", "en-GB", "C" ...).
QString UiLanguage(const std::string& setting, const QStringList& uiLanguages = QLocale::system().uiLanguages());

// Installs on the running application the translators of the language
// UiLanguage chooses, in place of any this function installed before, and
// returns that language ("ja" or "en": the programs pick their help page
// by it). Needs the QApplication.
QString InstallTranslators(const std::string& setting);

#endif  // TOMELING_VIEWS_TRANSLATIONS_H_
