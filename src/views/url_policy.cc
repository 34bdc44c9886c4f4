// See url_policy.h.
#include "views/url_policy.h"

QString UrlTagAddress(std::u16string_view textFromTag) {
  size_t start = 0;
  if (!textFromTag.empty() && textFromTag[0] == u'<') {
    size_t close = textFromTag.find(u'>');
    if (close == std::u16string_view::npos) return {};
    start = close + 1;
  }
  std::u16string_view rest = textFromTag.substr(start);
  size_t end = rest.find(u'<');
  if (end == std::u16string_view::npos) end = rest.size();
  if (end > static_cast<size_t>(kMaxUrlLength)) end = kMaxUrlLength;
  return QString::fromUtf16(rest.data(), static_cast<qsizetype>(end));
}

QUrl OpenableUrl(const QString& address) {
  QString text = address.trimmed();
  if (text.isEmpty()) return {};
  QUrl url(text, QUrl::StrictMode);
  if (!url.isValid() || url.isRelative()) return {};
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp")) {
    if (url.host().isEmpty()) return {};
    return url;
  }
  if (scheme == QLatin1String("mailto")) {
    if (url.path().isEmpty()) return {};
    return url;
  }
  return {};
}
