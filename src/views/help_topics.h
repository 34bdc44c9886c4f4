// "ヘルプ トピック": the help page, opened in the desktop's browser at its
// table of contents.
//
// The pages are this project's own HTML, installed in the data directory
// (shell/data_dir.h): help/Tomeling.htm in Japanese and
// help/Tomeling.en.htm in English, each with the anchor "Main_Contents".
// The language is the caller's: the `language` setting or the system
// locale's name ("ja", "ja_JP", "en_GB" ...); Japanese for "ja" and its
// regional forms, English for anything else. When the page of the language
// is missing the other one serves.
//
//   if (!ShowHelpTopics(language)) ...  // no page installed, or no browser
#ifndef TOMELING_VIEWS_HELP_TOPICS_H_
#define TOMELING_VIEWS_HELP_TOPICS_H_

#include <QString>
#include <QUrl>

inline constexpr const char* kHelpAnchor = "Main_Contents";

// The file name of the help page for `language`.
QString HelpPageName(const QString& language);

// file:///DATA/help/PAGE#Main_Contents for `language`, the page looked for
// in `dataDir` (the data directory when empty); an empty URL when neither
// page is there.
QUrl HelpTopicUrl(const QString& language, const QString& dataDir = QString());

// Opens HelpTopicUrl(language) with QDesktopServices; false when there is
// no page or nothing could open it.
bool ShowHelpTopics(const QString& language);

#endif  // TOMELING_VIEWS_HELP_TOPICS_H_
