// The inflater that decompresses EBZip slices.
//
// A slice whose stored length the slice index gives is read whole and
// inflated in one call by libdeflate, two to three times faster than zlib.
// When that fails (the length is wrong, the stream is damaged or would
// overflow the slice) the slice is inflated again as a stream with zlib,
// fed from the file in 1024-byte chunks (read at their offsets, never
// through the stream's buffer), which reads past the given length
// and keeps what a stream cut short or overlong yields; zlib's messages
// then tell what was wrong.
//
// There is one zlib inflater state, one libdeflate decompressor and one
// input buffer for the whole program, so page reads of all book files are
// non-reentrant. The zlib state is initialised for each slice and ended
// after it.
//
// Inflater errors are reported on stderr ("inflate: %s", "inflateEnd: %s")
// and fail the slice; an inflater that cannot even be set up is fatal
// ("inflateInit: %s").
#ifndef TOMELING_STORAGE_ZIP_INFLATER_H_
#define TOMELING_STORAGE_ZIP_INFLATER_H_

#include <cstdint>

#include "storage/file_stream.h"
#include "storage/file_window.h"

// Inflates the zlib stream at byte `start` of `file`, `stored` bytes long by
// the slice index, into `out` until the stream ends or `size` bytes are
// produced; the rest of `out` is zero. The stored bytes come through
// `window` when one is given (a window over `file`). Returns false when
// neither inflater gets a valid stream (including input ending before
// either end).
bool InflateSlice(CFileStream& file, CFileWindow* window, uint64_t start, uint32_t stored, uint8_t* out,
                  uint32_t size);

#endif  // TOMELING_STORAGE_ZIP_INFLATER_H_
