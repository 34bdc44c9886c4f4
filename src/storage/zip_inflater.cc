#include "storage/zip_inflater.h"

#include <libdeflate.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "storage/fatal.h"

namespace {

z_stream g_stream;

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> g_decompressor;
std::vector<uint8_t> g_input;

const char* MessageOf(const z_stream& s) { return s.msg != nullptr ? s.msg : "???"; }

// The longest zlib stream a writer makes of `size` bytes (zlib's own
// bound); a slice index claiming more is wrong, and the stream path copes.
uint64_t StreamBound(uint32_t size) { return compressBound(size); }

// One call over the whole slice. False when the slice must be streamed.
bool InflateWhole(CFileStream& file, CFileWindow* window, uint64_t start, uint32_t stored, uint8_t* out,
                  uint32_t size) {
  if (stored == 0 || stored > StreamBound(size)) return false;
  if (!g_decompressor) {
    g_decompressor.reset(libdeflate_alloc_decompressor());
    if (!g_decompressor) return false;
  }
  const uint8_t* in = window != nullptr && window->Start(start) ? window->Peek(stored) : nullptr;
  if (in == nullptr) {
    if (g_input.size() < stored) g_input.resize(stored);
    bool read = window != nullptr ? window->Start(start) && window->Read(g_input.data(), stored) == stored
                                  : file.ReadAt(static_cast<int64_t>(start), g_input.data(), stored) == stored;
    if (!read) return false;
    in = g_input.data();
  }
  size_t produced = 0;
  if (libdeflate_zlib_decompress(g_decompressor.get(), in, stored, out, size, &produced) != LIBDEFLATE_SUCCESS)
    return false;
  std::memset(out + produced, 0, size - produced);
  return true;
}

bool InflateStream(CFileStream& file, uint64_t start, uint8_t* out, uint32_t size) {
  std::memset(out, 0, size);
  std::memset(&g_stream, 0, sizeof g_stream);
  if (inflateInit(&g_stream) != Z_OK) {
    char message[256];
    std::snprintf(message, sizeof message, "inflateInit: %s", MessageOf(g_stream));
    FatalError(message);
  }
  uint8_t input[1024];
  g_stream.next_out = out;
  g_stream.avail_out = size;
  bool ok = true;
  for (;;) {
    if (g_stream.avail_in == 0) {
      g_stream.next_in = input;
      size_t got = file.ReadAt(static_cast<int64_t>(start), input, sizeof input);
      start += got;
      g_stream.avail_in = static_cast<uInt>(got);
    }
    int status = inflate(&g_stream, Z_SYNC_FLUSH);
    if (status == Z_STREAM_END) break;
    if (status != Z_OK) {
      // Includes running out of input: zlib then reports no progress.
      std::fprintf(stderr, "inflate: %s\n", MessageOf(g_stream));
      ok = false;
      break;
    }
    if (g_stream.avail_out == 0) break;
  }
  if (inflateEnd(&g_stream) != Z_OK) {
    std::fprintf(stderr, "inflateEnd: %s\n", MessageOf(g_stream));
    ok = false;
  }
  g_stream.next_in = nullptr;
  g_stream.next_out = nullptr;
  return ok;
}

}  // namespace

bool InflateSlice(CFileStream& file, CFileWindow* window, uint64_t start, uint32_t stored, uint8_t* out,
                  uint32_t size) {
  if (start > static_cast<uint64_t>(INT64_MAX) - (uint64_t{1} << 32)) return false;
  return InflateWhole(file, window, start, stored, out, size) || InflateStream(file, start, out, size);
}
