// Books for the shell tests, written with the bookwriter: small EPWING
// books whose subbooks hold a few animals, filed by reading (0x90),
// written form (0x91), English (0x92), reading from the end (0x70) and by
// category (keyword groups, 0x80, and cross groups, 0x81).
#ifndef TOMELING_TESTS_SHELL_SHELL_BOOKS_H_
#define TOMELING_TESTS_SHELL_SHELL_BOOKS_H_

#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

struct Word {
  const char* written;
  const char* reading;
  const char* english;
};

inline const std::vector<Word>& AnimalWords() {
  static const std::vector<Word> words = {
      {"猫", "ねこ", "cat"}, {"犬", "いぬ", "dog"}, {"鼠", "ねずみ", "mouse"}, {"狐", "きつね", "fox"}};
  return words;
}

// A subbook with `words`; `kanaIndex` false leaves out 0x90 and 0x70 and
// files the readings in the written-form index instead.
inline SubbookSource AnimalSubbook(const std::string& dir, const std::vector<Word>& words, bool kanaIndex = true) {
  SubbookSource s;
  s.directory = dir;
  s.title = "動物";
  if (kanaIndex) s.indexes = {IndexOptions{0x90}, IndexOptions{0x70}};
  s.indexes.push_back(IndexOptions{0x91});
  s.indexes.push_back(IndexOptions{0x92});
  IndexOptions keyword{0x80};
  keyword.groups = true;
  s.indexes.push_back(keyword);
  keyword.id = 0x81;
  s.indexes.push_back(keyword);
  KeywordGroup group;
  group.keyword = "動物";
  for (const Word& w : words) {
    BookEntry e;
    e.heading = std::string(w.written) + "【" + w.reading + "】";
    e.body = {std::string("英語：") + w.english};
    e.words = {{kanaIndex ? uint8_t{0x90} : uint8_t{0x91}, w.reading}, {0x91, w.written}, {0x92, w.english}};
    if (kanaIndex) e.words.push_back({0x70, w.reading});
    group.members.push_back(static_cast<int>(s.entries.size()));
    s.entries.push_back(std::move(e));
  }
  KeywordGroup cross = group;
  cross.indexId = 0x81;
  cross.keyword = "animal";
  s.groups = {group, cross};
  return s;
}

// Writes a book of the given subbooks into `dir`; returns its catalog path
// ("" on failure).
inline std::string WriteShellBook(const std::string& dir, std::vector<SubbookSource> subbooks) {
  BookSource book;
  book.subbooks = std::move(subbooks);
  WrittenBook written;
  std::string error;
  if (!WriteBook(book, dir, WriteOptions{}, &written, &error)) return "";
  return written.catalogPath;
}

#endif  // TOMELING_TESTS_SHELL_SHELL_BOOKS_H_
