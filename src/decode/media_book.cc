// See media_book.h.
#include "decode/media_book.h"

#include <climits>

#include "decode/image_loader.h"

namespace {

constexpr int kSoundAreaId = 0xD8;

bool InTextFile(int id, int kind) {
  if (kind == 1) return id == 0x0F || id == 0xD1 || id == 0xD2;
  return id == 0x0F || id == 0xD0 || id == 0xD1;
}

int AreaId(CMediaSource* source, uint32_t page) {
  if (source == nullptr || page == 0 || page > INT32_MAX) return -1;
  return source->AreaIdForPage(static_cast<int32_t>(page));
}

}  // namespace

CMediaSource* ImageSourceFor(const MediaBook& book, uint32_t page, int kind) {
  if (InTextFile(AreaId(book.text, page), kind)) return book.text;
  return book.graphics;
}

bool LoadTagImage(const MediaBook& book, const ImageTag& tag, CBitmapImage* image) {
  if (tag.page == 0 || tag.page > INT32_MAX || (tag.kind != 0 && tag.kind != 1)) return false;
  CMediaSource* source = ImageSourceFor(book, tag.page, tag.kind);
  if (source == nullptr) return false;
  auto page = static_cast<int32_t>(tag.page);
  if (tag.kind == 1) return LoadColourImage(*source, page, tag.offset, nullptr, nullptr, image);
  return LoadMonoBitmap(*source, page, tag.offset, tag.width, tag.height, image);
}

std::vector<uint8_t> BuildTagWave(const MediaBook& book, const WaveTag& tag) {
  if (tag.digits[0] != 1) return {};
  if (!book.isEpwing) {
    if (book.sound == nullptr) return {};
    return BuildXaWave(*book.sound, tag.startPage, tag.endPage, book.xaSampling);
  }
  CMediaSource* source = AreaId(book.text, tag.startPage) == kSoundAreaId ? book.text : book.sound;
  if (source == nullptr) return {};
  return BuildPcmWave(*source, tag.startPage, tag.startOffset, tag.endPage, tag.endOffset, tag.digits[2] == 1,
                      tag.digits[1], tag.digits[3] == 1, tag.digits[4]);
}

std::vector<uint8_t> BuildAreaWave(const MediaBook& book, const AreaSoundTag& tag) {
  if (book.isEpwing || book.sound == nullptr || tag.endFrame < 1) return {};
  return BuildXaWave(*book.sound, tag.startFrame, tag.endFrame, book.xaSampling);
}
