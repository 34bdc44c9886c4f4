// The zlib inflater that decompresses EBZip slices.
//
// There is one inflater state for the whole program: it is initialised for
// each slice and ended after it, so nothing stays allocated between reads.
// This makes page reads of all book files non-reentrant.
//
// Inflater errors are reported on stderr ("inflate: %s", "inflateEnd: %s")
// and fail the slice; an inflater that cannot even be set up is fatal
// ("inflateInit: %s").
#ifndef TOMELING_STORAGE_ZIP_INFLATER_H_
#define TOMELING_STORAGE_ZIP_INFLATER_H_

#include <cstdint>

#include "storage/file_stream.h"

// Inflates the zlib stream at the current position of `file` into `out`
// until the stream ends or `size` bytes are produced. Input is read in
// 1024-byte chunks straight from the file. Returns false on any inflater
// error (including input ending before either).
bool InflateSlice(CFileStream& file, uint8_t* out, uint32_t size);

#endif  // TOMELING_STORAGE_ZIP_INFLATER_H_
