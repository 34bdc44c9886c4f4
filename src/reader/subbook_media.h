// CSubbookMedia: the MediaBook of an opened subbook entry, over the readers
// the entry owns (text, graphics, sound).
//
//   CSubbookMedia media(entry);
//   media.SetXaSampling(settings.ebxaSampling);
//   PlaySoundTag(media.Book(), markup, player);
//
// Reading an image or a sound moves the page cursor of the reader it comes
// from, as any other read through that reader does. The object borrows the
// entry: it must not outlive the entry or the entry's readers.
#ifndef TOMELING_READER_SUBBOOK_MEDIA_H_
#define TOMELING_READER_SUBBOOK_MEDIA_H_

#include <cstring>
#include <memory>

#include "catalog/subbook_entry.h"
#include "decode/media_book.h"
#include "reader/eb_reader.h"

class CReaderMediaSource : public CMediaSource {
 public:
  explicit CReaderMediaSource(CEBReader& reader) : m_reader(reader) {}

  bool ReadPage(int32_t page, uint8_t* out) override {
    if (!m_reader.IsOpen() || !m_reader.SeekPage(page)) return false;
    std::memcpy(out, m_reader.PageData(), kMediaPageSize);
    return true;
  }
  // The pages the file really holds, whatever its index table claims.
  int32_t PageCount() const override { return m_reader.IsOpen() ? m_reader.PageCount() : 0; }
  int AreaIdForPage(int32_t page) const override {
    if (m_reader.Mode() == CEBReader::kModeOther || m_reader.Mode() == CEBReader::kModeRaw) return -1;
    const IndexEntry* area = m_reader.IndexForPage(page);
    return area == nullptr ? -1 : area->id;
  }

 private:
  CEBReader& m_reader;
};

class CSubbookMedia {
 public:
  explicit CSubbookMedia(SubbookEntry& entry) {
    m_book.isEpwing = entry.m_isEpwing;
    m_book.subbookDir = entry.subbookDir;
    m_book.text = Bind(entry.textReader.get(), &m_text);
    m_book.graphics = Bind(entry.graphicsReader.get(), &m_graphics);
    m_book.sound = Bind(entry.soundReader.get(), &m_sound);
  }
  CSubbookMedia(const CSubbookMedia&) = delete;
  CSubbookMedia& operator=(const CSubbookMedia&) = delete;

  void SetXaSampling(int32_t rate) { m_book.xaSampling = rate; }
  const MediaBook& Book() const { return m_book; }

 private:
  static CMediaSource* Bind(CEBReader* reader, std::unique_ptr<CReaderMediaSource>* slot) {
    if (reader == nullptr || !reader->IsOpen()) return nullptr;
    *slot = std::make_unique<CReaderMediaSource>(*reader);
    return slot->get();
  }

  MediaBook m_book;
  std::unique_ptr<CReaderMediaSource> m_text, m_graphics, m_sound;
};

#endif  // TOMELING_READER_SUBBOOK_MEDIA_H_
