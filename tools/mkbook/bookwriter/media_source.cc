// See media_source.h.
#include "bookwriter/media_source.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bookwriter/media_writer.h"
#include "bookwriter/netpbm_reader.h"
#include "bookwriter/wav_reader.h"

namespace fs = std::filesystem;

namespace {

// Larger files are no test or demo book's media.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool ReadFile(const std::string& baseDir, const std::string& name, std::vector<uint8_t>* out, std::string* error) {
  if (name.empty()) return Fail(error, "no file named");
  fs::path path(name);
  if (path.is_relative() && !baseDir.empty()) path = fs::path(baseDir) / path;
  std::error_code ec;
  std::uintmax_t size = fs::file_size(path, ec);
  if (ec || !fs::is_regular_file(path, ec)) return Fail(error, "cannot read " + path.string());
  if (size > kMaxFileSize) return Fail(error, "file too large: " + path.string());
  std::ifstream in(path, std::ios::binary);
  out->resize(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(out->data()), static_cast<std::streamsize>(size));
  if (!in) return Fail(error, "cannot read " + path.string());
  return true;
}

// Rate code of the book's sound code; -1 for a rate it has none for.
int RateCode(int rate) { return rate == 44100 ? 0 : rate == 22050 ? 1 : rate == 11025 ? 2 : -1; }

bool Image(const std::string& form, std::istringstream& in, const std::string& baseDir, MediaObject* m,
           std::string* error) {
  std::string header, file;
  in >> std::ws;
  if (form != "mono" && (in.peek() == 'd')) {
    std::streampos back = in.tellg();
    in >> header;
    if (header != "data" && header != "data-be") {
      header.clear();
      in.clear();
      in.seekg(back);
    }
  }
  std::getline(in >> std::ws, file);
  if (form != "mono" && form != "jpeg" && form != "bmp") return Fail(error, "image form must be mono, jpeg or bmp");
  std::vector<uint8_t> bytes;
  NetpbmImage pic;
  if (!ReadFile(baseDir, file, &bytes, error)) return false;
  if (!ReadNetpbm(bytes, &pic, error)) return Fail(error, file + ": " + *error);
  m->width = pic.width;
  m->height = pic.height;
  if (form == "mono") {
    m->kind = MediaObject::kMonoImage;
    m->bytes = PackMonoBitmap(pic.width, pic.height, NetpbmInk(pic));
    return true;
  }
  m->kind = MediaObject::kColourImage;
  int components = pic.components == 3 ? 3 : form == "bmp" ? 3 : 1;
  std::vector<uint8_t> samples = NetpbmSamples(pic, components);
  m->bytes = form == "jpeg" ? EncodeJpeg(pic.width, pic.height, components, samples)
                            : EncodeBmp(pic.width, pic.height, samples);
  if (m->bytes.empty()) return Fail(error, file + ": cannot encode");
  if (form == "bmp" || !header.empty()) m->bytes = WithDataHeader(m->bytes, header == "data-be");
  return true;
}

bool Sound(const std::string& form, const std::string& file, const std::string& baseDir, MediaObject* m,
           std::string* error) {
  if (form != "pcm" && form != "wave" && form != "xa") return Fail(error, "sound form must be pcm, wave or xa");
  std::vector<uint8_t> bytes;
  WavSound wav;
  if (!ReadFile(baseDir, file, &bytes, error)) return false;
  if (!ReadWav(bytes, &wav, error)) return Fail(error, file + ": " + *error);
  if (form == "xa") {
    m->kind = MediaObject::kXaSound;
    m->samples = WavMono16(wav);
    return true;
  }
  int rate = RateCode(wav.rate);
  if (form == "pcm" && rate < 0) return Fail(error, file + ": raw PCM must be 44100, 22050 or 11025 Hz");
  m->kind = MediaObject::kPcmSound;
  bool raw = form == "pcm";
  m->soundDigits = (wav.channels - 1) * 1000 + (raw ? 100 : 0) + (wav.bits == 8 ? 10 : 0) + (rate < 0 ? 0 : rate);
  m->bytes = raw ? wav.data : WaveChunks(wav.channels, wav.rate, wav.bits, wav.data);
  return true;
}

}  // namespace

bool IsMediaStatement(const std::string& word) { return word == "image" || word == "sound" || word == "movie"; }

bool ParseMediaStatement(const std::string& word, const std::string& rest, const std::string& baseDir,
                         MediaObject* object, std::string* error) {
  std::istringstream in(rest);
  MediaObject m;
  std::string form, file;
  in >> m.name;
  if (m.name.empty()) return Fail(error, word + " without a name");
  bool ok = false;
  std::string why;
  if (word == "movie") {
    std::getline(in >> std::ws, file);
    m.kind = MediaObject::kMovie;
    ok = ReadFile(baseDir, file, &m.bytes, &why);
  } else {
    in >> form;
    if (word == "image") {
      ok = Image(form, in, baseDir, &m, &why);
    } else {
      std::getline(in >> std::ws, file);
      ok = Sound(form, file, baseDir, &m, &why);
    }
  }
  if (!ok) return Fail(error, word + " " + m.name + ": " + why);
  *object = std::move(m);
  return true;
}
