// See media_placement.h.
#include "bookwriter/media_placement.h"

#include <cctype>

#include "bookwriter/media_writer.h"

namespace {

// XA sounds start past frame 0, which some readers take for "no sound".
constexpr int kFirstXaFrame = 16;
// The markup's size fields have four digits.
constexpr int kMaxImageSide = 9999;

std::vector<uint8_t> WholePages(std::vector<uint8_t> bytes) {
  bytes.resize((bytes.size() + 2047) / 2048 * 2048);
  return bytes;
}

bool Fail(std::string* error, const MediaObject& m, const std::string& why) {
  if (error) *error = "media " + m.name + ": " + why;
  return false;
}

bool CheckObject(const MediaObject& m, BookKind kind, std::string* error) {
  bool eb = kind == BookKind::kEb;
  switch (m.kind) {
    case MediaObject::kMonoImage:
      if (m.width < 1 || m.height < 1 || m.width > kMaxImageSide || m.height > kMaxImageSide)
        return Fail(error, m, "bad image size");
      if (m.bytes.size() != static_cast<size_t>((m.width + 7) / 8) * static_cast<size_t>(m.height))
        return Fail(error, m, "bitmap bytes do not match its size");
      return true;
    case MediaObject::kColourImage:
      if (m.bytes.size() < 4) return Fail(error, m, "no image data");
      return true;
    case MediaObject::kPcmSound:
      if (eb) return Fail(error, m, "EB books play XA sounds only");
      // The tag names the sound's last byte, which an empty one has not.
      return m.bytes.empty() ? Fail(error, m, "no sound data") : true;
    case MediaObject::kXaSound:
      return eb ? true : Fail(error, m, "EPWING books play PCM sounds only");
    case MediaObject::kMovie:
      return ValidMovieName(m.name) ? true : Fail(error, m, "movie names are 1 to 8 letters, digits and _");
  }
  return Fail(error, m, "unknown kind");
}

}  // namespace

bool ValidMovieName(const std::string& name) {
  if (name.empty() || name.size() > 8) return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

bool PlaceMedia(const SubbookSource& sub, BookKind kind, int32_t imageAreaPage, PlacedMedia* out,
                std::string* error) {
  *out = PlacedMedia();
  CMediaFile images, sounds;
  images.SetFirstPage(kind == BookKind::kEb ? imageAreaPage : 1);
  CXaSoundFile xa;
  int nextFrame = kFirstXaFrame;
  for (const MediaObject& m : sub.media) {
    if (m.name.empty()) return Fail(error, m, "no name");
    if (out->byName.count(m.name) != 0) return Fail(error, m, "named twice");
    if (!CheckObject(m, kind, error)) return false;
    PlacedObject p;
    p.object = &m;
    if (m.kind == MediaObject::kMonoImage || m.kind == MediaObject::kColourImage) {
      p.start = images.Add(m.bytes);
      p.end = images.PosOf(images.Size());
    } else if (m.kind == MediaObject::kPcmSound) {
      // The end is the position of the last byte, as readers take it.
      p.start = sounds.Add(m.bytes);
      p.end = sounds.PosOf(sounds.Size() - 1);
    } else if (m.kind == MediaObject::kXaSound) {
      p.firstFrame = nextFrame;
      p.lastFrame = xa.AddSound(nextFrame, m.samples);
      nextFrame = p.lastFrame + 16;
    }
    out->byName.emplace(m.name, p);
  }
  if (kind == BookKind::kEb) {
    out->imageArea = images.Bytes();
    if (nextFrame != kFirstXaFrame) out->sound = xa.Bytes();
  } else {
    // Whole pages, as discs hold them: a file of a few bytes is shorter
    // than any book file can be and would not open.
    out->graphics = WholePages(images.Bytes());
    out->sound = WholePages(sounds.Bytes());
  }
  return true;
}
