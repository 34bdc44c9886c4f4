// A book with complex-search definitions for the shell and dialog tests.
//
// Four people, filed by name reading (0xA0) and town (0xA1):
//   0 山田太郎 やまだ 東京      2 山田次郎 やまだ 大阪
//   1 山本花子 やまもと 東京    3 佐藤一郎 さとう 京都
// Two definitions (control areas), titled by the method-name slots:
//   0 "町と名前": field "町" (candidates, searched in 0xA1), field "名前" (0xA0)
//   1 "名前だけ": field "名前" (0xA0)
// The candidate list of "町" is a text of three items: "関東" (leading to a
// list of "東京"), "大阪" (a value: position 0) and "近畿" (leading to a
// list of "大阪" and "京都"). The three texts lie in area 0x01, written
// here as raw escape codes, since a value item's position 0 names no entry.
#ifndef TOMELING_TESTS_COMMON_COMPLEX_BOOK_H_
#define TOMELING_TESTS_COMMON_COMPLEX_BOOK_H_

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bookwriter/book_writer.h"
#include "bookwriter/search_areas_writer.h"
#include "bookwriter/text_encoder.h"
#include "catalog/book_list.h"
#include "common/temp_dir.h"

struct ComplexBook {
  CTempDir dir;
  WrittenBook written;
  std::string error;
  CBookList list;
  int added = 0;
  int32_t candidatePage = 0;  // start of the candidate texts
};

namespace complex_book {

constexpr uint8_t kMenuBegin = 0x43, kMenuEnd = 0x63;

struct Item {
  const char* text;
  BookPos target;  // {0, 0}: a value
};

inline std::vector<uint8_t> CandidateText(const std::vector<Item>& items) {
  CTextEncoder t;
  t.Escape(kEscBeginText);
  for (const Item& item : items) {
    t.Escape(kMenuBegin);
    t.Text(item.text);
    t.Escape(kMenuEnd);
    t.Pos(item.target);
  }
  t.Escape(kEscEndText);
  return std::move(t.Bytes());
}

// The three candidate texts, the top one first, for an area at `startPage`.
inline std::vector<uint8_t> CandidateArea(int32_t startPage) {
  std::vector<uint8_t> kanto = CandidateText({{"東京", {}}});
  std::vector<uint8_t> kinki = CandidateText({{"大阪", {}}, {"京都", {}}});
  // Positions take the same bytes whatever their value.
  size_t topSize = CandidateText({{"関東", {}}, {"大阪", {}}, {"近畿", {}}}).size();
  BookPos kantoAt = CTextEncoder::PosOf(startPage, topSize);
  BookPos kinkiAt = CTextEncoder::PosOf(startPage, topSize + kanto.size());
  std::vector<uint8_t> area = CandidateText({{"関東", kantoAt}, {"大阪", {}}, {"近畿", kinkiAt}});
  area.insert(area.end(), kanto.begin(), kanto.end());
  area.insert(area.end(), kinki.begin(), kinki.end());
  return area;
}

inline BookSource PeopleSource(int32_t candidatePage) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "PEOPLE";
  s.title = "人物";
  s.indexes = {IndexOptions{0xA0, {0, 0xCF, 0xFF, 0xC0}}, IndexOptions{0xA1, {0, 0xCF, 0xFF, 0xC0}},
               IndexOptions{0x91, {0, 0, 0, 0}, true}};
  const char* people[][3] = {
      {"山田太郎", "やまだ", "東京"}, {"山本花子", "やまもと", "東京"}, {"山田次郎", "やまだ", "大阪"}, {"佐藤一郎", "さとう", "京都"}};
  for (const auto& p : people) {
    BookEntry e;
    e.heading = p[0];
    e.body = {std::string("住所：") + p[2]};
    e.words = {{0xA0, p[1]}, {0xA1, p[2]}};
    s.entries.push_back(std::move(e));
  }
  s.dataAreas.emplace_back(0x01, CandidateArea(candidatePage));
  return book;
}

inline SearchAreasSource PeopleAreas() {
  SearchAreasSource areas;
  areas.multiAreas = {{MultiSearchSource{"町", {0x01, 0xA1}}, MultiSearchSource{"名前", {0xA0}}},
                      {MultiSearchSource{"名前", {0xA0}}}};
  areas.methodNames[0] = "町と名前";
  areas.methodNames[1] = "名前だけ";
  return areas;
}

}  // namespace complex_book

// Writes the book and adds it to the book's list (dictionary 0).
inline std::unique_ptr<ComplexBook> WriteComplexBook() {
  using namespace complex_book;
  auto b = std::make_unique<ComplexBook>();
  std::string dir = b->dir.File("people");
  // The candidate texts point into their own area, whose place is known
  // once the book has been written; the area keeps its size, so a second
  // write puts everything where the first did.
  WrittenBook first;
  if (!WriteBookWithSearchAreas(PeopleSource(1), {PeopleAreas()}, dir, {}, &first, &b->error)) return b;
  for (const auto& [id, page] : first.subbooks[0].indexStart)
    if (id == 0x01) b->candidatePage = page;
  if (!WriteBookWithSearchAreas(PeopleSource(b->candidatePage), {PeopleAreas()}, dir, {}, &b->written, &b->error))
    return b;
  b->added = b->list.AddBook(b->written.catalogPath);
  return b;
}

#endif  // TOMELING_TESTS_COMMON_COMPLEX_BOOK_H_
