// See media_writer.h.
#include "bookwriter/media_writer.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "bookwriter/text_encoder.h"

namespace {

void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutLe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

struct CompressTrap {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void CompressError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<CompressTrap*>(cinfo->err)->jump, 1); }

struct CompressSession {
  jpeg_compress_struct cinfo;
  CompressTrap trap;
  unsigned char* out;
  unsigned long outSize;
};

// Plain C data only between the jump point and libjpeg (see the decoder).
bool Compress(CompressSession* s, int width, int height, int components, const uint8_t* pixels, int quality,
              int restartRows) {
  s->cinfo.err = jpeg_std_error(&s->trap.pub);
  s->trap.pub.error_exit = CompressError;
  if (setjmp(s->trap.jump) != 0) return false;
  jpeg_create_compress(&s->cinfo);
  jpeg_mem_dest(&s->cinfo, &s->out, &s->outSize);
  s->cinfo.image_width = static_cast<JDIMENSION>(width);
  s->cinfo.image_height = static_cast<JDIMENSION>(height);
  s->cinfo.input_components = components;
  s->cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&s->cinfo);
  jpeg_set_quality(&s->cinfo, quality, TRUE);
  s->cinfo.restart_in_rows = restartRows;
  // Full-resolution colour keeps the round-trip tolerance small.
  for (int c = 0; c < s->cinfo.num_components; ++c) {
    s->cinfo.comp_info[c].h_samp_factor = 1;
    s->cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&s->cinfo, TRUE);
  size_t stride = static_cast<size_t>(width) * static_cast<size_t>(components);
  while (s->cinfo.next_scanline < s->cinfo.image_height) {
    auto row = const_cast<JSAMPROW>(pixels + s->cinfo.next_scanline * stride);
    jpeg_write_scanlines(&s->cinfo, &row, 1);
  }
  jpeg_finish_compress(&s->cinfo);
  return true;
}

constexpr int32_t kK0[4] = {0, 240, 460, 392};
constexpr int32_t kK1[4] = {0, 0, -208, -220};

int32_t Clamp16(int32_t v) { return std::clamp(v, -32768, 32767); }

}  // namespace

std::vector<uint8_t> PackMonoBitmap(int width, int height, const std::vector<uint8_t>& ink) {
  size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  std::vector<uint8_t> out(rowBytes * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (ink[static_cast<size_t>(y * width + x)] != 0)
        out[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
  return out;
}

std::vector<uint8_t> EncodeJpeg(int width, int height, int components, const std::vector<uint8_t>& pixels,
                                int quality, int restartRows) {
  if (width < 1 || height < 1 || (components != 1 && components != 3) ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(components))
    return {};
  CompressSession session{};
  bool ok = Compress(&session, width, height, components, pixels.data(), quality, restartRows);
  jpeg_destroy_compress(&session.cinfo);
  std::vector<uint8_t> out;
  if (ok && session.out != nullptr) out.assign(session.out, session.out + session.outSize);
  std::free(session.out);
  return out;
}

std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<uint8_t>& pixels,
                               const std::vector<uint32_t>& palette) {
  int bits = palette.empty() ? 24 : 8;
  size_t stride = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
  size_t paletteBytes = palette.size() * 4;
  size_t offset = 14 + 40 + paletteBytes;
  std::vector<uint8_t> out(offset + stride * static_cast<size_t>(height));
  out[0] = 'B';
  out[1] = 'M';
  PutLe32(&out[2], static_cast<uint32_t>(out.size()));
  PutLe32(&out[10], static_cast<uint32_t>(offset));
  PutLe32(&out[14], 40);
  PutLe32(&out[18], static_cast<uint32_t>(width));
  PutLe32(&out[22], static_cast<uint32_t>(height));
  PutLe16(&out[26], 1);
  PutLe16(&out[28], static_cast<uint32_t>(bits));
  PutLe32(&out[34], static_cast<uint32_t>(stride * static_cast<size_t>(height)));
  PutLe32(&out[46], static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) {
    uint8_t* e = &out[54 + 4 * i];
    e[0] = static_cast<uint8_t>(palette[i]);
    e[1] = static_cast<uint8_t>(palette[i] >> 8);
    e[2] = static_cast<uint8_t>(palette[i] >> 16);
  }
  size_t bpp = static_cast<size_t>(bits / 8);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &out[offset + stride * static_cast<size_t>(height - 1 - y)];
    for (int x = 0; x < width; ++x) {
      size_t from = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * bpp;
      if (bits == 8) {
        row[x] = pixels[from];
      } else {
        row[3 * x] = pixels[from + 2];
        row[3 * x + 1] = pixels[from + 1];
        row[3 * x + 2] = pixels[from];
      }
    }
  }
  return out;
}

std::vector<uint8_t> WithDataHeader(const std::vector<uint8_t>& image, bool bigEndianLength) {
  std::vector<uint8_t> out{'d', 'a', 't', 'a', 0, 0, 0, 0};
  auto n = static_cast<uint32_t>(image.size());
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(4 + i)] = static_cast<uint8_t>(bigEndianLength ? n >> (24 - 8 * i) : n >> (8 * i));
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

std::vector<uint8_t> WaveChunks(int channels, int rate, int bits, const std::vector<uint8_t>& samples) {
  std::vector<uint8_t> out(32);
  uint32_t align = static_cast<uint32_t>(channels * bits / 8);
  std::memcpy(&out[0], "fmt ", 4);
  PutLe32(&out[4], 16);
  PutLe16(&out[8], 1);
  PutLe16(&out[10], static_cast<uint32_t>(channels));
  PutLe32(&out[12], static_cast<uint32_t>(rate));
  PutLe32(&out[16], static_cast<uint32_t>(rate) * align);
  PutLe16(&out[20], align);
  PutLe16(&out[22], static_cast<uint32_t>(bits));
  std::memcpy(&out[24], "data", 4);
  PutLe32(&out[28], static_cast<uint32_t>(samples.size()));
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

uint8_t* CXaSoundFile::Sector(int frame) {
  size_t end = kHeaderSize + static_cast<size_t>(frame + 1) * kSectorSize;
  if (m_bytes.size() < end) m_bytes.resize(end, 0);
  uint8_t* sector = &m_bytes[kHeaderSize + static_cast<size_t>(frame) * kSectorSize];
  // Sync pattern and a form-2 audio subheader, as a disc image has them.
  sector[0] = 0x00;
  std::memset(sector + 1, 0xFF, 10);
  sector[11] = 0x00;
  sector[15] = 2;
  sector[18] = sector[22] = 0x64;  // real-time, audio, form 2
  return sector;
}

// Each unit takes the filter and range that code it best, tracking the
// decoder's own state so that errors do not build up.
void CXaSoundFile::EncodeGroup(const int16_t* samples, uint8_t* group) {
  for (int u = 0; u < 8; ++u) {
    const int16_t* in = samples + 28 * u;
    int64_t bestError = INT64_MAX;
    int bestFilter = 0, bestRange = 0;
    for (int f = 0; f < 4; ++f) {
      for (int r = 0; r <= 12; ++r) {
        int32_t p1 = m_prev1, p2 = m_prev2;
        int64_t error = 0;
        for (int j = 0; j < 28; ++j) {
          int32_t predicted = (kK0[f] * p1 + kK1[f] * p2) / 256;
          int32_t step = 1 << (12 - r);
          int32_t diff = in[j] - predicted;
          int32_t n = std::clamp((diff >= 0 ? diff + step / 2 : diff - step / 2) / step, -8, 7);
          int32_t decoded = Clamp16(predicted + n * step);
          error += static_cast<int64_t>(in[j] - decoded) * (in[j] - decoded);
          p2 = p1;
          p1 = decoded;
        }
        if (error < bestError) bestError = error, bestFilter = f, bestRange = r;
      }
    }
    auto header = static_cast<uint8_t>(bestFilter << 4 | bestRange);
    group[u < 4 ? u : u + 8] = group[u + 4] = header;
    int32_t step = 1 << (12 - bestRange);
    for (int j = 0; j < 28; ++j) {
      int32_t predicted = (kK0[bestFilter] * m_prev1 + kK1[bestFilter] * m_prev2) / 256;
      int32_t diff = in[j] - predicted;
      int32_t n = std::clamp((diff >= 0 ? diff + step / 2 : diff - step / 2) / step, -8, 7);
      int32_t decoded = Clamp16(predicted + n * step);
      uint8_t& b = group[16 + 4 * j + u / 2];
      b = static_cast<uint8_t>(u % 2 == 0 ? (b & 0xF0) | (n & 0x0F) : (b & 0x0F) | (n & 0x0F) << 4);
      m_prev2 = m_prev1;
      m_prev1 = decoded;
    }
  }
}

int CXaSoundFile::AddSound(int firstFrame, const std::vector<int16_t>& samples) {
  m_prev1 = m_prev2 = 0;
  size_t sectors = std::max<size_t>(1, (samples.size() + kSamplesPerSector - 1) / kSamplesPerSector);
  std::vector<int16_t> padded(samples);
  padded.resize(sectors * kSamplesPerSector, 0);
  int frame = firstFrame;
  for (size_t s = 0; s < sectors; ++s, frame += 16) {
    uint8_t* sector = Sector(frame);
    for (int g = 0; g < 18; ++g)
      EncodeGroup(&padded[s * kSamplesPerSector + static_cast<size_t>(g) * 224], sector + 24 + 128 * g);
  }
  return frame - 16;
}

BookPos CMediaFile::Add(const std::vector<uint8_t>& bytes, size_t align) {
  if (align > 1) m_bytes.resize((m_bytes.size() + align - 1) / align * align, 0);
  BookPos at = PosOf(m_bytes.size());
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  return at;
}

BookPos CMediaFile::PosOf(size_t at) const {
  return {static_cast<int32_t>(m_firstPage + static_cast<int32_t>(at / 2048)), static_cast<uint16_t>(at % 2048)};
}

CObjectCodes& CObjectCodes::Esc(uint8_t code) { return Word(static_cast<uint16_t>(0x1F00 | code)); }

CObjectCodes& CObjectCodes::Word(uint16_t w) {
  m_bytes.push_back(static_cast<uint8_t>(w >> 8));
  m_bytes.push_back(static_cast<uint8_t>(w));
  return *this;
}

CObjectCodes& CObjectCodes::Bcd(uint32_t value, int bytes) {
  std::vector<uint8_t> out(static_cast<size_t>(bytes));
  for (int i = bytes - 1; i >= 0; --i) {
    out[static_cast<size_t>(i)] = static_cast<uint8_t>((value % 10) | (value / 10 % 10) << 4);
    value /= 100;
  }
  m_bytes.insert(m_bytes.end(), out.begin(), out.end());
  return *this;
}

CObjectCodes& CObjectCodes::Pos(BookPos at) { return Bcd(static_cast<uint32_t>(at.page), 4).Bcd(at.offset, 2); }

CObjectCodes& CObjectCodes::Text(const std::string& utf8) {
  CTextEncoder text;
  if (text.Text(utf8)) m_bytes.insert(m_bytes.end(), text.Bytes().begin(), text.Bytes().end());
  return *this;
}

CObjectCodes& CObjectCodes::ColourFigure(BookPos at, int width, int height, const std::string& caption) {
  Esc(0x4D).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2);
  Bcd(static_cast<uint32_t>(width), 2).Bcd(static_cast<uint32_t>(height), 2).Pos(at);
  return Text(caption).Esc(0x6D);
}

CObjectCodes& CObjectCodes::MonoFigure(BookPos at, int width, int height, const std::string& caption) {
  Esc(0x44).Bcd(0, 2).Bcd(static_cast<uint32_t>(height), 4).Bcd(static_cast<uint32_t>(width), 4);
  return Text(caption).Esc(0x64).Pos(at);
}

CObjectCodes& CObjectCodes::InlineImage(BookPos at) {
  Esc(0x3C).Bcd(0, 2).Bcd(0, 2).Word(0).Word(0).Word(0).Word(0).Pos(at);
  return Esc(0x5C);
}

CObjectCodes& CObjectCodes::EbFigure(BookPos at, int kind, int width, int height) {
  Esc(0x31).Word(static_cast<uint16_t>(kind)).Bcd(static_cast<uint32_t>(width), 2).Bcd(static_cast<uint32_t>(height), 2);
  return Esc(0x51).Pos(at);
}

CObjectCodes& CObjectCodes::PcmSound(BookPos start, BookPos end, int format, int digits, const std::string& caption) {
  Esc(0x4A).Bcd(static_cast<uint32_t>(format), 2).Bcd(static_cast<uint32_t>(digits), 2).Pos(start).Pos(end);
  return Text(caption).Esc(0x6A);
}

CObjectCodes& CObjectCodes::XaSound(int firstFrame, int lastFrame, const std::string& caption) {
  // The book gives times (minutes, seconds, frames at 75 a second); the
  // start time is one frame past the first frame.
  auto time = [this](int frames) {
    Bcd(static_cast<uint32_t>(frames / 75 / 60), 1).Bcd(static_cast<uint32_t>(frames / 75 % 60), 1);
    Bcd(static_cast<uint32_t>(frames % 75), 1);
  };
  Esc(0x33).Text(caption).Esc(0x53).Word(0);
  time(firstFrame + 1);
  time(lastFrame);
  return *this;
}

CObjectCodes& CObjectCodes::Movie(const std::string& name) {
  Esc(0x39).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 4).Bcd(0, 4);
  for (size_t i = 0; i < 8; ++i) {
    uint16_t code = 0;
    if (i < name.size()) code = name[i] == '_' ? 0x2132 : static_cast<uint16_t>(0x2300 | static_cast<uint8_t>(name[i]));
    Word(code);
  }
  Bcd(0, 2).Bcd(0, 4).Bcd(0, 2);
  return Esc(0x59);
}
