// Page reading speed of CBookFile in every storage kind. A 64 MB file of
// dictionary-like JIS text (an optional first argument sets the size in
// MB) is written plain, as EBZip at levels 0 to 5, EPWING Huffman kinds 3
// and 4 and as the text area of an S-EBXA START file; every page is then
// read in sequence. Prints MB/s of uncompressed data per kind; for each
// EBZip level beside it the speed of zlib alone and of libdeflate alone
// inflating the same slices from memory, and the reader's time as a share
// of zlib's. Goals: EBZip reads within 0.7 x zlib's time, EPWING Huffman
// at 200 MB/s or more. Times are processor time (system time included),
// not wall time.
#include <libdeflate.h>
#include <zlib.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bookwriter/big_endian.h"
#include "bookwriter/ebzip_writer.h"
#include "bookwriter/huffman_writer.h"
#include "bookwriter/sample_data.h"
#include "bookwriter/sebxa_writer.h"
#include "storage/book_file.h"

namespace {

// Processor time of this process: the machine running the benchmark is
// usually shared, and wall time would measure the other load as well.
struct Clock {
  using time_point = std::clock_t;
  static time_point now() { return std::clock(); }
};

double Seconds(Clock::time_point since) { return static_cast<double>(Clock::now() - since) / CLOCKS_PER_SEC; }

std::string WriteFile(const std::filesystem::path& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = (dir / name).string();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Reads `pages` pages from `firstPage` on; returns the seconds taken, or -1
// when a read fails.
double ReadAll(const std::string& path, int hint, int32_t firstPage, size_t pages) {
  CBookFile file;
  auto start = Clock::now();
  if (file.Open(path, hint) != 0 || file.SetPage(firstPage) != 0) return -1;
  uint8_t buffer[kPageSize];
  for (size_t p = 0; p < pages; ++p)
    if (file.ReadPage(buffer) != 1) return -1;
  return Seconds(start);
}

// zlib (or libdeflate) alone on the slices of an EBZip image, each
// inflated into a slice-sized buffer with its own inflater, as a page
// reader must.
double InflateSlices(const std::vector<uint8_t>& image, bool withLibdeflate) {
  const size_t slice = size_t{2048} << (image[5] & 0x0F);
  const uint32_t size = GetBE32(&image[10]);
  const int width = EbzipIndexWidth(size);
  const size_t count = (size + slice - 1) / slice;
  auto entry = [&](size_t k) {
    uint32_t v = 0;
    for (int i = 0; i < width; ++i) v = v << 8 | image[22 + k * width + i];
    return v;
  };
  std::vector<uint8_t> out(slice);
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  auto start = Clock::now();
  for (size_t k = 0; k < count; ++k) {
    uint32_t a = entry(k), b = entry(k + 1);
    if (b - a == slice) {
      std::copy_n(image.begin() + a, slice, out.begin());
      continue;
    }
    if (withLibdeflate) {
      size_t produced = 0;
      if (libdeflate_zlib_decompress(d, &image[a], b - a, out.data(), slice, &produced) != LIBDEFLATE_SUCCESS) {
        libdeflate_free_decompressor(d);
        return -1;
      }
      continue;
    }
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return -1;
    z.next_in = const_cast<Bytef*>(&image[a]);
    z.avail_in = b - a;
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(slice);
    int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END) {
      libdeflate_free_decompressor(d);
      return -1;
    }
  }
  double seconds = Seconds(start);
  libdeflate_free_decompressor(d);
  return seconds;
}

void Report(const char* kind, size_t dataBytes, size_t storedBytes, double seconds) {
  const double mb = static_cast<double>(dataBytes) / (1 << 20);
  if (seconds < 0) {
    std::printf("%-16s read FAILED\n", kind);
    return;
  }
  std::printf("%-16s %6.1f%% stored  %8.1f MB/s", kind, 100.0 * storedBytes / dataBytes, mb / seconds);
}

void ReportEbzip(const char* kind, size_t dataBytes, size_t storedBytes, double seconds, double zlibSeconds,
                 double libdeflateSeconds) {
  const double mb = static_cast<double>(dataBytes) / (1 << 20);
  Report(kind, dataBytes, storedBytes, seconds);
  if (seconds >= 0 && zlibSeconds > 0 && libdeflateSeconds > 0)
    std::printf("   zlib alone %7.1f MB/s   libdeflate alone %7.1f MB/s   time %.2f x zlib (goal <= 0.70)",
                mb / zlibSeconds, mb / libdeflateSeconds, seconds / zlibSeconds);
  std::printf("\n");
  std::fflush(stdout);
}

void ReportHuffman(const char* kind, size_t dataBytes, size_t storedBytes, double seconds) {
  Report(kind, dataBytes, storedBytes, seconds);
  if (seconds >= 0) std::printf("   (goal >= 200 MB/s)");
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  if (megabytes == 0 || megabytes > 1024) {
    std::fprintf(stderr, "usage: bench_storage_read [MB, 1 to 1024]\n");
    return 2;
  }
  std::string tmpl = (std::filesystem::temp_directory_path() / "tomeling-bench-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) return 1;
  const std::filesystem::path dir = tmpl;

  const std::vector<uint8_t> text = MakeJisText(megabytes << 20, 2024);
  const size_t pages = (text.size() + kPageSize - 1) / kPageSize;
  std::printf("%zu MB of text, %zu pages, every page read in sequence\n", megabytes, pages);

  Report("plain", text.size(), text.size(), ReadAll(WriteFile(dir, "HONMON", text), 0, 1, pages));
  std::printf("\n");
  for (int level = 0; level <= kEbzipMaxLevel; ++level) {
    EbzipOptions options;
    options.level = level;
    std::vector<uint8_t> image = *EbzipCompress(text, options);
    std::string name = "EBZip level " + std::to_string(level);
    std::string path = WriteFile(dir, "HONMON.ebz", image);
    ReportEbzip(name.c_str(), text.size(), image.size(), ReadAll(path, 0, 1, pages), InflateSlices(image, false),
                InflateSlices(image, true));
  }
  for (int kind : {3, 4}) {
    HuffmanOptions options;
    options.kind = kind;
    std::vector<uint8_t> image = *EpwingHuffmanCompress(text, options);
    std::string name = "EPWING kind " + std::to_string(kind);
    ReportHuffman(name.c_str(), text.size(), image.size(), ReadAll(WriteFile(dir, "HONMON2", image), 0, 1, pages));
  }
  std::vector<uint8_t> start(kPageSize, 0);
  PutBE16(&start[0], 1);
  PutBE32(&start[18], 2);
  PutBE32(&start[22], static_cast<uint32_t>(pages));
  start.insert(start.end(), text.begin(), text.end());
  std::vector<uint8_t> image = *SebxaCompressStart(start);
  Report("S-EBXA", text.size(), image.size() - kPageSize, ReadAll(WriteFile(dir, "START", image), 0, 2, pages));
  std::printf("\n");

  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
