// See regular_file.h.
#include "storage/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

class CFd {
 public:
  explicit CFd(int fd) : m_fd(fd) {}
  ~CFd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  CFd(const CFd&) = delete;
  CFd& operator=(const CFd&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

FileRead ReadRegularFile(const std::string& path, size_t limit) {
  FileRead result;
  CFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return result;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    result.status = FileReadStatus::kNotRegular;
    return result;
  }
  // The size is a hint only: the file may grow or shrink while it is read.
  size_t hint = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
  result.bytes.reserve(std::min(hint, limit));
  char buffer[65536];
  while (result.bytes.size() < limit) {
    size_t want = std::min(sizeof buffer, limit - result.bytes.size());
    ssize_t n = ::read(fd.get(), buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.bytes.clear();
      result.status = FileReadStatus::kFailed;
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<size_t>(n));
  }
  if (result.bytes.size() == limit) {
    char probe;
    ssize_t n;
    while ((n = ::read(fd.get(), &probe, 1)) < 0 && errno == EINTR) {
    }
    result.truncated = n > 0;
  }
  result.status = FileReadStatus::kRead;
  return result;
}

std::string_view WholeLines(const FileRead& read) {
  std::string_view text = read.bytes;
  if (!read.truncated) return text;
  size_t end = text.find_last_of("\r\n");
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}
