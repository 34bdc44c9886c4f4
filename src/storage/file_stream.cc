#include "storage/file_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

int CFileStream::Open(const std::string& path, const char* mode) {
  Close();
  m_fp = std::fopen(path.c_str(), mode);
  return m_fp != nullptr ? 0 : -1;
}

void CFileStream::Close() {
  if (m_fp != nullptr) std::fclose(m_fp);
  m_fp = nullptr;
}

size_t CFileStream::Read(void* buffer, size_t itemSize, size_t count) {
  if (m_fp == nullptr || itemSize == 0 || count == 0) return 0;
  return std::fread(buffer, itemSize, count, m_fp);
}

size_t CFileStream::ReadAt(int64_t offset, void* buffer, size_t size) {
  if (m_fp == nullptr || offset < 0) return 0;
  const int fd = fileno(m_fp);
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
  if (m_fp == nullptr) return -1;
  if (origin == kBegin && offset < 0) return -1;
  return fseeko(m_fp, static_cast<off_t>(offset), origin) == 0 ? 0 : -1;
}

int64_t CFileStream::Tell() const {
  if (m_fp == nullptr) return -1;
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
  if (m_fp == nullptr) return -1;
  int c = std::fgetc(m_fp);
  if (c == EOF) return -1;
  while (c != EOF && c != '\n' && c != '\r') {
    line.push_back(static_cast<char>(c));
    c = std::fgetc(m_fp);
  }
  return 0;
}

int CFileStream::WriteString(const char* text) {
  return Write(text, std::strlen(text));
}

int CFileStream::Write(const void* data, size_t size) {
  if (m_fp == nullptr) return -1;
  if (size == 0) return 0;
  return std::fwrite(data, 1, size, m_fp) == size ? 0 : -1;
}

int CFileStream::Flush() {
  if (m_fp == nullptr) return -1;
  return std::fflush(m_fp) == 0 ? 0 : -1;
}
