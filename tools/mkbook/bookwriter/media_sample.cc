// See media_sample.h.
#include "bookwriter/media_sample.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <fstream>

#include "bookwriter/media_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kMonoArea = 0xD0;
constexpr uint8_t kColourArea = 0xD2;
constexpr uint8_t kSoundArea = 0xD8;

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes, std::string* error) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (out) return true;
  if (error) *error = "cannot write " + path.string();
  return false;
}

// Shapes with sharp edges and flat areas, so that both bit errors and
// colour shifts show.
SamplePicture Picture(int width, int height, int components) {
  SamplePicture p;
  p.width = width;
  p.height = height;
  p.components = components;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool box = x >= width / 4 && x < width / 2 && y >= height / 4 && y < height * 3 / 4;
      if (components == 1) {
        p.pixels.push_back(static_cast<uint8_t>(box ? 30 : 200 - y * 2));
      } else {
        p.pixels.push_back(static_cast<uint8_t>(box ? 220 : 40));
        p.pixels.push_back(static_cast<uint8_t>(x * 255 / width));
        p.pixels.push_back(static_cast<uint8_t>(box ? 30 : 180));
      }
    }
  }
  return p;
}

SamplePicture MonoPicture() {
  SamplePicture p;
  p.width = 21;
  p.height = 13;
  p.components = 1;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.pixels.push_back((x + y) % 3 == 0 || x == y ? 1 : 0);
  p.stored = PackMonoBitmap(p.width, p.height, p.pixels);
  return p;
}

SamplePicture PalettePicture() {
  SamplePicture p;
  p.width = 19;
  p.height = 7;
  p.components = 1;
  p.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.pixels.push_back(static_cast<uint8_t>((x / 3 + y) % 4));
  p.stored = WithDataHeader(EncodeBmp(p.width, p.height, p.pixels, p.palette));
  return p;
}

std::vector<uint8_t> PcmSamples(int count, int bytesPerSample) {
  std::vector<uint8_t> out;
  for (int i = 0; i < count; ++i) {
    int v = static_cast<int>(std::lround(3000 * std::sin(i * 0.05)));
    if (bytesPerSample == 1) {
      out.push_back(static_cast<uint8_t>(128 + v / 256));
    } else {
      out.push_back(static_cast<uint8_t>(v));
      out.push_back(static_cast<uint8_t>(v >> 8));
    }
  }
  return out;
}

// Writes the book; the entries' codes need the data areas' start pages,
// which the first pass tells (the codes' length does not depend on them).
bool WriteTwice(BookSource& book, const std::string& dir, MediaSampleBook* out,
                const std::function<std::vector<BookEntry>(int32_t monoPage, int32_t otherPage)>& entries,
                uint8_t otherArea, std::string* error) {
  int32_t monoPage = 0, otherPage = 0;
  for (int pass = 0; pass < 2; ++pass) {
    book.subbooks[0].entries = entries(monoPage, otherPage);
    out->written = WrittenBook();
    if (!WriteBook(book, dir, WriteOptions(), &out->written, error)) return false;
    for (const auto& [id, page] : out->written.subbooks[0].indexStart) {
      if (id == kMonoArea) monoPage = page;
      if (id == otherArea) otherPage = page;
    }
  }
  return true;
}

BookSource BaseBook(BookKind kind) {
  BookSource book;
  book.kind = kind;
  SubbookSource sub;
  sub.title = "Media";
  sub.directory = "MEDIA";
  sub.indexes.push_back(IndexOptions{0x91, {0, 0, 0, 0}, true});
  book.subbooks.push_back(sub);
  return book;
}

BookPos Shift(BookPos at, int32_t firstPage) { return {at.page + firstPage - 1, at.offset}; }

bool WriteEpwing(const std::string& dir, MediaSampleBook* out, std::string* error) {
  CMediaFile graphics, sounds, monoArea, waveArea;
  out->greyJpeg = Picture(40, 24, 1);
  out->greyJpeg.stored = WithDataHeader(EncodeJpeg(40, 24, 1, out->greyJpeg.pixels));
  out->greyJpeg.at = graphics.Add(out->greyJpeg.stored);
  out->colourJpeg = Picture(33, 17, 3);
  out->colourJpeg.stored = EncodeJpeg(33, 17, 3, out->colourJpeg.pixels);
  // Across a page boundary, to read on into the next page.
  graphics.Add(std::vector<uint8_t>(2040 - graphics.Size() % 2048, 0x55), 1);
  out->colourJpeg.at = graphics.Add(out->colourJpeg.stored, 1);
  out->bmp24 = Picture(13, 9, 3);
  out->bmp24.stored = WithDataHeader(EncodeBmp(13, 9, out->bmp24.pixels), true);
  out->bmp24.at = graphics.Add(out->bmp24.stored);
  out->bmp8 = PalettePicture();
  out->bmp8.at = graphics.Add(out->bmp8.stored);
  out->mono = MonoPicture();
  BookPos monoInArea = monoArea.Add(out->mono.stored);

  out->rawPcm = PcmSamples(3000, 2);
  out->rawStart = sounds.Add(out->rawPcm);
  out->rawEnd = sounds.PosOf(sounds.Size());
  out->waveBody = WaveChunks(1, 11025, 8, PcmSamples(2500, 1));
  BookPos bodyInArea = waveArea.Add(out->waveBody);
  size_t bodyEnd = waveArea.Size();
  out->movieName = "CLIP_01";
  out->movieBytes = {0x00, 0x00, 0x01, 0xBA, 'm', 'o', 'v', 'i', 'e'};

  BookSource book = BaseBook(BookKind::kEpwing);
  book.subbooks[0].dataAreas = {{kMonoArea, monoArea.Bytes()}, {kSoundArea, waveArea.Bytes()}};
  auto entries = [&](int32_t monoPage, int32_t soundPage) {
    out->mono.at = Shift(monoInArea, monoPage);
    out->bodyStart = Shift(bodyInArea, soundPage);
    out->bodyEnd = Shift(waveArea.PosOf(bodyEnd), soundPage);
    CObjectCodes figures, sounds;
    figures.ColourFigure(out->greyJpeg.at, 40, 24, "grey").MonoFigure(out->mono.at, 21, 13, "");
    figures.InlineImage(out->colourJpeg.at).ColourFigure(out->bmp24.at, 0, 0, "bmp").ColourFigure(out->bmp8.at, 0, 0, "pal");
    sounds.PcmSound(out->rawStart, out->rawEnd, 1, 100, "raw").PcmSound(out->bodyStart, out->bodyEnd, 1, 0, "body");
    sounds.Movie(out->movieName);
    return std::vector<BookEntry>{{"figures", {"pictures"}, {}, figures.Bytes()},
                                  {"sounds", {"noises"}, {}, sounds.Bytes()}};
  };
  if (!WriteTwice(book, dir, out, entries, kSoundArea, error)) return false;
  fs::path sub = fs::path(out->written.subbooks[0].textPath).parent_path().parent_path();
  out->subbookDir = sub.string();
  return WriteFile(sub / "DATA" / "HONMONG", graphics.Bytes(), error) &&
         WriteFile(sub / "DATA" / "HONMONS", sounds.Bytes(), error) &&
         WriteFile(sub / "MOVIE" / out->movieName, out->movieBytes, error);
}

bool WriteEb(const std::string& dir, MediaSampleBook* out, std::string* error) {
  CMediaFile monoArea, colourArea;
  out->mono = MonoPicture();
  BookPos monoInArea = monoArea.Add(out->mono.stored);
  out->colourJpeg = Picture(24, 16, 3);
  out->colourJpeg.stored = WithDataHeader(EncodeJpeg(24, 16, 3, out->colourJpeg.pixels));
  colourArea.Add(std::vector<uint8_t>(2044, 0), 1);  // the header's last bytes cross into page 2
  BookPos colourInArea = colourArea.Add(out->colourJpeg.stored, 1);

  out->toneHz = 630;
  for (int i = 0; i < 2 * CXaSoundFile::kSamplesPerSector; ++i)
    out->tone.push_back(static_cast<int16_t>(std::lround(12000 * std::sin(2 * M_PI * out->toneHz * i / 18900.0))));
  CXaSoundFile xa;
  out->firstFrame = 100;
  out->lastFrame = xa.AddSound(out->firstFrame, out->tone);

  BookSource book = BaseBook(BookKind::kEb);
  book.subbooks[0].dataAreas = {{kMonoArea, monoArea.Bytes()}, {kColourArea, colourArea.Bytes()}};
  auto entries = [&](int32_t monoPage, int32_t colourPage) {
    out->mono.at = Shift(monoInArea, monoPage);
    out->colourJpeg.at = Shift(colourInArea, colourPage);
    CObjectCodes figures, sounds;
    figures.EbFigure(out->mono.at, 0, 21, 13).EbFigure(out->colourJpeg.at, 1, 0, 0);
    sounds.XaSound(out->firstFrame, out->lastFrame, "tone");
    return std::vector<BookEntry>{{"figures", {"pictures"}, {}, figures.Bytes()},
                                  {"sounds", {"noises"}, {}, sounds.Bytes()}};
  };
  if (!WriteTwice(book, dir, out, entries, kColourArea, error)) return false;
  fs::path sub = fs::path(out->written.subbooks[0].textPath).parent_path();
  out->subbookDir = sub.string();
  return WriteFile(sub / "SOUND", xa.Bytes(), error);
}

}  // namespace

bool WriteMediaSampleBook(const std::string& dir, BookKind kind, MediaSampleBook* out, std::string* error) {
  *out = MediaSampleBook();
  out->kind = kind;
  out->dir = dir;
  return kind == BookKind::kEpwing ? WriteEpwing(dir, out, error) : WriteEb(dir, out, error);
}
