// See media_files.h.
#include "media_files.h"

#include <filesystem>
#include <set>
#include <vector>

#include "decode/movie_player.h"
#include "png_writer.h"
#include "storage/atomic_file.h"

namespace fs = std::filesystem;

namespace {

MediaResult Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteOutputFile(path, view) ? MediaResult::kWritten : MediaResult::kNotWritten;
}

enum class Kind { kNone, kImage, kSound, kMovie };

Kind KindAt(std::string_view text) {
  for (const char* prefix : {"</FIG[", "</INL["})
    if (text.rfind(prefix, 0) == 0) return Kind::kImage;
  if (text.rfind("</WAV[", 0) == 0) return Kind::kSound;
  if (text.rfind("</MOV[", 0) == 0) return Kind::kMovie;
  return Kind::kNone;
}

std::string PositionName(const char* kind, uint32_t page, unsigned offset, const char* extension) {
  char name[40];
  std::snprintf(name, sizeof name, "%s-%08X-%04X.%s", kind, page, offset, extension);
  return name;
}

// The file name of the object whose closing tag starts `text`; "" when the
// tag is malformed.
std::string FileName(Kind kind, std::string_view text) {
  if (kind == Kind::kImage) {
    ImageTag tag;
    if (!FindImageTag(text, &tag)) return "";
    return PositionName(tag.isInline ? "inl" : "fig", tag.page, tag.offset, "png");
  }
  if (kind == Kind::kSound) {
    WaveTag tag;
    if (!FindWaveTag(text, &tag)) return "";
    return PositionName("wav", tag.startPage, tag.startOffset, "wav");
  }
  std::string name;
  if (!FindMovieTag(text, &name)) return "";
  return "mov-" + name + ".mpg";
}

MediaResult WriteObject(const MediaBook& book, Kind kind, std::string_view text, const std::string& path) {
  if (kind == Kind::kImage) {
    ImageTag tag;
    int width = 0, height = 0;
    return FindImageTag(text, &tag) ? WriteImageFile(book, tag, path, &width, &height) : MediaResult::kNotLoaded;
  }
  if (kind == Kind::kSound) return WriteSoundFile(book, text, path);
  return WriteMovieFile(book, text, path);
}

}  // namespace

MediaResult WriteImageFile(const MediaBook& book, const ImageTag& tag, const std::string& path, int* width,
                           int* height) {
  CBitmapImage image;
  if (!LoadTagImage(book, tag, &image)) return MediaResult::kNotLoaded;
  *width = image.Width();
  *height = image.Height();
  std::vector<uint8_t> png = EncodePng(image);
  return png.empty() ? MediaResult::kNotWritten : Write(path, png);
}

MediaResult WriteSoundFile(const MediaBook& book, std::string_view text, const std::string& path) {
  std::vector<uint8_t> wave;
  AreaSoundTag area;
  WaveTag tag;
  if (text.rfind("<AREA", 0) == 0) {
    if (FindAreaSoundTag(text, &area)) wave = BuildAreaWave(book, area);
  } else if (FindWaveTag(text, &tag) && tag.digits[0] == 1) {
    wave = BuildTagWave(book, tag);
  }
  return wave.empty() ? MediaResult::kNotLoaded : Write(path, wave);
}

MediaResult WriteMovieFile(const MediaBook& book, std::string_view text, const std::string& path) {
  std::string name;
  if (!FindMovieTag(text, &name)) return MediaResult::kNotLoaded;
  std::string from = FindMovieFile(book, name);
  if (from.empty()) return MediaResult::kNotLoaded;
  return CopyToOutputFile(from, path) ? MediaResult::kWritten : MediaResult::kNotWritten;
}

bool WriteEntryMedia(const MediaBook& book, std::string_view markup, const std::string& dir, FILE* list) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    std::fprintf(stderr, "tomeling: cannot create %s\n", dir.c_str());
    return false;
  }
  bool ok = true;
  std::set<std::string> done;
  for (size_t at = markup.find("</"); at != std::string_view::npos; at = markup.find("</", at + 2)) {
    std::string_view text = markup.substr(at);
    Kind kind = KindAt(text);
    if (kind == Kind::kNone) continue;
    std::string tag(text.substr(0, text.find('>') + 1)), name = FileName(kind, text);
    if (!name.empty() && !done.insert(name).second) continue;
    std::string path = (fs::path(dir) / name).string();
    MediaResult result = name.empty() ? MediaResult::kNotLoaded : WriteObject(book, kind, text, path);
    if (result == MediaResult::kWritten) {
      std::fprintf(list, "%s\n", path.c_str());
    } else if (result == MediaResult::kNotLoaded) {
      std::fprintf(stderr, "tomeling: skipped %s: cannot load it\n", tag.c_str());
    } else {
      std::fprintf(stderr, "tomeling: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  return ok;
}
