// See tool_icons.h.
#include "views/tool_icons.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QStyle>
#include <QWidget>
#include <QtEndian>

#include "storage/regular_file.h"

namespace {

constexpr const char* kThemeNames[kToolButtonCount] = {"go-previous", "go-next", "edit-find", "view-fullscreen"};
constexpr const char* kOwnNames[kToolButtonCount] = {"back", "forward", "find-next", "fullscreen"};

// Four cells of up to 256 by 256 pixels; a 24-bit BMP of that is 768 KiB.
constexpr int kMaxBitmapWidth = 1024;
constexpr int kMaxBitmapHeight = 256;
constexpr size_t kMaxBitmapBytes = 1u << 20;

// The pixel data of a BMP starts inside the file, after the headers. Qt's
// reader takes a file whose start lies beyond its end as a bitmap of
// whatever follows the headers.
bool PixelsInside(const QByteArray& bytes) {
  constexpr qsizetype kFileHeader = 14;
  if (bytes.size() < kFileHeader + 4 || !bytes.startsWith("BM")) return false;
  quint32 offset = qFromLittleEndian<quint32>(bytes.constData() + 10);
  quint32 infoSize = qFromLittleEndian<quint32>(bytes.constData() + kFileHeader);
  return offset >= kFileHeader + infoSize && offset < static_cast<quint32>(bytes.size());
}

}  // namespace

bool UseLargeToolIcons(int iconSize, int smallIconDevicePixels) {
  if (iconSize == 0) return false;
  if (iconSize == 1) return true;
  return smallIconDevicePixels >= 30;
}

int SmallIconDevicePixels(const QWidget* widget) {
  int logical = widget->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, widget);
  return qRound(logical * widget->devicePixelRatioF());
}

QSize ToolIconSize(bool large) { return large ? QSize(32, 32) : QSize(16, 16); }

ToolIcons OwnToolIcons(bool large) {
  ToolIcons icons;
  QString size = large ? QStringLiteral("32") : QStringLiteral("16");
  for (int i = 0; i < kToolButtonCount; ++i) {
    QString base = QStringLiteral(":/toolbar/%1-%2").arg(QLatin1String(kOwnNames[i]), size);
    icons[i].addFile(base + QStringLiteral(".png"));
    icons[i].addFile(base + QStringLiteral("@2x.png"));
  }
  return icons;
}

ToolIcons DefaultToolIcons(bool large) {
  ToolIcons own = OwnToolIcons(large);
  ToolIcons icons;
  for (int i = 0; i < kToolButtonCount; ++i) icons[i] = QIcon::fromTheme(QLatin1String(kThemeNames[i]), own[i]);
  return icons;
}

std::optional<ToolIcons> LoadToolBarBitmap(const QString& path) {
  // Read through the regular-file guard: a FIFO or a device under the name
  // must not hang or flood the start.
  FileRead read = ReadRegularFile(path.toStdString(), kMaxBitmapBytes);
  if (!read.ok() || read.truncated) return std::nullopt;
  QByteArray bytes = QByteArray::fromStdString(read.bytes);
  if (!PixelsInside(bytes)) return std::nullopt;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setDecideFormatFromContent(false);
  QSize size = reader.size();
  if (!reader.canRead() || !size.isValid() || size.width() < kToolButtonCount || size.width() > kMaxBitmapWidth ||
      size.height() < 1 || size.height() > kMaxBitmapHeight)
    return std::nullopt;
  QImage image = reader.read();
  if (image.isNull() || image.size() != size) return std::nullopt;
  int cell = image.width() / kToolButtonCount;
  ToolIcons icons;
  for (int i = 0; i < kToolButtonCount; ++i)
    icons[i] = QIcon(QPixmap::fromImage(image.copy(i * cell, 0, cell, image.height())));
  return icons;
}

ToolIcons ToolButtonIcons(bool large, const QString& toolBarBitmap) {
  if (!toolBarBitmap.isEmpty())
    if (std::optional<ToolIcons> custom = LoadToolBarBitmap(toolBarBitmap)) return *custom;
  return DefaultToolIcons(large);
}
