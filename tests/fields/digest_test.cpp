#include "fields/digest.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/error.h"
#include "fields/file_digests.h"
#include "project/facts.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

std::vector<std::uint8_t> Digest(const DigestAlgorithm& algorithm, const std::string& bytes) {
  return DigestOf(algorithm, bytes.data(), bytes.size());
}

std::vector<const DigestAlgorithm*> AllAlgorithms() {
  std::vector<const DigestAlgorithm*> all;
  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) all.push_back(&algorithm);
  return all;
}

// Bytes longer than several read blocks, ending in a partial one.
std::string LargeBytes() {
  std::string bytes((std::size_t{5} << 20) + 3, '\0');
  std::mt19937 random(16);
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

TEST(Digests, KnownDigestsAsTheirFieldsWriteThem) {
  const struct {
    std::string_view name;
    std::string input;
    std::string field;
  } cases[] = {
      {"md5", "", "D41D8CD98F00B204E9800998ECF8427E"},
      {"md5", "abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"md5", "message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"sha256", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"sha256", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"sha256", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  for (const auto& c : cases) {
    const DigestAlgorithm* algorithm = FindDigestAlgorithm(c.name);
    ASSERT_NE(algorithm, nullptr) << c.name;
    EXPECT_EQ(FieldText(*algorithm, Digest(*algorithm, c.input)), c.field) << c.name << " of " << c.input;
  }
  // Every digest has its vectors above, and every digest fact of a project document its digest.
  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) {
    EXPECT_EQ(FindDigestAlgorithm(algorithm.name), &algorithm);
    EXPECT_TRUE(std::any_of(std::begin(cases), std::end(cases), [&](const auto& c) {
      return c.name == algorithm.name;
    })) << algorithm.name;
  }
  for (const Fact& fact : Facts()) {
    if (fact.kind == FactKind::kDigest) {
      EXPECT_NE(FindDigestAlgorithm(fact.key), nullptr) << fact.key;
    }
  }
}

TEST(Digests, TheDigestDoesNotDependOnHowTheBytesAreSplit) {
  const std::string bytes = LargeBytes().substr(0, 5000);
  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) {
    const std::vector<std::uint8_t> whole = Digest(algorithm, bytes);
    for (std::size_t piece : {1, 55, 64, 65, 4096}) {
      const auto digester = algorithm.NewDigester();
      for (std::size_t at = 0; at < bytes.size(); at += piece) {
        digester->Add(bytes.data() + at, std::min(piece, bytes.size() - at));
        digester->Add(nullptr, 0);
      }
      EXPECT_EQ(digester->Finish(), whole) << algorithm.name << " in pieces of " << piece;
    }
  }
}

// Read once from a file, a stream or a pipe (whose reads come in pieces of its own), every digest is the one
// each gives alone, and progress climbs to the whole length.
TEST(DigestAll, OneReadGivesEveryDigestAsEachAloneGivesIt) {
  testing::TempDir dir;
  const std::vector<const DigestAlgorithm*> all = AllAlgorithms();
  // All of them, none (the bytes are counted), and each alone.
  std::vector<std::vector<const DigestAlgorithm*>> sets = {all, {}};
  for (const DigestAlgorithm* algorithm : all) sets.push_back({algorithm});
  for (const std::string& content : {LargeBytes(), std::string(), std::string("abc")}) {
    auto check = [&](InputSource input, const std::vector<const DigestAlgorithm*>& algorithms) {
      const std::string label = input.name() + " " + std::to_string(content.size());
      std::uint64_t last = 0;
      const DigestResults results =
          DigestAll(input, algorithms, [&](std::uint64_t done, std::uint64_t total) {
            EXPECT_GE(done, last) << label;
            EXPECT_EQ(total, input.is_regular() ? content.size() : 0u) << label;
            last = done;
            return true;
          });
      EXPECT_EQ(results.length, content.size()) << label;
      EXPECT_EQ(last, content.size()) << label;
      ASSERT_EQ(results.digests.size(), algorithms.size()) << label;
      for (std::size_t i = 0; i < algorithms.size(); ++i) {
        EXPECT_EQ(results.digests[i], Digest(*algorithms[i], content)) << label << " " << algorithms[i]->name;
      }
    };
    testing::WriteFile(dir.File("file.bin"), content);
    for (const auto& algorithms : sets)
      check(InputSource::Open(dir.File("file.bin"), Readable::kAnyFile), algorithms);
    std::istringstream stream(content);
    check(InputSource::FromStream(stream, "stream"), all);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    FileDescriptor read_end(fds[0]);
    std::thread writer([&, fd = fds[1]] {
      WriteAll(fd, content);
      ::close(fd);
    });
    check(InputSource::FromDescriptor(read_end.get(), "pipe"), all);
    writer.join();
  }
}

TEST(DigestAll, StopsWhenProgressSaysSoAndFailsOnWhatCannotBeRead) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("file.bin"), LargeBytes());
  std::vector<std::vector<const DigestAlgorithm*>> sets = {AllAlgorithms()};
  for (const DigestAlgorithm* algorithm : AllAlgorithms()) sets.push_back({algorithm});
  for (const auto& algorithms : sets) {
    InputSource input = InputSource::Open(dir.File("file.bin"), Readable::kAnyFile);
    int calls = 0;
    EXPECT_THROW(DigestAll(input, algorithms, [&](auto, auto) { return ++calls < 2; }), ReadCancelled);
    EXPECT_EQ(calls, 2);
  }
  // A pipe that never ends (its writer holds it open and never writes): progress is still asked.
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  FileDescriptor read_end(fds[0]), write_end(fds[1]);
  InputSource endless = InputSource::FromDescriptor(read_end.get(), "-");
  int waits = 0;
  EXPECT_THROW(DigestAll(endless, AllAlgorithms(), [&](auto, auto) { return ++waits < 3; }), ReadCancelled);
  EXPECT_EQ(waits, 3);

  for (const DigestAlgorithm& algorithm : DigestAlgorithms()) {
    for (const std::string& path : {dir.File("missing.bin"), dir.path()}) {
      try {
        DigestFieldTextOfFile(algorithm, path);
        ADD_FAILURE() << path << " gave a digest";
      } catch (const InputError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u)
            << error.what();
      }
    }
  }
}

}  // namespace
}  // namespace quillory
