// CFileStream: the thin file layer every book and text file goes through.
//
// A byte stream over a stdio FILE with the few operations the program needs:
// open for reading ("rb") or writing ("wb", "ab"), read whole items, seek,
// size, close, and for the program's own text files (history, key table,
// book lists) a line reader and a string writer. Offsets are 64-bit so that
// a page number times the page size never overflows.
//
// Open streams are a scarce resource: a shelf of a thousand dictionaries
// holds some three thousand book files, far past the usual limit of 1024
// open files. So a stream opened for reading keeps its file open only while
// it is among the StreamLimit() streams used last; an older one is closed
// quietly, its position kept, and opened again by its next read, which
// first checks that the path still names the same file (the same device
// and inode: a book replaced meanwhile reads as an error, not as another
// book's bytes). Streams opened for writing stay open. Like the rest of the
// storage layer this bookkeeping is not thread-safe.
//
// ReadLine stops at a line feed OR a carriage return and does not store it,
// so a CRLF file yields an empty line after each line; callers skip empty
// lines. It fails only when not even the first byte can be read (end of
// file), so a last line without a terminator is still returned.
//
// Errors are return values: 0 on success, -1 on failure.
#ifndef TOMELING_STORAGE_FILE_STREAM_H_
#define TOMELING_STORAGE_FILE_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class CFileStream {
 public:
  enum Origin { kBegin = SEEK_SET, kCurrent = SEEK_CUR, kEnd = SEEK_END };

  CFileStream() = default;
  ~CFileStream() { Close(); }
  CFileStream(const CFileStream&) = delete;
  CFileStream& operator=(const CFileStream&) = delete;

  // Opens `path` with an fopen mode ("rb" to read, "wb"/"ab" to write).
  // Closes any file already open first. Returns 0 or -1. For reading only
  // a regular file opens: a FIFO or a device in a book's place fails at
  // once instead of blocking or reading without end.
  int Open(const std::string& path, const char* mode = "rb");
  void Close();
  // Open in the caller's sense: the file may be closed underneath for the
  // moment (see above).
  bool IsOpen() const { return m_open; }

  // Reads up to `count` items of `itemSize` bytes; returns the number of
  // whole items read (0 at end of file, on error, or when not open).
  size_t Read(void* buffer, size_t itemSize, size_t count);

  // Reads up to `size` bytes from byte `offset` on, straight from the file:
  // neither the position nor the stream's buffer is used, so bytes that
  // changed since the buffer was filled are read as they are now. Returns
  // the bytes read (fewer at the end of the file, 0 on error).
  size_t ReadAt(int64_t offset, void* buffer, size_t size);

  // Returns 0 or -1. A negative resulting position fails.
  int Seek(int64_t offset, Origin origin = kBegin);
  // Current position, or -1.
  int64_t Tell();
  // Size of the file in bytes (found by seeking to the end; the position is
  // kept), or -1.
  int64_t Size();

  // Reads the bytes up to the next LF or CR into `line` (terminator not
  // stored). Returns 0, or -1 when no byte at all could be read.
  int ReadLine(std::string& line);

  // Writes the bytes of `text` up to its NUL. Returns 0 or -1.
  int WriteString(const char* text);
  // Writes `size` raw bytes. Returns 0 or -1.
  int Write(const void* data, size_t size);
  // Flushes stdio buffers to the operating system. Returns 0 or -1.
  int Flush();

 private:
  friend class CStreamPool;

  // The open FILE, opened again when it was closed for room; nullptr when
  // the stream is closed or cannot be opened again.
  FILE* Handle();
  bool Reopen();
  void Park();  // closes the FILE for room, keeping path and position

  FILE* m_fp = nullptr;
  bool m_open = false;
  bool m_pooled = false;   // a read stream, whose FILE may be parked
  std::string m_path;
  std::string m_mode;
  int64_t m_parkedAt = 0;  // position while parked
  unsigned long long m_device = 0, m_inode = 0;
  CFileStream* m_newer = nullptr;  // the pool's list, most recent first
  CFileStream* m_older = nullptr;
};

// The most read streams holding an open file at once: a quarter of the
// process's open-file limit, at least 8 and at most 256.
size_t StreamLimit();
// Changes the limit (0 restores the default); for tests.
void SetStreamLimit(size_t limit);
// Read streams holding an open file now.
size_t OpenStreamCount();

#endif  // TOMELING_STORAGE_FILE_STREAM_H_
