// Runs a libFuzzer-style target without libFuzzer: every file named on the
// command line (or found in a named folder), then --random N pseudo-random
// inputs and --mutate N mutations of the corpus files. Seeds are fixed so that
// a failure repeats; the sanitizer build turns any overrun into a failure.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void RunOne(const std::vector<uint8_t>& input) {
  // An empty vector's data() may be null; libFuzzer never passes null.
  static const uint8_t kEmpty = 0;
  LLVMFuzzerTestOneInput(input.empty() ? &kEmpty : input.data(), input.size());
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> input, std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, 4);
  int edits = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < edits; ++i) {
    switch (pick(rng)) {
      case 0:  // flip a byte
        if (!input.empty()) input[rng() % input.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:  // overwrite with an extreme value
        if (!input.empty()) input[rng() % input.size()] = (rng() & 1) ? 0xFF : 0x00;
        break;
      case 2:  // truncate
        if (!input.empty()) input.resize(rng() % input.size());
        break;
      case 3:  // insert random bytes
        for (int n = static_cast<int>(rng() % 16); n > 0; --n)
          input.insert(input.begin() + static_cast<std::ptrdiff_t>(input.empty() ? 0 : rng() % input.size()),
                       static_cast<uint8_t>(rng()));
        break;
      default:  // copy a run from elsewhere
        if (input.size() > 8) {
          size_t from = rng() % input.size(), to = rng() % input.size();
          size_t len = std::min<size_t>(rng() % 64, input.size() - std::max(from, to));
          std::memmove(&input[to], &input[from], len);
        }
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  long randomCount = 0, mutateCount = 0;
  size_t maxLen = 1 << 16;
  std::vector<std::vector<uint8_t>> corpus;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--random" && i + 1 < argc) {
      randomCount = std::atol(argv[++i]);
    } else if (arg == "--mutate" && i + 1 < argc) {
      mutateCount = std::atol(argv[++i]);
    } else if (arg == "--max-len" && i + 1 < argc) {
      maxLen = static_cast<size_t>(std::atol(argv[++i]));
    } else if (std::filesystem::is_directory(arg)) {
      for (const auto& e : std::filesystem::recursive_directory_iterator(arg))
        if (e.is_regular_file()) corpus.push_back(ReadFile(e.path()));
    } else if (std::filesystem::is_regular_file(arg)) {
      corpus.push_back(ReadFile(arg));
    }
  }
  for (const auto& input : corpus) RunOne(input);

  std::mt19937 rng(20261208);
  for (long i = 0; i < randomCount; ++i) {
    // Mostly short inputs, some long ones, so that both headers and bodies get hit.
    size_t len = (i % 10 == 0) ? rng() % maxLen : rng() % 512;
    std::vector<uint8_t> input(len);
    for (auto& b : input) b = static_cast<uint8_t>(rng());
    RunOne(input);
  }
  for (long i = 0; i < mutateCount && !corpus.empty(); ++i) RunOne(Mutate(corpus[i % corpus.size()], rng));

  std::printf("%zu corpus inputs, %ld random, %ld mutated: no failure\n", corpus.size(), randomCount,
              corpus.empty() ? 0L : mutateCount);
  return 0;
}
