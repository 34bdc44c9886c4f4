// Shared helpers of the end-to-end book tests: write a book with the
// bookwriter, open it through the book list as the program does, search it
// with typed (UTF-8) words and read headings back as text.
#ifndef TOMELING_TESTS_BOOKS_BOOK_FIXTURE_H_
#define TOMELING_TESTS_BOOKS_BOOK_FIXTURE_H_

#include <iconv.h>

#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "bookwriter/key_style.h"
#include "catalog/book_list.h"
#include "catalog/subbook_entry.h"
#include "common/temp_dir.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

struct OpenedBook {
  CTempDir dir;
  WrittenBook written;
  CBookList list;
  std::string error;
  int added = 0;

  CEBReader* Reader(int i) {
    SubbookEntry* e = list.GetEntry(i);
    return e ? e->textReader.get() : nullptr;
  }
};

// An entry by its parts (the model grows fields tests need not name).
inline BookEntry Entry(const std::string& heading, std::vector<std::string> body = {},
                       std::vector<SearchWord> words = {}) {
  BookEntry e;
  e.heading = heading;
  e.body = std::move(body);
  e.words = std::move(words);
  return e;
}

// Writes `book` and adds it to a fresh book list; `error` says why when
// writing failed (then nothing is added).
inline std::unique_ptr<OpenedBook> WriteAndOpen(const BookSource& book,
                                                const WriteOptions& options = {}) {
  auto b = std::make_unique<OpenedBook>();
  std::string dir = b->dir.File("book");
  if (!WriteBook(book, dir, options, &b->written, &b->error)) return b;
  b->added = b->list.AddBook(b->written.catalogPath);
  return b;
}

// Typed text as the program passes it to the reader: code page 932 bytes.
inline std::string Sjis(const std::string& utf8) {
  SjisChars chars;
  Utf8ToSjisChars(utf8, &chars);
  std::string out;
  for (uint16_t c : chars) {
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

inline std::string Utf8FromSjis(const std::string& sjis) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string out(sjis.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(sjis.data());
  size_t inLeft = sjis.size(), outLeft = out.size();
  char* o = out.data();
  iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

enum class Method { kForward, kBackward, kExact };

inline std::vector<HitEntry> Find(CEBReader& r, Method m, const std::string& utf8) {
  std::string key = Sjis(utf8);
  switch (m) {
    case Method::kForward: r.WordSearch(key, false); break;
    case Method::kBackward: r.EndwordSearch(key); break;
    case Method::kExact: r.WordSearch(key, true); break;
  }
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits);
  return hits;
}

inline bool HasHit(const std::vector<HitEntry>& hits, BookPos text, BookPos heading) {
  for (const HitEntry& h : hits) {
    if (h.textPage == text.page && static_cast<uint16_t>(h.textOffset) == text.offset &&
        h.headingPage == heading.page && static_cast<uint16_t>(h.headingOffset) == heading.offset) {
      return true;
    }
  }
  return false;
}

inline bool HasText(const std::vector<HitEntry>& hits, BookPos text) {
  for (const HitEntry& h : hits) {
    if (h.textPage == text.page && static_cast<uint16_t>(h.textOffset) == text.offset) return true;
  }
  return false;
}

// The heading at `pos` as plain UTF-8, markup tags removed.
inline std::string HeadingAt(CEBReader& r, BookPos pos) {
  CReaderTextSource source(r);
  CTextDecoder decoder(source);
  r.SeekPage(pos.page);
  if (pos.offset > 0) r.SeekOffset(pos.offset);
  char buf[2048];
  int len = 0;
  decoder.ReadHeadingText(buf, sizeof buf, &len);
  std::string plain;
  bool inTag = false;
  for (int i = 0; i < len; ++i) {
    if (buf[i] == '<') inTag = true;
    if (!inTag) plain.push_back(buf[i]);
    if (buf[i] == '>') inTag = false;
  }
  return Utf8FromSjis(plain);
}

// The entry at `pos` in full markup, stopping at the next entry, with the
// tags removed.
inline std::string EntryTextAt(CEBReader& r, BookPos pos) {
  CReaderTextSource source(r);
  CTextDecoder decoder(source);
  r.SeekPage(pos.page);
  if (pos.offset > 0) r.SeekOffset(pos.offset);
  std::vector<char> buf(8000);
  int len = 0;
  decoder.ReadEntryText(buf.data(), static_cast<int>(buf.size()), &len, true, 0);
  std::string plain;
  bool inTag = false;
  for (int i = 0; i < len; ++i) {
    if (buf[static_cast<size_t>(i)] == '<') inTag = true;
    if (!inTag) plain.push_back(buf[static_cast<size_t>(i)]);
    if (buf[static_cast<size_t>(i)] == '>') inTag = false;
  }
  return Utf8FromSjis(plain);
}

// ASCII text in the full-width form books store it in.
inline std::string FullWidth(const std::string& ascii) {
  std::string sjis;
  for (char c : ascii) {
    uint16_t w = WidenChar(static_cast<uint8_t>(c));
    sjis.push_back(static_cast<char>(w >> 8));
    sjis.push_back(static_cast<char>(w & 0xFF));
  }
  return Utf8FromSjis(sjis);
}

#endif  // TOMELING_TESTS_BOOKS_BOOK_FIXTURE_H_
