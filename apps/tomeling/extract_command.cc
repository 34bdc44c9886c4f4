// tomeling extract --book DIR [--dict N] [--sampling HZ] --tag TAG --out FILE:
// writes the object of one tag of a decoded entry -- the image of a FIG or
// INL closing tag as PNG, the sound of a WAV closing tag or a SOUND area as
// a .wav file, the movie of a MOV closing tag as a copy of its file.
// --sampling is the rate of EB XA sounds (default 18900).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "decode/image_loader.h"
#include "decode/media_tags.h"
#include "decode/movie_player.h"
#include "decode/sound_player.h"
#include "decode/subbook_media.h"
#include "png_writer.h"

namespace {

// The command line's sound device: the file named by --out.
class CFileSoundPlayer : public CSoundPlayer {
 public:
  explicit CFileSoundPlayer(std::string path) : m_path(std::move(path)) {}
  void PlayWave(std::vector<uint8_t> wave) override { m_written = WriteBytes(m_path, wave); }
  void Stop() override {}
  bool Written() const { return m_written; }

 private:
  std::string m_path;
  bool m_written = false;
};

int Fail(const char* what, const std::string& tag) {
  std::fprintf(stderr, "tomeling: %s: %s\n", what, tag.c_str());
  return 1;
}

int ExtractImage(const MediaBook& book, const ImageTag& tag, const std::string& raw, const std::string& out) {
  CBitmapImage image;
  if (!LoadTagImage(book, tag, &image)) return Fail("no image at", raw);
  std::vector<uint8_t> png = EncodePng(image);
  if (png.empty() || !WriteBytes(out, png)) return Fail("cannot write", out);
  std::printf("%dx%d\n", image.Width(), image.Height());
  return 0;
}

int ExtractSound(const MediaBook& book, const std::string& tag, const std::string& out) {
  CFileSoundPlayer player(out);
  std::u16string wide(tag.begin(), tag.end());
  bool built = tag.rfind("<AREA", 0) == 0 ? PlayAreaSoundTag(book, wide, player) : PlaySoundTag(book, tag, player);
  if (!built) return Fail("no sound for", tag);
  return player.Written() ? 0 : Fail("cannot write", out);
}

int ExtractMovie(const MediaBook& book, const std::string& tag, const std::string& out) {
  std::string name;
  if (!FindMovieTag(tag, &name)) return Fail("not a movie name in", tag);
  std::string path = FindMovieFile(book, name);
  if (path.empty()) return Fail("no movie file for", tag);
  std::error_code ec;
  std::filesystem::copy_file(path, out, std::filesystem::copy_options::overwrite_existing, ec);
  return ec ? Fail("cannot write", out) : 0;
}

int RunExtract(const std::vector<std::string>& args) {
  std::string book, tag, out;
  int dict = 0, sampling = kDefaultXaSampling;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--book" && hasValue) book = args[++i];
    else if (args[i] == "--tag" && hasValue) tag = args[++i];
    else if (args[i] == "--out" && hasValue) out = args[++i];
    else if (args[i] == "--dict" && hasValue && ParseCount(args[i + 1], &dict)) ++i;
    else if (args[i] == "--sampling" && hasValue && ParseCount(args[i + 1], &sampling)) ++i;
    else return UsageError("extract");
  }
  if (book.empty() || tag.empty() || out.empty()) return UsageError("extract");
  CBookList list;
  int status = 0;
  SubbookEntry* entry = OpenDictionary(list, book, dict, &status);
  if (entry == nullptr) return status;
  CSubbookMedia media(*entry);
  media.SetXaSampling(sampling);
  ImageTag image;
  if (FindImageTag(tag, &image)) return ExtractImage(media.Book(), image, tag, out);
  if (tag.find("</WAV") != std::string::npos || tag.rfind("<AREA", 0) == 0) return ExtractSound(media.Book(), tag, out);
  if (tag.find("</MOV") != std::string::npos) return ExtractMovie(media.Book(), tag, out);
  return Fail("not an object tag", tag);
}

CCommandRegistration g_extract("extract", "--book DIR [--dict N] [--sampling HZ] --tag TAG --out FILE",
                               "write the image (PNG), sound (WAV) or movie of a FIG, INL, WAV, AREA or MOV tag",
                               RunExtract);

}  // namespace
