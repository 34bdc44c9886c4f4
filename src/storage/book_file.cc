// CBookFile: opening, storage detection, page selection, plain pages and the
// slot cache shared by the compressed kinds. The kinds themselves live in
// book_file_ebzip.cc, book_file_epwing.cc and book_file_sebxa.cc.
#include "storage/book_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <string_view>

CBookFile::CBookFile() = default;

CBookFile::~CBookFile() { Close(); }

namespace {

// START files are the only ones that may carry S-EBXA text and never carry
// EPWING Huffman text, so the name alone picks which test runs. Books copied
// from discs keep the ISO 9660 version (";1") or a trailing dot on their
// names, which must not hide the name underneath.
bool NamesStartFile(const std::string& path) {
  std::string_view name(path);
  if (size_t semi = name.rfind(';'); semi != std::string_view::npos && name.find('/', semi) == std::string_view::npos)
    name = name.substr(0, semi);
  while (!name.empty() && name.back() == '.') name.remove_suffix(1);
  static const char kStart[] = "START";
  if (name.size() < 5) return false;
  for (size_t i = 0; i < 5; ++i) {
    unsigned char c = static_cast<unsigned char>(name[name.size() - 5 + i]);
    if (std::toupper(c) != kStart[i]) return false;
  }
  return true;
}

}  // namespace

int CBookFile::Open(const std::string& path, int versionHint) {
  Close();
  m_page = 1;
  if (m_file.Open(path, "rb") != 0) return -1;
  uint8_t header[32];
  int64_t size = -1;
  if (m_file.Read(header, 1, sizeof header) != sizeof header || (size = m_file.Size()) < 0) {
    Close();
    return -1;
  }
  // Book positions are 32-bit; nothing past 4 GiB can be addressed anyway.
  m_fileSize = static_cast<uint32_t>(std::min<int64_t>(size, std::numeric_limits<uint32_t>::max()));

  m_kind = kPlain;
  if (std::memcmp(header, "EBZip", 5) == 0) {
    if (OpenEbzip(header) != 0) {
      Close();
      return -1;
    }
  } else if (!NamesStartFile(path)) {
    DetectEpwing(header, versionHint);
  } else {
    DetectSebxa();
  }
  SetPage(1);
  return 0;
}

void CBookFile::Reset() {
  m_kind = kPlain;
  m_fileSize = 0;
  m_page = 0;
  m_sliceSize = 0;
  for (int i = 0; i < kMaxSlots; ++i) {
    m_slotPage[i] = 0;
    std::vector<uint8_t>().swap(m_slotBuffer[i]);
  }
  m_lastSlot = 0;
  m_slotCount = 0;
  m_zipMode = m_zipLevel = m_indexWidth = 0;
  m_originalSize = m_crc = 0;
  m_indexLocation = m_indexLength = m_freqLocation = m_freqLength = m_dataLocation = 0;
  m_huffman.Clear();
  m_codeWindow.Forget();
  m_indexWindow.Forget();
  m_sebxa = SebxaArea();
  m_prepared = false;
}

void CBookFile::Close() {
  m_file.Close();
  Reset();
}

uint32_t CBookFile::DataSize() const {
  constexpr uint64_t kMax = std::numeric_limits<uint32_t>::max();
  switch (m_kind) {
    case kEbzip:
      return m_originalSize;
    case kEpwingAllCoded:
    case kEpwingFlagged: {
      // Each 36-byte index record places 16 pages.
      uint64_t pages = uint64_t{m_indexLength} / 36 * 16;
      return static_cast<uint32_t>(std::min(pages * kPageSize, kMax));
    }
    case kSebxa: {
      uint64_t end = (uint64_t{m_sebxa.textStart} + m_sebxa.textCount - 1) * kPageSize;
      return static_cast<uint32_t>(std::min(std::max(end, uint64_t{m_fileSize}), kMax));
    }
    default:
      return m_fileSize;
  }
}

int CBookFile::SetPage(int32_t page) {
  // Recorded even when refused, so that a caller who reads anyway gets a
  // zero page rather than whatever was current before.
  m_page = page;
  if (page <= 0 || !IsOpen()) return -1;
  switch (m_kind) {
    case kPlain:
      return m_file.Seek(static_cast<int64_t>(page - 1) * kPageSize);
    case kEbzip:
    case kEpwingAllCoded:
    case kEpwingFlagged:
    case kSebxa:
      return 0;
    default:
      return -1;
  }
}

int CBookFile::ReadPage(uint8_t* buffer) {
  int result = 0;
  if (IsOpen() && m_page > 0) {
    switch (m_kind) {
      case kPlain:
        // An empty read leaves the caller's buffer as it was.
        if (ReadPlainPage(buffer) == 0) return 0;
        result = 1;
        break;
      case kEbzip:
        result = ReadEbzipPage(buffer);
        break;
      case kEpwingAllCoded:
      case kEpwingFlagged:
        result = ReadEpwingPage(buffer);
        break;
      case kSebxa:
        result = ReadSebxaPage(buffer);
        break;
      default:
        break;
    }
  }
  if (result == 0) {
    std::memset(buffer, 0, kPageSize);
    return 0;
  }
  // Past the last addressable page the number turns negative and every
  // later read fails, instead of overflowing.
  m_page = m_page == std::numeric_limits<int32_t>::max() ? -1 : m_page + 1;
  return 1;
}

int CBookFile::ReadPages(int32_t first, int count, uint8_t* out) {
  if (count <= 0 || first <= 0 || count > std::numeric_limits<int32_t>::max() - first) return 0;
  if (m_kind != kPlain) {
    int done = 0;
    if (SetPage(first) != 0) return 0;
    m_readingRun = true;
    while (done < count && ReadPage(out + static_cast<size_t>(done) * kPageSize) == 1) ++done;
    m_readingRun = false;
    if (m_kind == kEbzip) m_codeWindow.Invalidate();
    return done;
  }
  // Straight into the caller's buffer, one system call for the lot.
  const size_t want = static_cast<size_t>(count) * kPageSize;
  size_t got = m_file.ReadAt(static_cast<int64_t>(first - 1) * kPageSize, out, want);
  int done = static_cast<int>((got + kPageSize - 1) / kPageSize);
  // The file's last page may be short: the rest of it is zeros.
  std::memset(out + got, 0, static_cast<size_t>(done) * kPageSize - got);
  SetPage(first + done);
  return done;
}

int CBookFile::ReadPlainPage(uint8_t* buffer) {
  // SetPage positioned the file; reading on after a refused seek must not
  // take bytes from wherever the file happened to be.
  int64_t want = static_cast<int64_t>(m_page - 1) * kPageSize;
  if (m_file.Tell() != want && m_file.Seek(want) != 0) return 0;
  size_t got = m_file.Read(buffer, 1, kPageSize);
  if (got == 0) return 0;
  if (got < static_cast<size_t>(kPageSize)) std::memset(buffer + got, 0, kPageSize - got);
  return 1;
}

void CBookFile::AllocateSlots(int count, uint32_t sliceSize) {
  m_slotCount = std::min(count, kMaxSlots);
  m_sliceSize = sliceSize;
  m_lastSlot = 0;
  for (int i = 0; i < kMaxSlots; ++i) {
    m_slotPage[i] = 0;
    if (i < m_slotCount)
      m_slotBuffer[i].assign(sliceSize, 0);
    else
      std::vector<uint8_t>().swap(m_slotBuffer[i]);
  }
}

int64_t CBookFile::SliceOf(int32_t page) const {
  switch (m_kind) {
    case kEbzip:
      return static_cast<int64_t>(page - 1) * kPageSize / m_sliceSize;
    case kSebxa:
      return (static_cast<int64_t>(page) - m_sebxa.textStart) / 2;
    default:
      return page;
  }
}

int CBookFile::FindSlot(int64_t slice) const {
  for (int i = 0; i < m_slotCount; ++i)
    if (m_slotPage[i] > 0 && SliceOf(m_slotPage[i]) == slice) return i;
  return -1;
}

int CBookFile::NextSlot() {
  m_lastSlot = m_slotCount > 0 ? (m_lastSlot + 1) % m_slotCount : 0;
  m_slotPage[m_lastSlot] = 0;
  return m_lastSlot;
}
