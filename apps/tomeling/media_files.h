// The objects of a decoded entry as files, for `tomeling extract` (the
// object of one tag) and `tomeling show/search --media DIR` (every object
// of the shown entries): an image as PNG, a sound as a RIFF/WAVE file, a
// movie as a copy of its file, streamed. Every file is written whole through
// storage/atomic_file.h, so a failed run never leaves half a file; a path
// of "-" is standard output.
//
// --media names each file after its tag, positions in upper-case hex:
//   fig-PPPPPPPP-OOOO.png   FIG image, position of its data
//   inl-PPPPPPPP-OOOO.png   INL image, the same
//   wav-PPPPPPPP-OOOO.wav   WAV sound, start of its data (the first frame
//                           and 0000 for a sound given as audio frames)
//   mov-NAME.mpg            MOV movie, its file name in the MOVIE folder
// An object that appears twice in the text is written once.
#ifndef TOMELING_APPS_TOMELING_MEDIA_FILES_H_
#define TOMELING_APPS_TOMELING_MEDIA_FILES_H_

#include <cstdio>
#include <string>
#include <string_view>

#include "decode/media_book.h"

enum class MediaResult { kWritten, kNotLoaded, kNotWritten };

// The image of `tag` as a PNG file; `width` and `height` get its size.
MediaResult WriteImageFile(const MediaBook& book, const ImageTag& tag, const std::string& path, int* width,
                           int* height);

// The sound of the first "</WAV" tag of `text`, or of `text`'s leading
// AREA tag when that is a sound area, as a .wav file.
MediaResult WriteSoundFile(const MediaBook& book, std::string_view text, const std::string& path);

// A copy of the movie of the first "</MOV" tag of `text`.
MediaResult WriteMovieFile(const MediaBook& book, std::string_view text, const std::string& path);

// Writes every FIG, INL, WAV and MOV object of `markup` (either form of the
// markup, as UTF-8) into `dir`, creating it when missing, and prints the
// path of each file written to `list`, one a line. An object that cannot be
// loaded is skipped with a warning on stderr. False when `dir` or a file
// could not be written.
bool WriteEntryMedia(const MediaBook& book, std::string_view markup, const std::string& dir, FILE* list);

#endif  // TOMELING_APPS_TOMELING_MEDIA_FILES_H_
