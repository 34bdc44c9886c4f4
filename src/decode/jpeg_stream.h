// ExtractJpegStream: a JPEG stored in a book without a length in front of
// it, copied out by walking its markers up to the end-of-image marker.
//
// Before the first start-of-scan marker every marker but the standalone
// ones (start of image, restart, TEM) carries a segment whose length says
// how far to skip; from the start of scan on, the entropy-coded data is
// copied byte by byte with its 0xFF 0x00 stuffing and restart markers, and
// any marker but end-of-image is two bytes of data. A 0xFF that follows a
// 0xFF is a fill byte, so a run of them still finds the marker after it.
//
// The stream is refused (empty result) when it reaches kMaxJpegStream bytes,
// when a segment length is below 2, or when the data ends before 0xFF 0xD9.
#ifndef TOMELING_DECODE_JPEG_STREAM_H_
#define TOMELING_DECODE_JPEG_STREAM_H_

#include <cstdint>
#include <vector>

#include "decode/media_source.h"

constexpr size_t kMaxJpegStream = 0x100000;

// The stream from the marker at (page, offset) to its end, or empty.
std::vector<uint8_t> ExtractJpegStream(CMediaSource& source, int32_t page, int offset);

#endif  // TOMELING_DECODE_JPEG_STREAM_H_
