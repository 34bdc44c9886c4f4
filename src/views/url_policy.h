// Which addresses from a <URL> of a book may be handed to the desktop.
//
// A book is untrusted input: its addresses go to the desktop's URL handler
// only when they are web, FTP or mail addresses. Anything else -- file:,
// javascript:, a scheme some desktop file registers, a bare path -- would
// let a book open or run local things, and is refused.
//
//   QString address = UrlTagAddress(model.TextFrom(record.start));
//   QUrl url = OpenableUrl(address);
//   if (url.isValid()) QDesktopServices::openUrl(url); else ... tell the user
#ifndef TOMELING_VIEWS_URL_POLICY_H_
#define TOMELING_VIEWS_URL_POLICY_H_

#include <QString>
#include <QUrl>
#include <string_view>

// Characters of an address taken after the tag, at most.
inline constexpr int kMaxUrlLength = 260;

// The address a URL record starts with: the text after its opening tag up
// to the next "<", at most kMaxUrlLength characters.
QString UrlTagAddress(std::u16string_view textFromTag);

// The address as the desktop may open it: http, https and ftp with a host,
// mailto with a recipient. An invalid QUrl when it is refused.
QUrl OpenableUrl(const QString& address);

#endif  // TOMELING_VIEWS_URL_POLICY_H_
