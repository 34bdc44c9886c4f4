// Under CI (CI=true) a skipped test is a failed one: there a skip means a
// missing program, package or file, and it would hide the very faults the
// test is there to find. Linked into every test program.
//
// gtest cannot turn a skip into a failure once it has been reported, so the
// program ends with status 1 as the skipped test ends. Listeners hear the
// end of a test in reverse order, so this one runs before the result
// printer writes "[  SKIPPED ]", the line ctest would count as a skip.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

class CSkipFailsUnderCi : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& test) override {
    if (!test.result()->Skipped()) return;
    std::printf("[  FAILED  ] %s.%s was skipped, and CI=true makes a skip a failure\n", test.test_suite_name(),
                test.name());
    std::fflush(stdout);
    std::_Exit(1);
  }
};

bool Install() {
  const char* ci = std::getenv("CI");
  if (ci == nullptr || std::string_view(ci) != "true") return false;
  testing::UnitTest::GetInstance()->listeners().Append(new CSkipFailsUnderCi);
  return true;
}

const bool g_installed = Install();

}  // namespace
