// Image maps: the areas of an image, stored at the image's position as a
// small run of escapes between 0x1F45 and 0x1F65, read when the image's
// closing code is decoded and written after its closing tag.
#include "reader/text_decoder.h"

namespace {

// Image maps hold a handful of areas; a run longer than this is damaged
// data and is not followed further.
constexpr int kMaxMapWords = 8192;

}  // namespace

void CTextDecoder::AddMapArea(const MapArea& area) {
  // Only the first areas are kept; a picture with more is not usable on a
  // small screen anyway.
  if (m_media.m_areaCount < MediaArgs::kMaxAreas) m_media.m_areas[m_media.m_areaCount++] = area;
}

void CTextDecoder::ParseImageMap() {
  m_media.m_areaCount = 0;
  TextArea text;
  if (!m_reader.IndexForPage(Page(), &text) || text.id != 0x00) return;
  if (m_out.m_refPage < 1 || m_out.m_refOffset > 2048) return;

  int32_t backPage = m_reader.CurrentPage();
  int backOffset = m_reader.CurrentOffset();
  SeekTo(m_out.m_refPage, m_out.m_refOffset);

  int budget = kMaxMapWords;
  // The next word of the map, or the end code once the data runs out.
  auto next = [&]() -> uint16_t {
    if (--budget < 0 || Page() > m_lastPage) return 0x1F65;
    return m_reader.ReadWord16();
  };

  if (next() == 0x1F45) {
    next();
    uint16_t word = next();
    while (word != 0x1F65) {
      uint16_t pending = 0;
      MapArea area;
      switch (word) {
        case 0x1F31:  // the picture itself: its size and where its data is
          next();
          m_media.m_width = ReadBcd(2);
          m_media.m_height = ReadBcd(2);
          while ((word = next()) != 0x1F51 && word != 0x1F65) {}
          if (word == 0x1F51) ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
          else pending = word;
          break;
        case 0x1F33:  // an area that plays a sound
          area.x = ReadBcd(2);
          area.y = ReadBcd(2);
          if ((pending = next()) != 0x1F53) break;
          pending = 0;
          next();
          {
            int32_t m = ReadBcd(1), s = ReadBcd(1), f = ReadBcd(1);
            area.page = (m * 60 + s) * 75 + f - 1;
            m = ReadBcd(1), s = ReadBcd(1), f = ReadBcd(1);
            area.offset = (m * 60 + s) * 75 + f;
          }
          area.sound = true;
          AddMapArea(area);
          break;
        case 0x1F36: {  // an area that opens an index
          area.x = ReadBcd(2);
          area.y = ReadBcd(2);
          uint16_t id = next();
          TextArea target;
          if (id <= 0xFF && m_reader.FindIndex(static_cast<uint8_t>(id), &target)) {
            area.page = target.startPage;
            AddMapArea(area);
          }
          next();
          break;
        }
        case 0x1F32: case 0x1F3F: case 0x1F42: {  // an area with a text target
          area.x = ReadBcd(2);
          area.y = ReadBcd(2);
          uint16_t targetCode = word == 0x1F32 ? 0x1F52 : word == 0x1F3F ? 0x1F5F : 0x1F62;
          if ((pending = next()) == targetCode) {
            pending = 0;
            int32_t page;
            uint16_t offset;
            ReadPosition(&page, &offset);
            area.page = page;
            area.offset = offset;
          }
          AddMapArea(area);
          break;
        }
        default: break;
      }
      word = pending != 0 ? pending : next();
    }
  }
  SeekTo(backPage, backOffset);
}
