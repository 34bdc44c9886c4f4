// See atomic_file.h.
#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The new name is durable only once the folder entry itself is on disk; a
// failure here is not worth failing the save for, the data is already safe.
void SyncFolder(const std::string& path) {
  int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

mode_t ModeFor(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The name a write to `path` lands on: symbolic links followed, each to the
// name it holds, also when that name does not exist yet. False on a loop.
bool FollowLinks(std::string path, std::string* out) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *out = path;
      return true;
    }
    std::vector<char> target(4096);
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return false;
    std::string next(target.data(), static_cast<size_t>(n));
    path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
  }
  return false;
}

// One write of a whole file, in pieces: into a temporary renamed over the
// target on Commit, or straight into a stream that has nothing to replace.
// Destroying it uncommitted removes the temporary.
class CAtomicWriter {
 public:
  explicit CAtomicWriter(RenameFunction renameFn) : m_rename(renameFn ? renameFn : &std::rename) {}
  ~CAtomicWriter() { Abandon(); }
  CAtomicWriter(const CAtomicWriter&) = delete;
  CAtomicWriter& operator=(const CAtomicWriter&) = delete;

  bool Open(const std::string& path);
  bool OpenStandardOutput();
  bool Write(std::string_view bytes) { return m_fd >= 0 && WriteAll(m_fd, bytes); }
  bool Commit();

 private:
  bool OpenStream(const std::string& path);
  bool OpenTemporary(const std::string& target);
  void Abandon();

  RenameFunction m_rename;
  int m_fd = -1;
  bool m_ownFd = true;
  std::string m_temporary, m_target;  // empty for a stream
};

bool CAtomicWriter::Open(const std::string& path) {
  if (path.empty()) return false;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return OpenStream(path);
    if (!S_ISREG(st.st_mode)) return false;
  } else if (errno != ENOENT) {
    return false;
  }
  std::string target;
  return FollowLinks(path, &target) && OpenTemporary(target);
}

// Opened without waiting: a FIFO nobody reads fails at once (ENXIO). The
// writes themselves block as usual.
bool CAtomicWriter::OpenStream(const std::string& path) {
  m_fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (m_fd < 0) return false;
  int flags = ::fcntl(m_fd, F_GETFL);
  return flags >= 0 && ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool CAtomicWriter::OpenStandardOutput() {
  std::fflush(stdout);
  m_fd = STDOUT_FILENO;
  m_ownFd = false;
  return true;
}

bool CAtomicWriter::OpenTemporary(const std::string& target) {
  std::vector<char> name(target.begin(), target.end());
  for (char c : std::string_view(".tmp-XXXXXX")) name.push_back(c);
  name.push_back('\0');
  m_fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (m_fd < 0) return false;
  m_temporary = name.data();
  m_target = target;
  return ::fchmod(m_fd, ModeFor(target)) == 0;
}

bool CAtomicWriter::Commit() {
  if (m_fd < 0) return false;
  if (m_temporary.empty()) {
    bool ok = !m_ownFd || ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
  }
  bool ok = ::fsync(m_fd) == 0;
  ok = ::close(m_fd) == 0 && ok;
  m_fd = -1;
  if (!ok || m_rename(m_temporary.c_str(), m_target.c_str()) != 0) return false;
  m_temporary.clear();
  SyncFolder(m_target);
  return true;
}

void CAtomicWriter::Abandon() {
  if (m_fd >= 0 && m_ownFd) ::close(m_fd);
  m_fd = -1;
  if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
  m_temporary.clear();
}

// A regular file opened for reading; a FIFO or a device is refused before
// anything is read from it.
int OpenRegularSource(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Streams the open file `fd` into `out` and commits; closes `fd`.
bool CopyInto(int fd, CAtomicWriter& out) {
  std::vector<char> buffer(1 << 20);
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (!out.Write(std::string_view(buffer.data(), static_cast<size_t>(n)))) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  return ok && out.Commit();
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, RenameFunction renameFn) {
  CAtomicWriter out(renameFn);
  return out.Open(path) && out.Write(bytes) && out.Commit();
}

bool CopyFileAtomically(const std::string& from, const std::string& to, RenameFunction renameFn) {
  // The source first: a target FIFO must not be opened for a copy that
  // cannot happen.
  int fd = OpenRegularSource(from);
  if (fd < 0) return false;
  CAtomicWriter out(renameFn);
  if (out.Open(to)) return CopyInto(fd, out);
  ::close(fd);
  return false;
}

bool WriteOutputFile(const std::string& path, std::string_view bytes) {
  if (path != kStandardOutputName) return WriteFileAtomically(path, bytes);
  CAtomicWriter out(nullptr);
  return out.OpenStandardOutput() && out.Write(bytes) && out.Commit();
}

bool CopyToOutputFile(const std::string& from, const std::string& path) {
  if (path != kStandardOutputName) return CopyFileAtomically(from, path);
  int fd = OpenRegularSource(from);
  if (fd < 0) return false;
  CAtomicWriter out(nullptr);
  out.OpenStandardOutput();
  return CopyInto(fd, out);
}
