// Subbook statements of the book source that declare media objects
// (SubbookSource::media), each read from a file named relative to the
// source file's folder:
//
//   image NAME mono FILE                 netpbm picture as a monochrome
//                                        bitmap (darker than half grey = ink)
//   image NAME jpeg [data|data-be] FILE  as a JPEG, bare or behind a "data"
//                                        header (length little-/big-endian)
//   image NAME bmp [data|data-be] FILE   as a 24-bit BMP behind a "data"
//                                        header (a BMP is never bare)
//   sound NAME pcm FILE                  RIFF WAV stored as raw PCM (44,100,
//                                        22,050 or 11,025 Hz; EPWING)
//   sound NAME wave FILE                 RIFF WAV stored with its own format
//                                        and data chunks (EPWING)
//   sound NAME xa FILE                   RIFF WAV coded as XA ADPCM, one
//                                        channel, played at the book's XA
//                                        rate (18,900 Hz by default; EB)
//   movie NAME FILE                      FILE copied to MOVIE/NAME
//
// Pictures are netpbm P1-P6. A file that is missing, too large or not of
// its kind fails the statement with the reason.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SOURCE_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SOURCE_H_

#include <string>

#include "bookwriter/book_writer.h"

bool IsMediaStatement(const std::string& word);

// `rest`: the statement after its word; `baseDir`: where relative file
// names start ("" for the current folder).
bool ParseMediaStatement(const std::string& word, const std::string& rest, const std::string& baseDir,
                         MediaObject* object, std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SOURCE_H_
