#include "text/codepage.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(Codepage, EveryByteSurvivesBothTablesBothWays) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), '?', &lossless), all);
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf8ToCp437(Cp437ToUtf8(all), '?', &lossless), all);
  EXPECT_TRUE(lossless);
}

TEST(Codepage, KnownCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\xA9\x80\x99\xE9"), "©€™é");
  EXPECT_EQ(Cp437ToUtf8("\xDA\xC4\xBF\xAE\xAF\xE9"), "┌─┐«»Θ");
  EXPECT_EQ(Utf8ToCp437("═╗"), "\xCD\xBB");
  bool lossless = true;
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x94\x8C" "b", '?', &lossless), "a?b");  // ┌ has no Windows-1252 byte
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp1252("x\xFFy", '?', &lossless), "x?y");  // malformed UTF-8
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp437("é€"), "\x82?");
}

TEST(Codepage, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8("plain ©"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("\xA9"));          // Windows-1252 ©
}

}  // namespace
}  // namespace quillory
