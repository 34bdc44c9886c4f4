// See graphic_menu.h.
#include "shell/graphic_menu.h"

#include "decode/media_book.h"
#include "decode/sound_player.h"
#include "reader/eb_reader.h"
#include "reader/menu_info.h"
#include "reader/subbook_media.h"
#include "shell/dict_session.h"
#include "shell/frame.h"

CGraphicMenu::CGraphicMenu(CDictSession& session, CFrame& frame, CSoundPlayer& player)
    : m_session(session), m_frame(frame), m_player(player) {}

MapParse CGraphicMenu::ShowGraphicMenu(int dict, int32_t page, int offset) {
  EntryLimits limits;
  limits.stopAtNext = false;
  limits.maxPages = 0;
  limits.capacity = kGraphicMenuCapacity;
  DictText text = m_session.Entry(dict, page, offset, limits);
  if (text.wide.empty()) return {};
  return Parse(text.wide, dict);
}

MapParse CGraphicMenu::ShowMapText(std::u16string_view markup, int dict) { return Parse(markup, dict); }

MapParse CGraphicMenu::Parse(std::u16string_view markup, int dict) {
  DictDisplay d = m_session.Display(dict);
  if (d.entry == nullptr) return {};
  if (dict != m_dict) {
    // Areas of another book would lead into this one.
    m_map.Clear();
    m_dict = dict;
  }
  m_map.SetEbKind(!d.entry->m_isEpwing);
  MapParse result = m_map.Parse(markup, [this](const ImageTag& tag) { return LoadImage(tag); });
  if (result.end == MapParse::kLink) m_frame.ShowText(result.linkPage, result.linkOffset);
  return result;
}

void CGraphicMenu::Clear() {
  m_dict = -1;
  m_map.Clear();
  m_image = CBitmapImage();
  ++m_imageSerial;
}

bool CGraphicMenu::LoadImage(const ImageTag& tag) {
  std::unique_ptr<CSubbookMedia> media = m_session.Media(m_dict);
  CBitmapImage image;
  if (media == nullptr || !LoadTagImage(media->Book(), tag, &image)) return false;
  m_image = std::move(image);
  ++m_imageSerial;
  return true;
}

MapTap CGraphicMenu::Tap(int x, int y) {
  const CEBReader* reader = m_dict >= 0 ? m_session.Display(m_dict).reader : nullptr;
  MapTap tap = m_map.Tap(x, y, [reader](int32_t page) { return reader != nullptr ? ItemKind(*reader, page) : -1; });
  switch (tap.action) {
    case MapTap::kPlaySound: PlaySound(tap.soundStart, tap.soundEnd); break;
    case MapTap::kShowText: m_frame.ShowText(tap.page, tap.offset); break;
    case MapTap::kGraphicMenu: ShowGraphicMenu(m_dict, tap.page, tap.offset); break;
    case MapTap::kNothing:
    case MapTap::kFrameCommand: break;
  }
  return tap;
}

void CGraphicMenu::PlaySound(uint32_t startFrame, uint32_t endFrame) {
  std::unique_ptr<CSubbookMedia> media = m_session.Media(m_dict);
  if (media == nullptr) return;
  m_player.Stop();
  std::vector<uint8_t> wave = BuildAreaWave(media->Book(), AreaSoundTag{startFrame, endFrame});
  if (!wave.empty()) m_player.PlayWave(std::move(wave));
}
