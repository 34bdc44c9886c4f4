// Helpers for the round-trip tests: a file written by the bookwriter
// compressors must read back through CBookFile exactly as the data given to
// the writer, the last page padded with zeros.
#ifndef TOMELING_TESTS_STORAGE_ROUNDTRIP_UTIL_H_
#define TOMELING_TESTS_STORAGE_ROUNDTRIP_UTIL_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "storage/book_file.h"

inline size_t PageCount(size_t bytes) { return (bytes + kPageSize - 1) / kPageSize; }

// Page `page` (1-based) of `data` as a reader must return it.
inline std::vector<uint8_t> ExpectedPage(std::span<const uint8_t> data, size_t page) {
  std::vector<uint8_t> out(kPageSize, 0);
  size_t begin = (page - 1) * kPageSize;
  if (begin < data.size()) std::copy_n(data.begin() + begin, std::min<size_t>(kPageSize, data.size() - begin), out.begin());
  return out;
}

// Reads the pages named in `order` (each after a SetPage) and checks them
// against `data`; stops at the first wrong page so one fault gives one
// message.
inline ::testing::AssertionResult PagesMatch(CBookFile& file, std::span<const uint8_t> data,
                                             const std::vector<size_t>& order) {
  std::vector<uint8_t> buffer(kPageSize);
  for (size_t page : order) {
    std::fill(buffer.begin(), buffer.end(), uint8_t{0xA5});
    if (file.SetPage(static_cast<int32_t>(page)) != 0)
      return ::testing::AssertionFailure() << "SetPage(" << page << ") failed";
    if (file.ReadPage(buffer.data()) != 1) return ::testing::AssertionFailure() << "ReadPage of page " << page << " failed";
    std::vector<uint8_t> want = ExpectedPage(data, page);
    if (buffer != want) {
      size_t at = std::mismatch(buffer.begin(), buffer.end(), want.begin()).first - buffer.begin();
      return ::testing::AssertionFailure() << "page " << page << " differs at byte " << at << ": got "
                                           << int(buffer[at]) << ", want " << int(want[at]);
    }
  }
  return ::testing::AssertionSuccess();
}

// Reads every page in sequence with consecutive ReadPage calls (no SetPage
// between them), the way text is paged through.
inline ::testing::AssertionResult SequentialPagesMatch(CBookFile& file, std::span<const uint8_t> data,
                                                       size_t firstPage = 1) {
  std::vector<uint8_t> buffer(kPageSize);
  if (file.SetPage(static_cast<int32_t>(firstPage)) != 0) return ::testing::AssertionFailure() << "SetPage failed";
  for (size_t page = firstPage; page <= PageCount(data.size()); ++page) {
    if (file.ReadPage(buffer.data()) != 1) return ::testing::AssertionFailure() << "ReadPage of page " << page << " failed";
    if (buffer != ExpectedPage(data, page)) return ::testing::AssertionFailure() << "page " << page << " differs";
  }
  return ::testing::AssertionSuccess();
}

// Every page once in a shuffled order, then every page backwards: jumps
// across slices and evicts cached slices in all patterns.
inline std::vector<size_t> ScrambledOrder(size_t pages, uint32_t seed) {
  std::vector<size_t> order(pages);
  std::iota(order.begin(), order.end(), size_t{1});
  std::mt19937 rng(seed);
  for (size_t i = pages; i > 1; --i) std::swap(order[i - 1], order[rng() % i]);
  for (size_t page = pages; page >= 1; --page) order.push_back(page);
  return order;
}

#endif  // TOMELING_TESTS_STORAGE_ROUNDTRIP_UTIL_H_
