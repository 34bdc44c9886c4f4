// CFileWindow: a block of a file kept in memory for reading forward.
//
// Coded pages of a book lie one after another, and a page's code has no
// stored length: the decoder pulls bytes until it is done. Reading them
// through a window of a few pages' worth of the file turns a seek and a
// read per page into one read per window, and lets the next page, which
// usually starts where the last one ended, come from memory.
//
//   CFileWindow window(file, 32768);
//   if (window.Start(offset)) window.Read(...) or decoder.Decode(window, ...);
//
// The window reads at its own offsets (CFileStream::ReadAt), so other
// readers of the same CFileStream may move its position freely. It knows
// nothing of the file's size: the caller checks positions against it.
#ifndef TOMELING_STORAGE_FILE_WINDOW_H_
#define TOMELING_STORAGE_FILE_WINDOW_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/file_stream.h"
#include "storage/huffman_decoder.h"

class CFileWindow : public CCodeSource {
 public:
  CFileWindow(CFileStream& file, size_t blockSize) : m_file(file), m_blockSize(blockSize) {}

  // Reading goes on from byte `offset` of the file. False when nothing can
  // be read there.
  bool Start(uint64_t offset);
  // Copies up to `size` bytes onward; returns how many there were.
  size_t Read(uint8_t* out, size_t size);
  // The next `size` bytes where they lie in the block, when they all do
  // (nullptr otherwise); they stay valid until the window next reads.
  const uint8_t* Peek(size_t size) const {
    return m_length - m_next >= size ? m_block.data() + m_next : nullptr;
  }
  // The bytes onward from the current position, a block at a time.
  bool NextBlock(const uint8_t** data, size_t* size) override;
  // Drops the block, keeping its memory: the next Start reads the file.
  void Invalidate() { m_length = m_next = 0; }
  // Drops the block and its memory (the file changed or closed).
  void Forget();

 private:
  bool Load(uint64_t offset);

  CFileStream& m_file;
  const size_t m_blockSize;
  std::vector<uint8_t> m_block;
  uint64_t m_offset = 0;  // file offset of m_block[0]
  size_t m_length = 0;    // bytes of m_block holding file data
  size_t m_next = 0;      // read position in m_block
};

#endif  // TOMELING_STORAGE_FILE_WINDOW_H_
