// Every damaged file in tests/data/storage opens (or is refused) cleanly,
// reads page after page without touching memory it does not own, and never
// makes the reader allocate more than the file could justify. The files are
// made by make_damaged.py in that folder, each named after its defect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "allocation_probe.h"
#include "common/temp_dir.h"
#include "storage/book_file.h"

namespace {

constexpr int kRefused = -1;

// What each file opens as; kRefused when Open must fail.
const std::map<std::string, int> kExpected = {
    {"ebzip-claims-4gb.ebz", CBookFile::kEbzip},
    {"ebzip-garbage-slice.ebz", CBookFile::kEbzip},
    {"ebzip-index-past-end.ebz", CBookFile::kEbzip},
    {"ebzip-index-reversed.ebz", CBookFile::kEbzip},
    {"ebzip-level-6.ebz", kRefused},
    {"ebzip-truncated-slice.ebz", CBookFile::kEbzip},
    {"ebzip-zero-size.ebz", CBookFile::kEbzip},
    {"honmon2-all-zero-frequencies", CBookFile::kEpwingAllCoded},
    {"honmon2-freq-table-beyond-file", CBookFile::kPlain},
    {"honmon2-fibonacci-frequencies", CBookFile::kEpwingAllCoded},
    {"honmon2-freq-table-too-small", CBookFile::kPlain},
    {"honmon2-index-offsets-past-end", CBookFile::kEpwingAllCoded},
    {"honmon2-raw-flag-at-end", CBookFile::kEpwingFlagged},
    {"honmon2-table-covers-file", CBookFile::kEpwingFlagged},
    {"honmon2-truncated-pages", CBookFile::kEpwingAllCoded},
    {"start-sebxa-area-count-65535", CBookFile::kSebxa},
    {"start-sebxa-huge-text-area", CBookFile::kSebxa},
    {"start-sebxa-index-page-zero", CBookFile::kSebxa},
    {"start-sebxa-index-reversed", CBookFile::kSebxa},
    {"start-sebxa-offsets-past-end", CBookFile::kSebxa},
    {"start-sebxa-text-page-zero", CBookFile::kSebxa},
    {"start-sebxa-truncated", CBookFile::kSebxa},
    {"tiny-31-bytes", kRefused},
};

// Pages the damage leaves intact, which must still read; the files' pages
// begin "page %4d: ".
const std::map<std::string, std::vector<int32_t>> kIntact = {
    {"ebzip-truncated-slice.ebz", {1, 2}},
    {"honmon2-raw-flag-at-end", {1, 3}},
    {"honmon2-truncated-pages", {1}},
    {"start-sebxa-area-count-65535", {2, 4, 6}},
    {"start-sebxa-index-reversed", {2}},
    {"start-sebxa-truncated", {2, 4}},
};

// The name the file must carry to be read as what it damages.
std::string BookName(const std::string& file) {
  if (file.rfind("start-", 0) == 0) return "START";
  if (file.rfind("ebzip-", 0) == 0) return "HONMON.ebz";
  return "HONMON2";
}

}  // namespace

TEST(DamagedFilesTest, EveryFileFailsCleanlyWithinItsMemory) {
  const std::filesystem::path folder = std::filesystem::path(TOMELING_TEST_DATA_DIR) / "storage";
  std::map<std::string, bool> seen;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".py") continue;
    SCOPED_TRACE(name);
    auto expected = kExpected.find(name);
    ASSERT_NE(expected, kExpected.end()) << "no expectation for this file";
    seen[name] = true;

    CTempDir dir;
    std::vector<uint8_t> bytes = ReadWholeFile(entry.path().string());
    std::string path = dir.Write(BookName(name), bytes);
    CAllocationProbe probe;
    CBookFile file;
    int opened = file.Open(path, 0);
    if (expected->second == kRefused) {
      EXPECT_EQ(opened, -1);
      EXPECT_FALSE(file.IsOpen());
      continue;
    }
    ASSERT_EQ(opened, 0);
    EXPECT_EQ(file.StorageKind(), expected->second);

    std::vector<int32_t> pages;
    for (int32_t p = 1; p <= 40; ++p) pages.push_back(p);
    int64_t dataPages = file.DataSize() / kPageSize;
    for (int64_t p : {dataPages, dataPages + 1, int64_t{1} << 20, int64_t{INT32_MAX}})
      if (p >= 1 && p <= INT32_MAX) pages.push_back(static_cast<int32_t>(p));
    std::vector<uint8_t> page(kPageSize);
    for (int32_t p : pages) {
      std::fill(page.begin(), page.end(), 0xA5);
      int result = file.SetPage(p) == 0 ? file.ReadPage(page.data()) : -2;
      ASSERT_NE(result, -2) << "SetPage(" << p << ")";
      ASSERT_TRUE(result == 0 || result == 1) << "page " << p;
      if (result == 0 && file.StorageKind() != CBookFile::kPlain) {
        EXPECT_EQ(page, std::vector<uint8_t>(kPageSize, 0)) << "page " << p;
      }
    }
    auto intact = kIntact.find(name);
    for (int32_t p : intact == kIntact.end() ? std::vector<int32_t>{} : intact->second) {
      char want[16];
      std::snprintf(want, sizeof want, "page %4d: ", static_cast<int>(p));
      ASSERT_EQ(file.SetPage(p), 0);
      EXPECT_EQ(file.ReadPage(page.data()), 1) << "page " << p;
      EXPECT_EQ(std::string(page.begin(), page.begin() + 11), want);
    }
    // Two 64 KiB slices at most, or a node table in proportion to the file.
    EXPECT_LE(probe.Largest(), 65536 + 16 * bytes.size());
  }
  EXPECT_EQ(seen.size(), kExpected.size());
}
