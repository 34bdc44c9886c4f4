// Text decoding speed: 10,000 entries of a large EPWING book (entries with
// a heading, several lines of text and now and then an image, a sound or a
// reference) decoded into display markup as the content view does, then
// converted to the wide form. Prints entries per second and megabytes of
// markup per second, measured in processor time (the machine is shared).
//
//   bench_text_decoder [ENTRIES] [DECODES]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "bookwriter/media_writer.h"
#include "decode/markup_convert.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

// Hiragana and ASCII words: every character has a JIS X 0208 form.
std::string Line(std::mt19937& rng, int characters) {
  std::string s;
  for (int i = 0; i < characters; ++i) {
    if (rng() % 8 == 0) {
      s += static_cast<char>('a' + rng() % 26);
      continue;
    }
    unsigned cp = 0x3042 + rng() % 80;  // あ to ん
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

BookSource MakeBook(int entries) {
  std::mt19937 rng(10000);
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "BENCH";
  IndexOptions index;
  index.id = 0x91;
  index.fromHeadings = true;
  sub.indexes = {index};
  sub.entries.reserve(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    BookEntry& e = sub.entries.emplace_back();
    e.heading = Line(rng, 6) + std::to_string(i);
    for (int k = 0; k < 6; ++k) e.body.push_back(Line(rng, 30 + static_cast<int>(rng() % 60)));
    CObjectCodes codes;
    if (i % 10 == 0) codes.ColourFigure(BookPos{5, 16}, 320, 200, "fig");
    if (i % 25 == 0) codes.PcmSound(BookPos{6, 0}, BookPos{7, 0}, 1, 1234, "sound");
    if (i % 7 == 0) codes.MonoFigure(BookPos{8, 32}, 64, 48);
    e.codes = codes.Bytes();
  }
  return book;
}

double Seconds(std::clock_t from) { return static_cast<double>(std::clock() - from) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  int entries = argc > 1 ? std::atoi(argv[1]) : 30000;
  int decodes = argc > 2 ? std::atoi(argv[2]) : 10000;
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "tomeling-bench-text-decoder";
  fs::remove_all(dir);

  WrittenBook written;
  std::string error;
  if (!WriteBook(MakeBook(entries), dir.string(), WriteOptions(), &written, &error)) {
    std::fprintf(stderr, "cannot write the book: %s\n", error.c_str());
    return 1;
  }
  CEBReader reader;
  if (!reader.Open(written.subbooks[0].textPath, 1, 2)) {
    std::fprintf(stderr, "cannot open %s\n", written.subbooks[0].textPath.c_str());
    return 1;
  }
  CReaderTextSource source(reader);
  CTextDecoder decoder(source);
  const std::vector<BookPos>& text = written.subbooks[0].text;

  // Entries spread over the whole book, in a fixed random order.
  std::mt19937 rng(7);
  std::vector<BookPos> order;
  for (int i = 0; i < decodes; ++i) order.push_back(text[rng() % text.size()]);

  std::vector<char> markup(65535);
  std::vector<char16_t> wide(65535);
  size_t markupBytes = 0, wideUnits = 0;
  double decodeSeconds = 0, convertSeconds = 0;
  MarkupBook book;
  for (const BookPos& pos : order) {
    std::clock_t start = std::clock();
    reader.SeekPage(pos.page);
    if (pos.offset > 0) reader.SeekOffset(pos.offset);
    int length = decoder.ReadEntryText(markup.data(), static_cast<int>(markup.size()), nullptr, true, 0);
    decodeSeconds += Seconds(start);
    markupBytes += static_cast<size_t>(length);
    start = std::clock();
    wideUnits += ConvertMarkup(book, markup.data(), static_cast<size_t>(length), wide.data(), wide.size(), nullptr);
    convertSeconds += Seconds(start);
  }
  fs::remove_all(dir);

  std::printf("book: %d entries, %zu text pages read\n", entries, static_cast<size_t>(reader.PageReads()));
  std::printf("decode:  %d entries in %.3f s: %.0f entries/s, %.1f MB/s of markup (%.0f bytes an entry)\n",
              decodes, decodeSeconds, decodes / std::max(decodeSeconds, 1e-9),
              markupBytes / 1e6 / std::max(decodeSeconds, 1e-9), static_cast<double>(markupBytes) / decodes);
  std::printf("convert: %d entries in %.3f s: %.0f entries/s, %.1f MB/s of markup\n", decodes, convertSeconds,
              decodes / std::max(convertSeconds, 1e-9), markupBytes / 1e6 / std::max(convertSeconds, 1e-9));
  std::printf("both:    %.0f entries/s (%zu wide units)\n", decodes / std::max(decodeSeconds + convertSeconds, 1e-9),
              wideUnits);
  return 0;
}
