#include "layout/entry_book.h"

#include "catalog/subbook_entry.h"
#include "decode/cp932.h"
#include "decode/image_loader.h"
#include "decode/media_book.h"
#include "reader/subbook_media.h"
#include "reader/colour_chart.h"
#include "reader/eb_reader.h"

namespace {

int SizeBit(int height) {
  switch (height) {
    case 16: return kGaiji16;
    case 24: return kGaiji24;
    case 32: return kGaiji32;
    case 48: return kGaiji48;
    default: return 0;
  }
}

}  // namespace

CEntryLayoutBook::CEntryLayoutBook(SubbookEntry& entry, bool ebxac, bool ebg, ColourLookup colours)
    : m_entry(entry),
      m_face(ChooseFace(ebxac || entry.specialBook, ebg)),
      m_colours(std::move(colours)),
      m_media(std::make_unique<CSubbookMedia>(entry)) {}

CEntryLayoutBook::~CEntryLayoutBook() = default;

bool CEntryLayoutBook::IsEbCatalog() const { return !m_entry.m_isEpwing; }

int CEntryLayoutBook::GaijiSizes() const {
  int sizes = 0;
  if (m_entry.m_isEpwing) {
    for (int slot = 0; slot < kFontSlots; ++slot) {
      if (m_entry.fontReaders[static_cast<size_t>(slot)]) sizes |= 1 << (slot / 2);
    }
  } else if (m_entry.textReader) {
    sizes |= SizeBit(m_entry.textReader->HalfFont().height);
    sizes |= SizeBit(m_entry.textReader->FullFont().height);
  }
  return sizes;
}

bool CEntryLayoutBook::GetGlyph(bool half, int size, uint16_t code, Glyph* out) {
  int width = half ? size / 2 : size;
  if (m_entry.m_isEpwing) {
    int slot = (size >= 48 ? 6 : size >= 32 ? 4 : size >= 24 ? 2 : 0) + (half ? 0 : 1);
    CEBReader* reader = m_entry.fontReaders[static_cast<size_t>(slot)].get();
    return reader != nullptr && reader->IsOpen() && reader->GetGlyph(width, size, code, out);
  }
  CEBReader* reader = m_entry.textReader.get();
  return reader != nullptr && reader->IsOpen() && reader->GetGlyph(width, size, code, out);
}

bool CEntryLayoutBook::LoadImage(int kind, int32_t page, int offset, int width, int height, int fitWidth,
                                 CBitmapImage* out) {
  CMediaSource* source = ImageSourceFor(m_media->Book(), static_cast<uint32_t>(page), kind);
  if (source == nullptr) return false;
  if (kind == 0) return LoadMonoBitmap(*source, page, offset, width, height, out);
  return LoadColourImage(*source, page, offset, nullptr, nullptr, out, fitWidth);
}

bool CEntryLayoutBook::ImageSize(int kind, int32_t page, int offset, int* width, int* height) {
  CMediaSource* source = ImageSourceFor(m_media->Book(), static_cast<uint32_t>(page), kind);
  return kind == 1 && source != nullptr && ColourImageSize(*source, page, offset, width, height);
}

bool CEntryLayoutBook::GetColourChart(int number, std::u16string* name, Colour* colour) {
  if (!m_entry.textReader || !m_colours) return false;
  std::string ascii, text;
  if (ReadColourChart(*m_entry.textReader, number, &ascii, &text) == 0) return false;
  if (!m_colours(ascii, colour)) return false;
  *name = Cp932ToUtf16(text);
  return true;
}
