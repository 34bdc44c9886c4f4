// Where `tomeling extract --out` writes: standard output for "-", through a
// symbolic link to the file it names, straight into a FIFO, and a movie of
// any size in a stream rather than through memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "decode/movie_player.h"
#include "extract_command_util.h"
#include "media_book_fixture.h"

extern char** environ;

namespace {

std::string TagOnly(std::string text) { return text.substr(0, text.find('>') + 1); }

std::string Extract(const MediaTestBook& book, const std::string& tag, const std::string& out) {
  return kTomeling + " extract --book " + ShellQuoted(book.sample.dir) + " --tag " + ShellQuoted(tag) + " --out " +
         ShellQuoted(out);
}

TEST(OutputFileCommand, StandardOutputLinksAndFifos) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  std::string tag = TagOnly(book->From(1, "</MOV")), out;
  std::string movie(book->sample.movieBytes.begin(), book->sample.movieBytes.end());
  ASSERT_EQ(RunCommand(Extract(*book, tag, "-"), &out), 0);
  EXPECT_EQ(out, movie);

  // A link is written through: the file it names gets the bytes, also when
  // it does not exist yet, and the link stays a link.
  std::string target = book->dir.File("target.mpg"), link = book->dir.File("link.mpg");
  ASSERT_EQ(symlink("target.mpg", link.c_str()), 0);
  ASSERT_EQ(RunCommand(Extract(*book, tag, link), &out), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeText(target), movie);
  // The way /dev/stdout is made, without touching it.
  std::string stdoutLink = book->dir.File("stdout");
  ASSERT_EQ(symlink("/proc/self/fd/1", stdoutLink.c_str()), 0);
  ASSERT_EQ(RunCommand(Extract(*book, tag, stdoutLink), &out), 0);
  EXPECT_EQ(out, movie);
  EXPECT_TRUE(std::filesystem::is_symlink(stdoutLink));

  // A FIFO gets the bytes while its reader waits; without a reader the
  // command fails at once instead of waiting for one.
  std::string fifo = book->dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_LT(movie.size(), 65536u);  // fits the pipe, so one process suffices
  ASSERT_EQ(RunCommand(Extract(*book, tag, fifo), &out), 0);
  std::string got(movie.size() + 1, '\0');
  EXPECT_EQ(read(reader, got.data(), got.size()), static_cast<ssize_t>(movie.size()));
  got.resize(movie.size());
  EXPECT_EQ(got, movie);
  close(reader);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_EQ(RunCommand(Extract(*book, tag, fifo) + " 2>/dev/null", &out), 1);
  EXPECT_EQ(RunCommand(Extract(*book, tag, book->dir.Path().string()) + " 2>/dev/null", &out), 1);
}

// Peak memory of `tomeling ARGS`, in KiB, as the kernel counted it; its
// standard output goes to /dev/null.
long PeakKibOf(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::vector<std::string> all = {kTomeling};
  all.insert(all.end(), args.begin(), args.end());
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, kTomeling.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  // wait4, not getrusage(RUSAGE_CHILDREN): the latter is the largest of
  // every child this test program ever waited for.
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

TEST(OutputFileCommand, MoviesAreCopiedInAStream) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  // A 256 MiB movie, sparse, so the test costs no disk.
  std::string movie = FindMovieFile(book->Book(), book->sample.movieName);
  ASSERT_FALSE(movie.empty());
  std::filesystem::resize_file(movie, 256u << 20);
  std::string tag = TagOnly(book->From(1, "</MOV"));
  long peak = PeakKibOf({"extract", "--book", book->sample.dir, "--tag", tag, "--out", "-"});
  ASSERT_GT(peak, 0);
  EXPECT_LT(peak, 128 * 1024) << "the copy went through memory";
}

}  // namespace
