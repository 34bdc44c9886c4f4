// Test support for images, sounds and movies: the bookwriter's media sample
// book (bookwriter/media_sample.h) written to a scratch folder and opened
// through the book list, its entries decoded into markup, so that objects
// are fetched the way the program fetches them: from the tags of a decoded
// entry, through the readers of the subbook entry.
#ifndef TOMELING_TESTS_DECODE_MEDIA_BOOK_FIXTURE_H_
#define TOMELING_TESTS_DECODE_MEDIA_BOOK_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bookwriter/media_sample.h"
#include "catalog/book_list.h"
#include "common/temp_dir.h"
#include "reader/subbook_media.h"
#include "shell/plain_text.h"

struct MediaTestBook {
  CTempDir dir;
  MediaSampleBook sample;
  CBookList list;
  SubbookEntry* entry = nullptr;
  std::unique_ptr<CSubbookMedia> media;

  const MediaBook& Book() const { return media->Book(); }

  // Entry `i`'s text as byte-form markup.
  std::string Markup(size_t i) {
    BookPos at = sample.written.subbooks[0].text[i];
    return EntryMarkup(*entry->textReader, nullptr, at.page, at.offset, 0);
  }

  // The markup of entry `i` from its `n`th (0-based) tag starting `prefix`.
  std::string From(size_t i, const std::string& prefix, int n = 0) {
    std::string text = Markup(i);
    size_t at = text.find(prefix);
    while (at != std::string::npos && n-- > 0) at = text.find(prefix, at + 1);
    return at == std::string::npos ? std::string() : text.substr(at);
  }
};

// Writes and opens the sample book of `kind`; fails the test when it cannot.
inline std::unique_ptr<MediaTestBook> OpenMediaTestBook(BookKind kind) {
  auto book = std::make_unique<MediaTestBook>();
  std::string error;
  EXPECT_TRUE(WriteMediaSampleBook(book->dir.File("book"), kind, &book->sample, &error)) << error;
  EXPECT_EQ(book->list.AddBook(book->sample.written.catalogPath), 1);
  book->entry = book->list.GetEntry(0);
  if (book->entry == nullptr || !book->entry->opened) {
    ADD_FAILURE() << "sample book does not open";
    return nullptr;
  }
  book->media = std::make_unique<CSubbookMedia>(*book->entry);
  return book;
}

#endif  // TOMELING_TESTS_DECODE_MEDIA_BOOK_FIXTURE_H_
