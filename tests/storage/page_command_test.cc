// `tomeling page`: the dump format, --raw, --hint and the exit statuses.
// Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bookwriter/huffman_writer.h"
#include "common/run_command.h"
#include "common/temp_dir.h"

namespace {

// Runs the command line, returns its exit status and stdout.
int RunPage(const std::string& args, std::string* out) {
  std::string command = kTomeling + " page " + args + " 2>/dev/null";
  return RunCommand(command, out);
}

}  // namespace

TEST(PageCommandTest, DumpsRawBytesAndReportsFailures) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  CTempDir dir;
  std::vector<uint8_t> data(3 * 2048);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 5 + i / 2048);
  data[2048 + 16] = 'H';
  data[2048 + 17] = 'i';
  std::string plain = dir.Write("HONMON", data);
  HuffmanOptions options;
  options.signature = false;
  std::string coded = dir.Write("HONMON2", EpwingHuffmanCompress(data, options).value());

  std::string out;
  ASSERT_EQ(RunPage(plain + " 2", &out), 0);
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(out.substr(at, end - at));
  ASSERT_EQ(lines.size(), 128u);
  // Offsets count from the start of the file's data, not of the page.
  EXPECT_EQ(lines[0].substr(0, 8), "00000800");
  EXPECT_EQ(lines[1].substr(0, 14), "00000810  48 6");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 16, 2), "Hi");
  EXPECT_EQ(lines[127].substr(0, 8), "00000FF0");

  // --raw writes the page as it is; --hint picks the Huffman variant.
  ASSERT_EQ(RunPage(coded + " 3 --raw --hint 5", &out), 0);
  EXPECT_EQ(out, std::string(data.begin() + 4096, data.end()));
  RunPage("--raw " + coded + " 3", &out);  // read as another variant, or refused
  EXPECT_NE(out, std::string(data.begin() + 4096, data.end()));

  EXPECT_EQ(RunPage(plain + " 4", &out), 1);
  EXPECT_EQ(RunPage(dir.File("missing") + " 1", &out), 1);
  EXPECT_EQ(RunPage(plain + " 0", &out), 2);
  EXPECT_EQ(RunPage(plain, &out), 2);
  EXPECT_EQ(RunPage(plain + " 1 --hint", &out), 2);
  EXPECT_EQ(RunPage(plain + " x", &out), 2);
}
