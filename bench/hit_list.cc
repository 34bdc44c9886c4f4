// Cost of collecting and sorting a full hit list: 10,000 hits at random
// text positions, about one in ten repeating an earlier text position with
// another heading (as when an entry is reached through several index
// entries). Prints the median and the spread of the runs.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "reader/hit_list.h"

namespace {

struct Hit {
  int32_t textPage;
  int16_t textOffset;
  int32_t headingPage;
  int16_t headingOffset;
};

std::vector<Hit> MakeHits(int count) {
  std::mt19937 rng(12345);
  std::vector<Hit> hits;
  hits.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Hit h;
    if (i > 0 && rng() % 10 == 0) {
      h = hits[rng() % hits.size()];
      h.headingPage = static_cast<int32_t>(rng() % 5000) + 1;
    } else {
      h.textPage = static_cast<int32_t>(rng() % 200000) + 1;
      h.textOffset = static_cast<int16_t>(rng() % 2048);
      h.headingPage = static_cast<int32_t>(rng() % 5000) + 1;
      h.headingOffset = static_cast<int16_t>(rng() % 2048);
    }
    hits.push_back(h);
  }
  return hits;
}

double RunOnce(CHitList& list, const std::vector<Hit>& hits, int* results) {
  const auto begin = std::chrono::steady_clock::now();
  list.ClearHitList();
  for (const Hit& h : hits) list.AddHitList(h.textPage, h.textOffset, h.headingPage, h.headingOffset);
  *results = list.SortResult();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(end - begin).count();
}

}  // namespace

int main() {
  constexpr int kHits = 10000;
  constexpr int kRuns = 31;
  const std::vector<Hit> hits = MakeHits(kHits);
  CHitList list;
  int results = 0;
  RunOnce(list, hits, &results);  // warm the allocator and caches
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) times.push_back(RunOnce(list, hits, &results));
  std::sort(times.begin(), times.end());
  std::printf("AddHitList x %d + SortResult: %d results\n", kHits, results);
  std::printf("median %.1f us, min %.1f us, max %.1f us over %d runs\n", times[kRuns / 2], times.front(),
              times.back(), kRuns);
  return 0;
}
