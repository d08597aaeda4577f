#include "fields/md5.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fields/digest.h"
#include "support/md5_of.h"

namespace quillory {
namespace {

std::string Md5Hex(const std::string& bytes) {
  return HexText(testing::Md5Of(bytes.data(), bytes.size()), HexCase::kLower);
}

const DigestAlgorithm& kMd5 = *FindDigestAlgorithm("md5");

TEST(Md5, TestSuiteOfTheRfc) {
  EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Md5Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, DigestDoesNotDependOnHowTheBytesAreSplit) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  // Lengths where the padding needs one block or two, and a few that span many blocks.
  for (std::size_t length : {0, 1, 54, 55, 56, 57, 63, 64, 65, 119, 120, 127, 128, 129, 1000, 4097}) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    const Md5Digest whole = testing::Md5Of(bytes.data(), bytes.size());
    for (int trial = 0; trial < 20; ++trial) {
      Md5Context context;
      Md5Start(context);
      std::size_t at = 0;
      while (at < length) {
        const std::size_t piece = std::uniform_int_distribution<std::size_t>(0, length - at)(random) % 70;
        Md5Add(context, bytes.data() + at, piece);
        at += piece;
        Md5Add(context, nullptr, 0);  // an empty buffer may have no storage at all
      }
      EXPECT_EQ(Md5Finish(context), whole) << "length " << length << ", trial " << trial;
    }
  }
}

TEST(Md5, BitCountCarriesIntoItsHighWord) {
  Md5Context context;
  Md5Start(context);
  context.bit_count = {0xFFFFFE00u, 0};  // 2^29 - 64 bytes so far: a whole number of blocks
  const unsigned char blocks[128] = {};
  Md5Add(context, blocks, sizeof blocks);
  EXPECT_EQ(context.bit_count, (std::array<std::uint32_t, 2>{0x200, 1}));
}

TEST(Md5, FinishWipesTheContext) {
  Md5Context context;
  Md5Start(context);
  Md5Add(context, "secret", 6);
  Md5Finish(context);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&context);
  EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + sizeof context),
            std::vector<unsigned char>(sizeof context, 0));
}

TEST(Md5, TextIsLowerCaseAndTheFieldTextUpperCase) {
  Md5Digest digest{};
  for (std::size_t i = 0; i < digest.size(); ++i) digest[i] = static_cast<std::uint8_t>(i * 17 + 10);
  EXPECT_EQ(HexText(digest, HexCase::kLower), "0a1b2c3d4e5f708192a3b4c5d6e7f809");
  EXPECT_EQ(FieldText(kMd5, digest), "0A1B2C3D4E5F708192A3B4C5D6E7F809");
}

}  // namespace
}  // namespace quillory
