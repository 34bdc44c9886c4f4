// See jpeg_decoder.h.
//
// The libjpeg calls are made from two small functions that each set their
// own jump point and hold nothing but plain C data, so the jump out of the
// error handler only crosses libjpeg's own frames. The session struct and
// the target image live in the caller, which outlives both jumps.
#include "decode/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorTrap {
  jpeg_error_mgr pub;  // first, so the library's pointer is ours too
  std::jmp_buf jump;
};

struct JpegSession {
  jpeg_decompress_struct cinfo;
  ErrorTrap trap;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  std::longjmp(trap->jump, 1);
}

void OutputMessage(j_common_ptr) {}

constexpr size_t kPixelsPerByte = 1024;
constexpr size_t kPixelAllowance = 65536;
// libjpeg's own working memory: the coefficients of a progressive file of
// kMaxPixels in full colour, which is as large as a real one gets.
constexpr long kMaxLibraryMemory = 112L << 20;
constexpr unsigned kMaxScaleDenominator = 8;

int64_t Scaled(JDIMENSION side, unsigned denominator) { return (int64_t{side} + denominator - 1) / denominator; }

// The scale denominator (1, 2, 4 or 8) to decode at, or 0 when the header
// claims more than the data or the limits allow.
unsigned ChooseScale(const jpeg_decompress_struct& cinfo, size_t size, int fitWidth) {
  const JDIMENSION w = cinfo.image_width, h = cinfo.image_height;
  if (w < 1 || h < 1 || w > CBitmapImage::kMaxSide || h > CBitmapImage::kMaxSide) return 0;
  if (static_cast<size_t>(w) * h > size * kPixelsPerByte + kPixelAllowance) return 0;
  unsigned d = 1;
  while (d <= kMaxScaleDenominator && Scaled(w, d) * Scaled(h, d) > CBitmapImage::kMaxPixels) d *= 2;
  if (d > kMaxScaleDenominator) return 0;
  while (fitWidth > 0 && d < kMaxScaleDenominator && Scaled(w, d * 2) >= fitWidth) d *= 2;
  return d;
}

// Creates the decompressor and reads the header; false when libjpeg gave up.
bool ReadHeader(JpegSession* s, const uint8_t* data, size_t size) {
  s->cinfo.err = jpeg_std_error(&s->trap.pub);
  s->trap.pub.error_exit = ErrorExit;
  s->trap.pub.output_message = OutputMessage;
  if (setjmp(s->trap.jump) != 0) return false;
  jpeg_create_decompress(&s->cinfo);
  s->cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&s->cinfo, TRUE) != JPEG_HEADER_OK) return false;
  switch (s->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      s->cinfo.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      s->cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      s->cinfo.out_color_space = JCS_EXT_BGR;
  }
  return true;
}

// CMYK rows as libjpeg gives them (Adobe files store the inks inverted).
void CmykToBgr(const JSAMPLE* in, uint8_t* out, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
    unsigned c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) {
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    out[0] = static_cast<uint8_t>(y * k / 255);
    out[1] = static_cast<uint8_t>(m * k / 255);
    out[2] = static_cast<uint8_t>(c * k / 255);
  }
}

// Decompresses every scan line into `image`, top line first; false when
// libjpeg gave up.
bool ReadRows(JpegSession* s, CBitmapImage* image) {
  if (setjmp(s->trap.jump) != 0) return false;
  jpeg_start_decompress(&s->cinfo);
  j_decompress_ptr cinfo = &s->cinfo;
  if (static_cast<int>(cinfo->output_width) != image->Width() ||
      static_cast<int>(cinfo->output_height) != image->Height())
    return false;
  JSAMPARRAY cmyk = nullptr;
  if (cinfo->out_color_space == JCS_CMYK)
    cmyk = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, cinfo->output_width * 4, 1);
  while (cinfo->output_scanline < cinfo->output_height) {
    int y = static_cast<int>(cinfo->output_scanline);
    JSAMPROW row = cmyk != nullptr ? cmyk[0] : image->ScanLine(y);
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
    if (cmyk != nullptr) CmykToBgr(cmyk[0], image->ScanLine(y), cinfo->output_width, cinfo->saw_Adobe_marker);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

// Chooses the scale and sets up `image` for the output; false when the size
// is refused or libjpeg gave up.
bool PrepareImage(JpegSession* s, size_t size, int fitWidth, CBitmapImage* image) {
  unsigned denominator = ChooseScale(s->cinfo, size, fitWidth);
  if (denominator == 0) return false;
  if (setjmp(s->trap.jump) != 0) return false;
  s->cinfo.scale_num = 1;
  s->cinfo.scale_denom = denominator;
  jpeg_calc_output_dimensions(&s->cinfo);
  int bits = s->cinfo.out_color_space == JCS_GRAYSCALE ? 8 : 24;
  if (!image->Allocate(static_cast<int>(s->cinfo.output_width), static_cast<int>(s->cinfo.output_height), bits, true))
    return false;
  image->SetGreyPalette();
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, CBitmapImage* image, int fitWidth) {
  if (data == nullptr || size < 4 || size > 0x7FFFFFFF) return false;
  JpegSession session{};
  CBitmapImage decoded;
  bool ok = ReadHeader(&session, data, size) && PrepareImage(&session, size, fitWidth, &decoded) &&
            ReadRows(&session, &decoded);
  jpeg_destroy_decompress(&session.cinfo);
  if (ok) *image = std::move(decoded);
  return ok;
}

bool ReadJpegSize(const uint8_t* data, size_t size, int* width, int* height) {
  if (data == nullptr || size < 4 || size > 0x7FFFFFFF) return false;
  JpegSession session{};
  unsigned denominator = ReadHeader(&session, data, size) ? ChooseScale(session.cinfo, size, 0) : 0;
  if (denominator != 0) {
    *width = static_cast<int>(Scaled(session.cinfo.image_width, denominator));
    *height = static_cast<int>(Scaled(session.cinfo.image_height, denominator));
  }
  bool ok = denominator != 0;
  jpeg_destroy_decompress(&session.cinfo);
  return ok;
}
