// The benchmarks' book: a dictionary of two entries, a typical one (about
// 1,500 characters of mixed kana, kanji, Latin, links, styles and gaiji)
// and the largest a view takes (56 pages of book text, which the decoder
// cuts at 65,535 bytes of markup), with an application directory whose
// profile.ini record gives it a gaiji map, so that it is read as a view
// reads it.
//
//   std::unique_ptr<CDictSession> session = OpenBigEntryBook(dir, &written);
//   const BookPos& largest = written.subbooks[0].text[kLargestEntry];
#ifndef TOMELING_BENCH_BIG_ENTRY_BOOK_H_
#define TOMELING_BENCH_BIG_ENTRY_BOOK_H_

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bookwriter/book_writer.h"
#include "shell/dict_session.h"

inline constexpr int kLargestPages = 56;
inline constexpr int kTypicalEntry = 0;
inline constexpr int kLargestEntry = 1;

// One paragraph of book source (UTF-8 with the writer's inline markup).
inline std::string SourceParagraph(int k) {
  std::string p = "{b}見出し語{/b}【けんさく】{link 検索}→参照{/link}辞書の本文には漢字とかなが混ざり、";
  p += "{narrow}English glosses such as \"search, look up\" and {/narrow}{i}italic{/i}";
  p += "{narrow} words appear.{/narrow}{gaiji B021}{gaiji B022}の記号と{sub}下付き{/sub}文字。";
  p += std::to_string(k % 10);
  return p;
}

inline BookEntry MakeEntry(const std::string& heading, size_t sourceBytes) {
  BookEntry e;
  e.heading = heading;
  size_t bytes = 0;
  for (int k = 0; bytes < sourceBytes; ++k) {
    e.body.push_back(SourceParagraph(k));
    bytes += e.body.back().size();
  }
  return e;
}

inline BookSource MakeBigEntryBook() {
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "BENCH";
  IndexOptions index;
  index.id = 0x91;
  index.fromHeadings = true;
  sub.indexes = {index};
  sub.entries.push_back(MakeEntry("検索", 2500));
  // Kana and kanji shrink from 3 bytes to 2, Latin letters grow from 1 to
  // 2, tags change length: the source is sized so that the text comes out
  // a few pages longer than 56 (the summary line shows the file's pages).
  sub.entries.push_back(MakeEntry("最大", static_cast<size_t>(kLargestPages) * 2048 * 6 / 5));
  return book;
}

// Writes the book and its application directory below `dir` (emptied
// first) and opens it in a session; nullptr, with the reason printed,
// when that fails.
inline std::unique_ptr<CDictSession> OpenBigEntryBook(const std::filesystem::path& dir, WrittenBook* written) {
  namespace fs = std::filesystem;
  fs::remove_all(dir);
  std::string error;
  if (!WriteBook(MakeBigEntryBook(), (dir / "book").string(), WriteOptions(), written, &error)) {
    std::fprintf(stderr, "cannot write the book: %s\n", error.c_str());
    return nullptr;
  }
  // The application directory: a record naming a map for one of the gaiji.
  fs::create_directories(dir / "app" / "GAIJI");
  std::ofstream(dir / "app" / "GAIJI" / "BENCH.MAP") << "zB021\tu25CE\n";
  std::ofstream(dir / "app" / "profile.ini") << "[bench]\nDICT=BENCH\nGAIJIMAP=BENCH.MAP\n";
  SessionOptions options;
  options.home = (dir / "app").string();
  options.profilePath = (dir / "store.ini").string();
  auto session = std::make_unique<CDictSession>(options);
  if (session->Books().AddBook(written->catalogPath) != 1) {
    std::fprintf(stderr, "cannot open the book\n");
    return nullptr;
  }
  session->BooksChanged();
  return session;
}

#endif  // TOMELING_BENCH_BIG_ENTRY_BOOK_H_
