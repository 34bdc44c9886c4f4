// A book for the hit list's tests, written with the bookwriter: four
// EPWING subbooks, each found with the reading index (0x90).
//
//   0 ALPHA "動物辞典"  猫【ねこ】 犬【いぬ】 鼠【ねずみ】 狐【きつね】
//   1 BETA  "獣の本"    the same animals
//   2 BLANK "空見出し"  two entries whose headings show nothing (から,
//                       からっぽ: empty, and ideographic spaces only) and
//                       one whose heading starts with spaces (すきま)
//   3 GAIJI "外字"      a 16 x 16 full-width font with glyph A121; the
//                       heading of がいじ is the gaiji A121 followed by 猫
//
// A session over it (home and Globals store in the same scratch folder)
// searches like the program: SearchDict runs a forward search in one
// dictionary and leaves the hits in its reader for the hit list.
#ifndef TOMELING_TESTS_COMMON_HIT_LIST_BOOKS_H_
#define TOMELING_TESTS_COMMON_HIT_LIST_BOOKS_H_

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "reader/eb_reader.h"
#include "shell/dict_session.h"

enum : int { kDictAlpha = 0, kDictBeta = 1, kDictBlank = 2, kDictGaiji = 3 };

// The gaiji's dots: a ring, rows top down, two bytes a row.
inline std::vector<uint8_t> RingGlyph() {
  return {0x00, 0x00, 0x0F, 0xF0, 0x1C, 0x38, 0x30, 0x0C, 0x60, 0x06, 0x60, 0x06, 0x40, 0x02, 0x41, 0x82,
          0x41, 0x82, 0x40, 0x02, 0x60, 0x06, 0x60, 0x06, 0x30, 0x0C, 0x1C, 0x38, 0x0F, 0xF0, 0x00, 0x00};
}

// The ring at 32 dots, each of its dots the top-left dot of a 2 x 2
// square: on a double-density screen it differs, pixel for pixel, from the
// 16-dot ring drawn twice as large.
inline std::vector<uint8_t> FineRingGlyph() {
  const std::vector<uint8_t> ring = RingGlyph();
  std::vector<uint8_t> fine(32 * 4, 0);
  for (int y = 0; y < 32; y += 2)
    for (int x = 0; x < 32; x += 2)
      if (ring[static_cast<size_t>(y / 2 * 2 + x / 16)] & (0x80 >> (x / 2 % 8)))
        fine[static_cast<size_t>(y * 4 + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
  return fine;
}

// A subbook found through its reading index (0x90).
inline SubbookSource ReadingSubbook(const std::string& dir, const std::string& title) {
  SubbookSource s;
  s.directory = dir;
  s.title = title;
  s.indexes = {IndexOptions{0x90}};
  return s;
}

inline void AddReadingEntry(SubbookSource& s, const std::string& heading, const std::string& body,
                            const std::string& reading) {
  BookEntry e;
  e.heading = heading;
  e.body = {body};
  e.words = {{0x90, reading}};
  s.entries.push_back(std::move(e));
}

inline SubbookSource HitListAnimals(const std::string& dir, const std::string& title) {
  SubbookSource s = ReadingSubbook(dir, title);
  const char* animals[][2] = {{"猫", "ねこ"}, {"犬", "いぬ"}, {"鼠", "ねずみ"}, {"狐", "きつね"}};
  for (const auto& a : animals)
    AddReadingEntry(s, std::string(a[0]) + "【" + a[1] + "】", std::string("読み：") + a[1], a[1]);
  return s;
}

inline SubbookSource HitListBlanks() {
  SubbookSource s = ReadingSubbook("BLANK", "空見出し");
  AddReadingEntry(s, "", "本文：から", "から");
  AddReadingEntry(s, "　　", "本文：からっぽ", "からっぽ");
  AddReadingEntry(s, "　 　ねこ科", "本文：すきま", "すきま");
  return s;
}

// With `fine`, the book also has a 32-dot font (FineRingGlyph).
inline SubbookSource HitListGaiji(bool fine = false) {
  SubbookSource s = ReadingSubbook("GAIJI", "外字");
  FontSource font;
  font.glyphs = {RingGlyph()};
  s.wideFonts = {font};
  if (fine) {
    FontSource font32;
    font32.width = font32.height = 32;
    font32.glyphs = {FineRingGlyph()};
    s.wideFonts.push_back(font32);
  }
  AddReadingEntry(s, "Ｘ猫", "外字の見出し", "がいじ");  // Ｘ becomes the gaiji, see WriteHitListBook
  return s;
}

struct HitListBook {
  CTempDir dir;
  std::string catalog;
  WrittenBook written;
};

// Writes the book; the first character of the GAIJI heading becomes the
// code A121 (the writer stores headings as plain text only).
inline std::unique_ptr<HitListBook> WriteHitListBook(bool fineGaiji = false) {
  auto book = std::make_unique<HitListBook>();
  BookSource source;
  source.subbooks = {HitListAnimals("ALPHA", "動物辞典"), HitListAnimals("BETA", "獣の本"), HitListBlanks(),
                     HitListGaiji(fineGaiji)};
  std::string error;
  if (!WriteBook(source, book->dir.File("book"), WriteOptions{}, &book->written, &error)) {
    ADD_FAILURE() << error;
    return book;
  }
  book->catalog = book->written.catalogPath;
  const WrittenSubbook& g = book->written.subbooks[kDictGaiji];
  std::fstream text(g.textPath, std::ios::in | std::ios::out | std::ios::binary);
  text.seekp(static_cast<std::streamoff>(g.heading[0].page - 1) * 2048 + g.heading[0].offset);
  text.write("\xA1\x21", 2);
  EXPECT_TRUE(text.good());
  return book;
}

// A session over the book; `profile` becomes its "profile.ini" and `map`
// (when given) the GAIJI dictionary's external-character map.
inline std::unique_ptr<CDictSession> OpenHitListSession(HitListBook& book, const std::string& map = "") {
  if (!map.empty()) book.dir.Write("app/GAIJI/GAIJI.MAP", map);
  book.dir.Write("app/profile.ini", "");
  SessionOptions options;
  options.home = book.dir.File("app");
  options.profilePath = book.dir.File("store.ini");
  auto session = std::make_unique<CDictSession>(options);
  EXPECT_EQ(session->Books().AddBook(book.catalog), 4);
  session->BooksChanged();
  return session;
}

// A forward search for `word` in dictionary `dict`; the hits stay in its
// reader. Returns their number.
inline int SearchDict(CDictSession& session, int dict, const std::u16string& word) {
  DictDisplay d = session.Display(dict);
  if (d.reader == nullptr) return -1;
  return d.reader->WordSearch(Utf16ToCp932(word));
}

#endif  // TOMELING_TESTS_COMMON_HIT_LIST_BOOKS_H_
