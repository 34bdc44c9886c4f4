// See folian_view.h. This file: what a tap on a record of the text does
// -- follow a link, play a sound or a movie, open a figure or an image
// map, open an address -- and find in text.
#include <QApplication>
#include <QGuiApplication>
#include <QScrollBar>

#include "decode/bitmap_image.h"
#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "decode/movie_player.h"
#include "decode/sound_player.h"
#include "reader/subbook_media.h"
#include "shell/dict_session.h"
#include "shell/frame.h"
#include "views/folian_view.h"
#include "views/qt_movie_player.h"
#include "views/url_policy.h"

namespace {

// The graphic window reads no further into an image map's markup.
constexpr size_t kMaxMapText = 8192;

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool CFolianView::ActOnRecord(const AttrRecord& record) {
  if (record.flags & ATTR_LINK) {
    FollowLink(record.targetPage, record.targetOffset);
    return true;
  }
  if (record.flags & ATTR_MEDIA) {
    ActOnMedia(record.start);
  } else if (record.flags & ATTR_MAPFIG) {
    ShowNamedGraphic(m_model.TextFrom(record.start));
  } else if (record.flags & ATTR_URL) {
    OpenAddress(m_model.TextFrom(record.start));
  }
  return false;
}

void CFolianView::FollowLink(int32_t page, int offset) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  ShowEntry(m_model.Dict(), page, offset, true, 0);
  QGuiApplication::restoreOverrideCursor();
}

void CFolianView::ActOnMedia(int start) {
  std::u16string_view text = m_model.TextFrom(start);
  if (StartsWith(text, u"<WAV")) {
    PlaySound(text);
  } else if (StartsWith(text, u"<MOV")) {
    PlayMovie(text);
  } else if (StartsWith(text, u"<MAP")) {
    ShowNamedGraphic(text);
  } else if (StartsWith(text, u"<FIG")) {
    OpenFigure(text);
  }
}

void CFolianView::PlaySound(std::u16string_view text) {
  std::unique_ptr<CSubbookMedia> media = m_session.Media(m_model.Dict());
  if (media) PlaySoundTag(media->Book(), text, *m_sound);
}

void CFolianView::PlayMovie(std::u16string_view text) {
  std::unique_ptr<CSubbookMedia> media = m_session.Media(m_model.Dict());
  if (!media) return;
  if (auto* player = dynamic_cast<CQtMoviePlayer*>(m_movie.get())) {
    player->SetProgram(m_session.Settings().mpegPlayerPath);
  }
  PlayMovieTag(media->Book(), text, *m_movie);
}

// The figure of the first FIG closing tag after the tapped <FIG>: colour
// images at any size the loader takes, monochrome bitmaps of 1 to 2048
// pixels a side; nothing for page 0 or an image that does not load.
void CFolianView::OpenFigure(std::u16string_view text) {
  size_t close = text.find(u"</FIG");
  ImageTag tag;
  if (close == std::u16string_view::npos || !FindImageTag(text.substr(close), &tag) || tag.isInline) return;
  if (tag.page == 0 || !m_openFigure) return;
  std::unique_ptr<CSubbookMedia> media = m_session.Media(m_model.Dict());
  CBitmapImage image;
  if (!media || !LoadTagImage(media->Book(), tag, &image)) return;
  m_openFigure(image, image.Width(), image.Height(), m_session.Settings().bStretchImg);
}

// The frame's graphic window takes the map's markup from the tapped record
// on, up to the end of the map.
void CFolianView::ShowNamedGraphic(std::u16string_view text) {
  if (m_frame == nullptr) return;
  size_t end = text.find(u"</MAP>");
  end = end == std::u16string_view::npos ? text.size() : end + 6;
  m_frame->ShowNamedGraphic(std::u16string(text.substr(0, std::min(end, kMaxMapText))));
}

void CFolianView::OpenAddress(std::u16string_view text) {
  QString address = UrlTagAddress(text);
  QUrl url = OpenableUrl(address);
  if (url.isValid()) {
    if (m_openUrl) m_openUrl(url);
    return;
  }
  if (m_frame != nullptr) m_frame->SetStatusText(tr("このアドレスは開けません: %1").arg(address).toStdU16String());
}

// ------------------------------------------------------------ find in text

bool CFolianView::FindText(const std::u16string& word, bool matchCase) {
  int at = m_model.FindText(word, matchCase, m_findPos);
  if (at < 0) at = m_model.FindText(word, matchCase, 0);
  if (at < 0) {
    QApplication::beep();
    m_findPos = 0;
    return false;
  }
  const int end = at + static_cast<int>(word.size());
  m_findPos = end;
  DropSelection();
  SetSelection(at, end);
  // A match out of sight is scrolled to the top of the view; its
  // selection follows a moment later, once the view has settled.
  const int y = PointFromChar(at).y();
  const int height = m_model.LineMgr().GetLineHeight();
  QScrollBar* v = verticalScrollBar();
  if (y < v->value() || y + height > v->value() + viewport()->height()) {
    m_selectionDelayed = true;
    v->setValue(y);
    m_selectionTimer.start();
  }
  return true;
}
