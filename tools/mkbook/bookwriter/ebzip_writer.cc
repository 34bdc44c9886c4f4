#include "bookwriter/ebzip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "bookwriter/big_endian.h"

namespace {

constexpr size_t kHeaderSize = 22;
constexpr size_t kPage = 2048;
// Readers refuse files shorter than one header block.
constexpr size_t kMinFileSize = 32;

void Fail(std::string* error, const std::string& message) {
  if (error != nullptr) *error = message;
}

// One deflater for all slices of a file: re-initialising zlib per slice
// costs more than deflating a 2 KB slice.
class CSliceDeflater {
 public:
  explicit CSliceDeflater(int zlibLevel) { m_ok = deflateInit(&m_stream, zlibLevel) == Z_OK; }
  ~CSliceDeflater() {
    if (m_ok) deflateEnd(&m_stream);
  }
  CSliceDeflater(const CSliceDeflater&) = delete;
  CSliceDeflater& operator=(const CSliceDeflater&) = delete;

  bool ok() const { return m_ok; }

  // Deflates `slice` into `out`; false when the result would not be
  // shorter than the slice (then `out` is meaningless).
  bool Deflate(const std::vector<uint8_t>& slice, std::vector<uint8_t>& out) {
    out.resize(slice.size() - 1);
    deflateReset(&m_stream);
    m_stream.next_in = const_cast<Bytef*>(slice.data());
    m_stream.avail_in = static_cast<uInt>(slice.size());
    m_stream.next_out = out.data();
    m_stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&m_stream, Z_FINISH) != Z_STREAM_END) return false;
    out.resize(out.size() - m_stream.avail_out);
    return true;
  }

 private:
  z_stream m_stream{};
  bool m_ok = false;
};

}  // namespace

int EbzipIndexWidth(uint64_t size) {
  if (size < 65536) return 2;
  if (size <= 16777216) return 3;
  return 4;
}

std::optional<std::vector<uint8_t>> EbzipCompress(std::span<const uint8_t> data, const EbzipOptions& options,
                                                  std::string* error) {
  if (options.level < 0 || options.level > kEbzipMaxLevel) {
    Fail(error, "EBZip level must be 0 to " + std::to_string(kEbzipMaxLevel));
    return std::nullopt;
  }
  if (data.size() > 0xFFFFFFFFu) {
    Fail(error, "file too large for EBZip (4 GB at most)");
    return std::nullopt;
  }
  const size_t sliceSize = kPage << options.level;
  const size_t sliceCount = (data.size() + sliceSize - 1) / sliceSize;
  const int width = EbzipIndexWidth(data.size());
  const uint64_t maxOffset = width == 4 ? 0xFFFFFFFFull : (1ull << (8 * width)) - 1;

  std::vector<uint8_t> out(kHeaderSize + (sliceCount + 1) * width, 0);
  std::memcpy(out.data(), "EBZip", 5);
  out[5] = static_cast<uint8_t>(1 << 4 | options.level);
  PutBE32(&out[10], static_cast<uint32_t>(data.size()));
  PutBE32(&out[14], static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size()))));

  CSliceDeflater deflater(options.zlibLevel);
  if (!deflater.ok()) {
    Fail(error, "zlib deflateInit failed");
    return std::nullopt;
  }
  std::vector<uint8_t> slice(sliceSize), packed;
  for (size_t k = 0; k <= sliceCount; ++k) {
    if (out.size() > maxOffset) {
      Fail(error, "slice offset " + std::to_string(out.size()) + " does not fit a " + std::to_string(width) +
                      "-byte index entry (data does not compress enough for its size)");
      return std::nullopt;
    }
    PutBE(&out[kHeaderSize + k * width], static_cast<uint32_t>(out.size()), width);
    if (k == sliceCount) break;
    size_t begin = k * sliceSize, n = std::min(sliceSize, data.size() - begin);
    std::fill(std::copy_n(data.begin() + begin, n, slice.begin()), slice.end(), uint8_t{0});
    if (!options.storeAllRaw && deflater.Deflate(slice, packed))
      out.insert(out.end(), packed.begin(), packed.end());
    else
      out.insert(out.end(), slice.begin(), slice.end());
  }
  if (out.size() < kMinFileSize) out.resize(kMinFileSize, 0);
  return out;
}
