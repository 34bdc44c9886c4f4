// tomeling extract --book DIR [--dict N] [--home DIR] [--sampling HZ] --tag TAG
// --out FILE:
// writes the object of one tag of a decoded entry -- the image of a FIG or
// INL closing tag as PNG, the sound of a WAV closing tag or a SOUND area as
// a .wav file, the movie of a MOV closing tag as a copy of its file.
// --sampling is the rate of EB XA sounds (default 18900). --out - writes the
// object to standard output.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "reader/subbook_media.h"
#include "media_files.h"

namespace {

int Fail(const char* what, const std::string& tag) {
  std::fprintf(stderr, "tomeling: %s: %s\n", what, tag.c_str());
  return 1;
}

// Exit status and message of one object written to `out`.
int Report(MediaResult result, const char* missing, const std::string& tag, const std::string& out) {
  if (result == MediaResult::kNotLoaded) return Fail(missing, tag);
  if (result == MediaResult::kNotWritten) return Fail("cannot write", out);
  return 0;
}

int ExtractImage(const MediaBook& book, const ImageTag& tag, const std::string& raw, const std::string& out) {
  int width = 0, height = 0;
  int status = Report(WriteImageFile(book, tag, out, &width, &height), "no image at", raw, out);
  // With --out - the image is standard output; its size goes beside it.
  if (status == 0) std::fprintf(out == kStandardOutputName ? stderr : stdout, "%dx%d\n", width, height);
  return status;
}

int RunExtract(const std::vector<std::string>& args) {
  BookOptions books;
  std::string tag, out;
  int sampling = kDefaultXaSampling;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (ParseBookOption(args, &i, &books, &bad)) {
      if (bad) return UsageError("extract");
    } else if (args[i] == "--tag" && hasValue) {
      tag = args[++i];
    } else if (args[i] == "--out" && hasValue) {
      out = args[++i];
    } else if (args[i] == "--sampling" && hasValue && ParseSampling(args[i + 1], &sampling)) {
      ++i;
    } else {
      return UsageError("extract");
    }
  }
  if (!books.OneBook() || tag.empty() || out.empty()) return UsageError("extract");
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  std::unique_ptr<CSubbookMedia> media = session.Media(display.dict);
  media->SetXaSampling(sampling);
  const MediaBook& book = media->Book();
  ImageTag image;
  if (FindImageTag(tag, &image)) return ExtractImage(book, image, tag, out);
  if (tag.find("</WAV") != std::string::npos || tag.rfind("<AREA", 0) == 0)
    return Report(WriteSoundFile(book, tag, out), "no sound for", tag, out);
  if (tag.find("</MOV") != std::string::npos)
    return Report(WriteMovieFile(book, tag, out), "no movie file for", tag, out);
  return Fail("not an object tag", tag);
}

CCommandRegistration g_extract("extract", "--book DIR [--dict N] [--home DIR] [--sampling HZ] --tag TAG --out FILE",
                               "write the image (PNG), sound (WAV) or movie of a FIG, INL, WAV, AREA or MOV tag",
                               RunExtract);

}  // namespace
