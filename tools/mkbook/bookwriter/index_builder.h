// B-tree index areas: leaf pages of sorted entries and as many levels of
// inner pages above them as it takes to end with one root page.
//
// Pages of one level are consecutive, the root first, then each lower
// level, the leaves last, because a reader that finds no child on an inner
// page steps to the next page of the same level, and a leaf scan runs on
// into the following pages. Every inner entry carries the largest key of
// its child, so a descent that compares "key <= entry key" lands on the
// first leaf that can hold the key.
//
// Leaf records come in three types: plain entries, group heads and group
// members (group leaves, page flag 0x10). What a record holds depends on
// the index's class (1 to 4); see EncodedSize for the byte layouts.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_INDEX_BUILDER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_INDEX_BUILDER_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

struct LeafRecord {
  enum Type : uint8_t { kPlain, kHead, kMember };
  Type type = kPlain;
  std::string key;       // JIS key bytes as stored
  std::string sortKey;   // the key the record sorts and separates by
  BookPos text;
  BookPos heading;
  uint32_t group = 0;    // records of one group share a number
  // A reader descends with a more folded key than some scans compare
  // with; when set, inner pages cover this key too, so the descent never
  // lands past the record.
  std::string descentKey = {};
};

struct IndexShape {
  int indexClass = 1;    // 1 to 4
  int keyLength = 0;     // 0: own length bytes; > 0: fixed
  bool groups = false;   // group leaf pages
  int pageFill = 0;      // most entries per page, 0 = as many as fit
  bool repeatHeads = true;  // see IndexOptions::repeatGroupHeads
};

using IndexPage = std::array<uint8_t, 2048>;

// Orders records as the leaf scan expects them: by sort key bytes
// (unsigned), a group's head before its members, stable otherwise.
void SortRecords(std::vector<LeafRecord>* records);

// Lays the sorted records out in pages whose first page will be
// `startPage`. Keys are cut to what the shape can store.
std::vector<IndexPage> BuildIndexPages(const std::vector<LeafRecord>& records,
                                       const IndexShape& shape,
                                       int32_t startPage);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_INDEX_BUILDER_H_
