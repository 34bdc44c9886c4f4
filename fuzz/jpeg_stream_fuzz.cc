// Fuzz target for bare JPEG streams in book data: any bytes as a book file,
// a stream walked from any offset of its first page by its markers, and
// whatever comes out handed to libjpeg. Nothing may read outside the file,
// grow past the stream limit or let libjpeg end the program.
//
// Input: 2 bytes little-endian start offset (mod 2048), then the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "decode/jpeg_decoder.h"
#include "decode/jpeg_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int offset = (data[0] | data[1] << 8) % 2048;
  CMemoryMediaSource source(std::vector<uint8_t>(data + 2, data + size));
  std::vector<uint8_t> stream = ExtractJpegStream(source, 1, offset);
  if (stream.size() >= kMaxJpegStream || stream.size() > size) std::abort();
  if (!stream.empty()) {
    if (stream[stream.size() - 2] != 0xFF || stream.back() != 0xD9) std::abort();
    CBitmapImage image;
    if (DecodeJpeg(stream.data(), stream.size(), &image) && (image.Width() < 1 || image.ByteSize() == 0)) std::abort();
  }
  return 0;
}
