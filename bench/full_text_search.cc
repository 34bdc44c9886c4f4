// Full-text search speed: 20 words searched through the whole text of one
// large book, with the text file plain, in EBZip levels 0 and 2 and in
// EPWING Huffman coding (the same text each time). For each it prints the
// processor time per search and the text scanned per second, beside, in
// the same run, `grep -c -F` over the plain text file (the same bytes, the
// words in the book's JIS form) or zlib inflating every slice of the EBZip
// file, with the ratio and its goal: plain within 1.5 x grep, EBZip within
// 0.7 x zlib's inflate time, Huffman within 2 x zlib's inflate time of the
// same text (EBZip level 2's).
//
//   bench_full_text_search [MEGABYTES [VARIANT]]   (default 24, all variants)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "bookwriter/ebzip_writer.h"
#include "catalog/book_list.h"
#include "decode/char_conv.h"
#include "decode/cp932.h"
#include "decode/utf8.h"
#include "reader/full_text_search.h"

namespace {

double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double ChildCpuSeconds() {
  rusage u;
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

void AppendUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else {
    s.push_back(static_cast<char>(0xE0 | (c >> 12)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

constexpr char32_t kKanji[] = {U'日', U'本', U'語', U'辞', U'典', U'山', U'川', U'水', U'火', U'木', U'金', U'土',
                               U'人', U'大', U'小', U'中', U'学', U'生', U'先', U'年', U'月', U'上', U'下', U'花',
                               U'雨', U'空', U'海', U'風', U'雪', U'石', U'村', U'町', U'車', U'電', U'話', U'書'};

// A line of mixed kana, kanji and Latin words, about `chars` characters.
std::string Line(std::mt19937& rng, int chars) {
  std::string s;
  for (int n = 0; n < chars;) {
    int kind = static_cast<int>(rng() % 4);
    int len = 1 + static_cast<int>(rng() % 5);
    for (int i = 0; i < len; ++i) {
      if (kind == 0) AppendUtf8(s, kKanji[rng() % std::size(kKanji)]);
      else if (kind == 3) s.push_back(static_cast<char>('a' + rng() % 26));
      else AppendUtf8(s, U'ぁ' + static_cast<char32_t>(rng() % 83));
    }
    n += len;
  }
  return s;
}

BookSource MakeBook(int megabytes, FileStorage storage) {
  std::mt19937 rng(2026);
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "BENCH";
  sub.title = "全文";
  sub.textStorage = storage;
  sub.useHonmon2 = storage.kind == FileStorage::kHuffman;
  sub.headingArea = false;
  IndexOptions index;
  index.id = 0x91;
  sub.indexes = {index};
  // About 2 KB of text per entry.
  int entries = megabytes * 512;
  sub.entries.reserve(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    BookEntry& e = sub.entries.emplace_back();
    e.heading = "見出" + std::to_string(i);
    e.words = {{0x91, "見出"}};
    for (int l = 0; l < 8; ++l) e.body.push_back(Line(rng, 120));
  }
  return book;
}

const char* kWords[20] = {"日本",  "がくせい", "abc",   "zq",     "山川水", "電話",   "ぬぬ",
                          "書き",  "ZYX",      "雪の海", "top",    "あいう", "きょう", "花火",
                          "quick", "水",       "ん",     "ghost",  "先生",   "ぽ"};

std::string Sjis(const std::string& utf8) {
  std::u16string wide(utf8.size(), u'\0');
  long n = Utf8ToUtf16(utf8.data(), utf8.size(), wide.data());
  wide.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return Utf16ToCp932(wide);
}

std::string TextPath(const WrittenBook& w) { return w.subbooks[0].textPath; }

struct Result {
  double seconds = 0;
  double megabytes = 0;
  long hits = 0;
};

Result SearchAll(const WrittenBook& written) {
  CBookList list;
  Result r;
  if (list.AddBook(written.catalogPath) != 1) {
    std::fprintf(stderr, "cannot open %s\n", written.catalogPath.c_str());
    return r;
  }
  CEBReader& reader = *list.GetEntry(0)->textReader;
  const IndexEntry* text = reader.FindIndex(0x00);
  double start = CpuSeconds();
  for (const char* w : kWords) r.hits += FullTextSearch(reader, Sjis(w), nullptr, nullptr);
  r.seconds = CpuSeconds() - start;
  r.megabytes = 20.0 * text->pageCount * 2048 / 1e6;
  return r;
}

double GrepAll(const std::string& file, const std::string& dir) {
  double total = 0;
  for (const char* w : kWords) {
    // The word as the book stores it: JIS codes, letters full-width.
    std::string key = FullTextKey(Sjis(w), false);
    std::string pattern = dir + "/pattern";
    std::ofstream(pattern, std::ios::binary) << key << '\n';
    double before = ChildCpuSeconds();
    pid_t pid = fork();
    if (pid == 0) {
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      execlp("env", "env", "LC_ALL=C", "grep", "-c", "-F", "-a", "-f", pattern.c_str(), file.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    total += ChildCpuSeconds() - before;
  }
  return total;
}

// Inflates every slice of an EBZip file the way a reader must, 20 times
// (once per word), with zlib or with libdeflate.
double InflateAll(const std::string& path, bool withLibdeflate) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> z((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (z.size() < 22) return 0;
  const int level = z[5] & 0x0F;
  const size_t slice = size_t{2048} << level;
  const uint64_t size = static_cast<uint64_t>(z[10]) << 24 | z[11] << 16 | z[12] << 8 | z[13];
  const int width = EbzipIndexWidth(size);
  const size_t slices = static_cast<size_t>((size + slice - 1) / slice);
  std::vector<uint8_t> out(slice);
  auto offset = [&](size_t i) {
    uint64_t v = 0;
    for (int b = 0; b < width; ++b) v = v << 8 | z[22 + i * static_cast<size_t>(width) + static_cast<size_t>(b)];
    return v;
  };
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  double start = CpuSeconds();
  for (int round = 0; round < 20; ++round) {
    for (size_t i = 0; i < slices; ++i) {
      uint64_t from = offset(i), to = offset(i + 1);
      if (to - from == slice) continue;  // stored raw
      if (withLibdeflate) {
        size_t produced = 0;
        libdeflate_zlib_decompress(d, z.data() + from, to - from, out.data(), slice, &produced);
        continue;
      }
      uLongf length = static_cast<uLongf>(slice);
      uncompress(out.data(), &length, z.data() + from, static_cast<uLong>(to - from));
    }
  }
  double seconds = CpuSeconds() - start;
  libdeflate_free_decompressor(d);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int megabytes = argc > 1 ? std::atoi(argv[1]) : 24;
  if (megabytes <= 0) megabytes = 24;
  std::string dir = (std::filesystem::temp_directory_path() / ("bench_full_text_" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(dir);
  struct Variant {
    const char* name;
    FileStorage storage;
  } variants[] = {{"plain", {FileStorage::kPlain, 0}},
                  {"ebzip0", {FileStorage::kEbzip, 0}},
                  {"ebzip2", {FileStorage::kEbzip, 2}},
                  {"huffman", {FileStorage::kHuffman, 4}}};
  std::printf("%d MB of text requested; 20 words per run; processor seconds\n", megabytes);
  const std::string only = argc > 2 ? argv[2] : "";
  double zlibLevel2 = 0;
  for (const Variant& v : variants) {
    if (!only.empty() && only != v.name) continue;
    WrittenBook written;
    std::string error;
    std::string bookDir = dir + "/" + v.name;
    if (!WriteBook(MakeBook(megabytes, v.storage), bookDir, {}, &written, &error)) {
      std::fprintf(stderr, "%s: %s\n", v.name, error.c_str());
      return 1;
    }
    Result r = SearchAll(written);
    std::printf("%-8s search %7.3f s  %8.1f MB/s  (%.1f MB scanned, %ld hits)", v.name, r.seconds,
                r.megabytes / r.seconds, r.megabytes, r.hits);
    if (v.storage.kind == FileStorage::kPlain) {
      double g = GrepAll(TextPath(written), dir);
      std::printf("  grep -c -F %7.3f s  ratio %.2f (goal <= 1.5)", g, r.seconds / g);
    } else if (v.storage.kind == FileStorage::kEbzip) {
      double z = InflateAll(TextPath(written), false);
      double d = InflateAll(TextPath(written), true);
      if (v.storage.level == 2) zlibLevel2 = z;
      std::printf("  zlib inflate %7.3f s  ratio %.2f (goal <= 0.7; libdeflate alone %.2f)", z, r.seconds / z, d / z);
    } else if (zlibLevel2 > 0) {
      std::printf("  ebzip2 zlib inflate %7.3f s  ratio %.2f (goal <= 2)", zlibLevel2, r.seconds / zlibLevel2);
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
