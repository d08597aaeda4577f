// Many processes change one document at the same time, each its own key: every change survives.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "project/facts.h"
#include "project/project_file.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

TEST(ConcurrentSet, EveryWritersChangeSurvives) {
  constexpr size_t kWriters = 20;
  testing::TempDir dir;
  const std::string path = dir.File("shared.qlx");
  std::vector<pid_t> writers;
  for (size_t i = 0; i < kWriters; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const std::string key(ReleaseFacts()[i]->key);
      ::_exit(testing::RunCli({"set", path, key + "=value " + std::to_string(i)}).status);
    }
    writers.push_back(child);
  }
  for (pid_t writer : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const ReadmeProject record = ProjectFromBytes(testing::ReadFile(path));
  for (size_t i = 0; i < kWriters; ++i) {
    EXPECT_EQ(record.*ReleaseFacts()[i]->member, "value " + std::to_string(i)) << ReleaseFacts()[i]->key;
  }
  EXPECT_EQ(testing::ListFolder(dir.path()), "shared.qlx");
}

}  // namespace
}  // namespace quillory
