// Helpers of the search-method tests: books with search and menu areas,
// opened through the book list, and hits as sets of text positions.
#ifndef TOMELING_TESTS_READER_SEARCH_METHODS_FIXTURE_H_
#define TOMELING_TESTS_READER_SEARCH_METHODS_FIXTURE_H_

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "books/book_fixture.h"
#include "bookwriter/search_areas_writer.h"

inline std::unique_ptr<OpenedBook> WriteAreasAndOpen(const BookSource& book,
                                                     const std::vector<SearchAreasSource>& areas) {
  auto b = std::make_unique<OpenedBook>();
  if (!WriteBookWithSearchAreas(book, areas, b->dir.File("book"), {}, &b->written, &b->error)) return b;
  b->added = b->list.AddBook(b->written.catalogPath);
  return b;
}

using TextSet = std::set<std::pair<int32_t, int>>;

inline TextSet TextsOf(const std::vector<HitEntry>& hits) {
  TextSet out;
  for (const HitEntry& h : hits) out.insert({h.textPage, static_cast<uint16_t>(h.textOffset)});
  return out;
}

inline TextSet TextsOfEntries(const WrittenSubbook& w, std::initializer_list<int> entries) {
  TextSet out;
  for (int e : entries) out.insert({w.text[static_cast<size_t>(e)].page, w.text[static_cast<size_t>(e)].offset});
  return out;
}

#endif  // TOMELING_TESTS_READER_SEARCH_METHODS_FIXTURE_H_
