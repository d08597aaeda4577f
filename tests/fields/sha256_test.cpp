#include "fields/sha256.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/error.h"
#include "fields/file_digests.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

std::string Sha256Hex(const std::string& bytes) { return Sha256ToText(Sha256Of(bytes.data(), bytes.size())); }

TEST(Sha256, KnownDigestsInLowerCaseHex) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

// Bytes longer than several read blocks, ending in a partial one.
std::string LargeBytes() {
  std::string bytes((std::size_t{5} << 20) + 3, '\0');
  std::mt19937 random(16);
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

TEST(Sha256, FilesOfAnyLengthWithProgressAndCancel) {
  testing::TempDir dir;
  const std::string bytes = LargeBytes();
  testing::WriteFile(dir.File("big.bin"), bytes);
  testing::WriteFile(dir.File("empty.bin"), "");

  std::vector<std::uint64_t> seen;
  const Sha256Digest digest = Sha256OfFile(dir.File("big.bin"), [&](std::uint64_t done, std::uint64_t total) {
    EXPECT_EQ(total, bytes.size());
    seen.push_back(done);
    return true;
  });
  EXPECT_EQ(Sha256ToText(digest), Sha256Hex(bytes));
  ASSERT_GE(seen.size(), 6u);
  EXPECT_EQ(seen.back(), bytes.size());
  EXPECT_EQ(Sha256ToText(Sha256OfFile(dir.File("empty.bin"))), Sha256Hex(""));

  EXPECT_THROW(Sha256OfFile(dir.File("big.bin"), [](auto, auto) { return false; }), Sha256Cancelled);
  EXPECT_THROW(Sha256OfFile(dir.File("missing.bin")), Error);
  EXPECT_THROW(Sha256OfFile(dir.path()), Error);
}

TEST(Md5AndSha256OfFile, OneReadGivesBothDigests) {
  testing::TempDir dir;
  const std::string bytes = LargeBytes();
  for (const std::string& content : {bytes, std::string(), std::string("abc")}) {
    testing::WriteFile(dir.File("file.bin"), content);
    std::uint64_t last = 0;
    const FileDigests digests = Md5AndSha256OfFile(dir.File("file.bin"), [&](std::uint64_t done, std::uint64_t) {
      EXPECT_GE(done, last);
      last = done;
      return true;
    });
    EXPECT_EQ(Md5ToText(digests.md5), Md5ToText(Md5Of(content.data(), content.size())));
    EXPECT_EQ(Sha256ToText(digests.sha256), Sha256Hex(content));
    EXPECT_EQ(last, content.size());
  }

  // Cancelling after the first report stops the digests, with no thread left behind.
  testing::WriteFile(dir.File("file.bin"), bytes);
  int calls = 0;
  EXPECT_THROW(Md5AndSha256OfFile(dir.File("file.bin"), [&](auto, auto) { return ++calls < 2; }),
               DigestsCancelled);
  EXPECT_EQ(calls, 2);
  EXPECT_THROW(Md5AndSha256OfFile(dir.File("missing.bin")), Error);
  EXPECT_THROW(Md5AndSha256OfFile(dir.path()), Error);
}

}  // namespace
}  // namespace quillory
