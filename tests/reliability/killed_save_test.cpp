// A process killed in the middle of saving a large document: afterwards the document is always the old or
// the new one, whole. Nothing can run in a process ended by SIGKILL, so a temporary file may stay behind
// where the file system cannot make files without a name; it is named after the document
// (".big.qlx.quillory-PID-N~"), and the next save of the document removes it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include "common/error.h"
#include "project/project_file.h"
#include "support/sample_records.h"
#include "support/sanitizers.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using Clock = std::chrono::steady_clock;

using testing::kSanitized;

TEST(KilledSave, TheDocumentIsAlwaysTheOldOrTheNewOneWhole) {
  if (kSanitized) {
    GTEST_SKIP() << "a 64 MiB save takes seconds in the sanitizer build; the plain build runs this test";
  }
  testing::TempDir dir;
  const std::string path = dir.File("big.qlx");
  ReadmeProject first = testing::FullRecord();
  ReadmeProject second = first;
  first.license = std::string(64 << 20, 'a');
  second.license = std::string(64 << 20, 'b');
  second.version = "3.0";
  const std::string first_bytes = ProjectDocumentBytes(first, "");
  const std::string second_bytes = ProjectDocumentBytes(second, "");
  ASSERT_EQ(ProjectDocumentBytes(first, second_bytes), first_bytes);  // saving either over the other

  testing::WriteFile(path, first_bytes);
  const auto start = Clock::now();
  WriteProjectDocument(second, path);
  const auto save_time = Clock::now() - start;
  ASSERT_EQ(testing::ReadFile(path), second_bytes);

  // As many rounds as fit in about 15 seconds, at least 20 and at most 50; each kill lands somewhere in
  // the first two saves of the child.
  const auto round_time = 2 * save_time + std::chrono::milliseconds(50);
  const int rounds = std::clamp(static_cast<int>(std::chrono::seconds(15) / round_time), 20, 50);
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long long> delay_us(
      0, std::chrono::duration_cast<std::chrono::microseconds>(2 * save_time).count());
  int old_seen = 0, new_seen = 0, leftovers = 0;
  for (int round = 0; round < rounds; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (int i = 0;; ++i) WriteProjectDocument(i % 2 == 0 ? first : second, path);
      } catch (...) {
      }
      ::_exit(1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself in round " << round;

    const std::string content = testing::ReadFile(path);
    const bool is_old = content == first_bytes, is_new = content == second_bytes;
    ASSERT_TRUE(is_old || is_new) << "round " << round << ": a document of " << content.size() << " bytes";
    old_seen += is_old;
    new_seen += is_new;

    // The next round's save removes what this one left.
    int strays = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (name == "big.qlx") continue;
      ++strays;
      EXPECT_TRUE(name.starts_with(".big.qlx.quillory-" + std::to_string(child) + "-")) << name;
    }
    EXPECT_LE(strays, 1) << "round " << round;
    leftovers += strays;
  }
  WriteProjectDocument(first, path);
  EXPECT_EQ(testing::ListFolder(dir.path()), "big.qlx");
  std::cout << rounds << " kills: " << old_seen << " times the first document, " << new_seen
            << " times the second, " << leftovers << " temporary files left by the killed process\n";
}

}  // namespace
}  // namespace quillory
