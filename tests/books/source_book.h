// Books written from source text by mkbook's parser and writer, opened
// through the book list as the program opens them, so that tests read back
// through the engine what a source says: the markup of an entry or of the
// menu and copyright areas, and the media a tag points at.
#ifndef TOMELING_TESTS_BOOKS_SOURCE_BOOK_H_
#define TOMELING_TESTS_BOOKS_SOURCE_BOOK_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_source.h"
#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "common/temp_dir.h"
#include "reader/subbook_media.h"
#include "reader/menu_info.h"
#include "reader/reader_test_util.h"
#include "shell/plain_text.h"

struct SourceBook {
  CTempDir dir;  // the source's folder: media files go here
  WrittenBook written;
  CBookList list;
  SubbookEntry* entry = nullptr;
  std::unique_ptr<CSubbookMedia> media;

  // Parses and writes `source`; false with the writer's message.
  bool Write(const std::string& source, std::string* error) {
    BookSource book;
    WriteOptions options;
    if (!ParseBookSource(source, &book, &options, error, dir.Path().string())) return false;
    if (!WriteBook(book, dir.File("book"), options, &written, error)) return false;
    if (list.AddBook(written.catalogPath) < 1 || (entry = list.GetEntry(0)) == nullptr || !entry->opened) {
      *error = "the written book does not open";
      return false;
    }
    media = std::make_unique<CSubbookMedia>(*entry);
    return true;
  }

  // The markup (byte form) from `at` to the end of its text.
  std::string MarkupAt(BookPos at) { return EntryMarkup(*entry->textReader, nullptr, at.page, at.offset, 0); }

  // Entry `i`'s body as UTF-8 markup, after its heading line.
  std::string Body(size_t i) {
    std::string markup = MarkupAt(written.subbooks[0].text[i]);
    size_t head = markup.find("</HEAD>\r\n");
    return Utf8(head == std::string::npos ? markup : markup.substr(head + 9));
  }

  // The menu (copyright) area's text as UTF-8 markup; "" without one.
  std::string Area(bool copyright) {
    const CEBReader& reader = *entry->textReader;
    const IndexEntry* area = copyright ? CopyrightArea(reader) : MenuArea(reader);
    return area == nullptr ? "" : Utf8(MarkupAt({area->startPage, 0}));
  }

  BookPos Text(size_t i) const { return written.subbooks[0].text[i]; }
  const WrittenSubbook::Media* Media(const std::string& name) const {
    for (const auto& m : written.subbooks[0].media)
      if (m.name == name) return &m;
    return nullptr;
  }
};

// "[PPPPPPPP:OOOO]" of a position, as tags carry it.
inline std::string PosText(BookPos at) {
  char s[20];
  std::snprintf(s, sizeof s, "[%08X:%04X]", static_cast<unsigned>(at.page), at.offset);
  return s;
}

#endif  // TOMELING_TESTS_BOOKS_SOURCE_BOOK_H_
