#include "storage/file_stream.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

// The read streams whose FILE is open, most recently used first. Using a
// stream moves it to the front; opening one past the limit parks the last.
class CStreamPool {
 public:
  // Never destroyed, so that streams outliving the statics still find it.
  static CStreamPool& Get() {
    static CStreamPool* pool = new CStreamPool;
    return *pool;
  }

  void Touch(CFileStream* s) {
    if (m_newest == s) return;
    if (IsListed(s)) Unlink(s);
    s->m_older = m_newest;
    s->m_newer = nullptr;
    if (m_newest != nullptr) m_newest->m_newer = s;
    m_newest = s;
    if (m_oldest == nullptr) m_oldest = s;
    ++m_count;
    while (m_count > Limit() && m_oldest != s) m_oldest->Park();
  }

  void Forget(CFileStream* s) {
    if (IsListed(s)) Unlink(s);
  }

  size_t Limit() {
    if (m_limit == 0) m_limit = DefaultLimit();
    return m_limit;
  }
  void SetLimit(size_t limit) {
    m_limit = limit;
    while (m_count > Limit() && m_oldest != nullptr) m_oldest->Park();
  }
  size_t Count() const { return m_count; }

 private:
  static size_t DefaultLimit() {
    struct rlimit rl;
    if (getrlimit(RLIMIT_NOFILE, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY) return 256;
    return std::clamp<size_t>(static_cast<size_t>(rl.rlim_cur / 4), 8, 256);
  }

  bool IsListed(const CFileStream* s) const { return s == m_newest || s->m_newer != nullptr; }

  void Unlink(CFileStream* s) {
    (s->m_newer != nullptr ? s->m_newer->m_older : m_newest) = s->m_older;
    (s->m_older != nullptr ? s->m_older->m_newer : m_oldest) = s->m_newer;
    s->m_newer = s->m_older = nullptr;
    --m_count;
  }

  CFileStream* m_newest = nullptr;
  CFileStream* m_oldest = nullptr;
  size_t m_count = 0;
  size_t m_limit = 0;
};

namespace {

// A book file opened for reading: only a regular file, tested on the open
// descriptor, and opened without waiting (a FIFO in a book's place would
// otherwise block the open until someone writes to it).
FILE* OpenForReading(const std::string& path, struct stat* st) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  int flags = ::fcntl(fd, F_GETFL);
  FILE* fp = nullptr;
  if (::fstat(fd, st) == 0 && S_ISREG(st->st_mode) && flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
    fp = ::fdopen(fd, "rb");
  if (fp == nullptr) ::close(fd);
  return fp;
}

bool IsReadMode(const char* mode) { return mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

}  // namespace

size_t StreamLimit() { return CStreamPool::Get().Limit(); }
void SetStreamLimit(size_t limit) { CStreamPool::Get().SetLimit(limit); }
size_t OpenStreamCount() { return CStreamPool::Get().Count(); }

int CFileStream::Open(const std::string& path, const char* mode) {
  Close();
  struct stat st;
  m_fp = IsReadMode(mode) ? OpenForReading(path, &st) : std::fopen(path.c_str(), mode);
  if (m_fp == nullptr) return -1;
  if (fstat(fileno(m_fp), &st) != 0) {
    Close();
    return -1;
  }
  m_open = true;
  m_path = path;
  m_mode = mode;
  m_device = st.st_dev;
  m_inode = st.st_ino;
  m_pooled = IsReadMode(mode);
  if (m_pooled) CStreamPool::Get().Touch(this);
  return 0;
}

void CFileStream::Close() {
  CStreamPool::Get().Forget(this);
  if (m_fp != nullptr) std::fclose(m_fp);
  m_fp = nullptr;
  m_open = false;
  m_pooled = false;
  m_path.clear();
  m_parkedAt = 0;
}

void CFileStream::Park() {
  CStreamPool::Get().Forget(this);
  if (m_fp == nullptr) return;
  off_t at = ftello(m_fp);
  m_parkedAt = at < 0 ? 0 : static_cast<int64_t>(at);
  std::fclose(m_fp);
  m_fp = nullptr;
}

bool CFileStream::Reopen() {
  struct stat st;
  FILE* fp = OpenForReading(m_path, &st);
  if (fp == nullptr) return false;
  bool same = st.st_dev == m_device && st.st_ino == m_inode;
  if (!same || fseeko(fp, static_cast<off_t>(m_parkedAt), SEEK_SET) != 0) {
    std::fclose(fp);
    return false;
  }
  m_fp = fp;
  return true;
}

FILE* CFileStream::Handle() {
  if (!m_open) return nullptr;
  if (m_fp == nullptr && !Reopen()) return nullptr;
  if (m_pooled) CStreamPool::Get().Touch(this);
  return m_fp;
}

size_t CFileStream::Read(void* buffer, size_t itemSize, size_t count) {
  if (itemSize == 0 || count == 0) return 0;
  FILE* fp = Handle();
  if (fp == nullptr) return 0;
  return std::fread(buffer, itemSize, count, fp);
}

size_t CFileStream::ReadAt(int64_t offset, void* buffer, size_t size) {
  if (offset < 0) return 0;
  FILE* fp = Handle();  // reopens a parked stream
  if (fp == nullptr) return 0;
  const int fd = fileno(fp);
  size_t done = 0;
  while (done < size) {
    ssize_t n = pread(fd, static_cast<char*>(buffer) + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

int CFileStream::Seek(int64_t offset, Origin origin) {
  if (origin == kBegin && offset < 0) return -1;
  FILE* fp = Handle();
  if (fp == nullptr) return -1;
  return fseeko(fp, static_cast<off_t>(offset), origin) == 0 ? 0 : -1;
}

int64_t CFileStream::Tell() {
  if (!m_open) return -1;
  if (m_fp == nullptr) return m_parkedAt;
  return static_cast<int64_t>(ftello(m_fp));
}

int64_t CFileStream::Size() {
  int64_t here = Tell();
  if (here < 0 || Seek(0, kEnd) != 0) return -1;
  int64_t size = Tell();
  if (Seek(here, kBegin) != 0) return -1;
  return size;
}

int CFileStream::ReadLine(std::string& line) {
  line.clear();
  FILE* fp = Handle();
  if (fp == nullptr) return -1;
  int c = std::fgetc(fp);
  if (c == EOF) return -1;
  while (c != EOF && c != '\n' && c != '\r') {
    line.push_back(static_cast<char>(c));
    c = std::fgetc(fp);
  }
  return 0;
}

int CFileStream::WriteString(const char* text) {
  return Write(text, std::strlen(text));
}

int CFileStream::Write(const void* data, size_t size) {
  FILE* fp = Handle();
  if (fp == nullptr) return -1;
  if (size == 0) return 0;
  return std::fwrite(data, 1, size, fp) == size ? 0 : -1;
}

int CFileStream::Flush() {
  FILE* fp = Handle();
  if (fp == nullptr) return -1;
  return std::fflush(fp) == 0 ? 0 : -1;
}
