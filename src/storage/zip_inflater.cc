#include "storage/zip_inflater.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

#include "storage/fatal.h"

namespace {

z_stream g_stream;

const char* MessageOf(const z_stream& s) { return s.msg != nullptr ? s.msg : "???"; }

}  // namespace

bool InflateSlice(CFileStream& file, uint8_t* out, uint32_t size) {
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
      g_stream.avail_in = static_cast<uInt>(file.Read(input, 1, sizeof input));
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
