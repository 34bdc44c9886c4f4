// See jpeg_stream.h.
#include "decode/jpeg_stream.h"

namespace {

bool IsStandalone(uint8_t marker) {
  return marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

class CStreamCopy {
 public:
  explicit CStreamCopy(CMediaSource& source) : m_cursor(source) {}

  std::vector<uint8_t> Run(int64_t position) {
    m_cursor.Seek(position);
    bool done = false;
    while (!done) {
      if (!Step(&done) || m_out.size() >= kMaxJpegStream) return {};
    }
    return std::move(m_out);
  }

 private:
  bool Next(uint8_t* b) {
    if (!m_cursor.ReadByte(b)) return false;
    m_out.push_back(*b);
    return true;
  }

  // One byte, or one marker with its segment; false when the stream is
  // refused.
  bool Step(bool* done) {
    uint8_t b = 0, m = 0;
    if (!Next(&b)) return false;
    if (b != 0xFF) return true;
    do {
      if (!Next(&m)) return false;
    } while (m == 0xFF);
    if (m == 0xD9) {
      *done = true;
      return true;
    }
    if (m_inScan || IsStandalone(m)) return true;
    uint8_t length[2];
    if (!Next(&length[0]) || !Next(&length[1])) return false;
    size_t s = static_cast<size_t>(length[0] << 8 | length[1]);
    if (s < 2) return false;
    if (m == 0xDA) m_inScan = true;
    return m_cursor.Append(&m_out, s - 2) == s - 2;
  }

  CMediaCursor m_cursor;
  std::vector<uint8_t> m_out;
  bool m_inScan = false;
};

}  // namespace

std::vector<uint8_t> ExtractJpegStream(CMediaSource& source, int32_t page, int offset) {
  if (page < 1 || offset < 0) return {};
  CStreamCopy copy(source);
  return copy.Run(LinearPosition(page, offset));
}
