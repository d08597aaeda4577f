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

// Every Windows-1252 byte: its own CP437 glyph where CP437 has one outside the control range, else
// printable ASCII; control bytes (tab, CR and LF among them) stay as they are.
TEST(Codepage, EveryWindows1252ByteHasPrintableNfoBytes) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const auto byte = static_cast<unsigned char>(b);
    const std::string_view out = Cp1252ToCp437(byte);
    const auto glyph = UnicodeToCp437(Cp1252ToUnicode(byte));
    if (b < 0x20 || b == 0x7F) {
      EXPECT_EQ(out, std::string(1, static_cast<char>(b)));
    } else if (glyph && *glyph >= 0x20 && *glyph != 0x7F) {
      EXPECT_EQ(out, std::string(1, static_cast<char>(*glyph)));
    } else {
      ASSERT_TRUE(out.size() >= 1 && out.size() <= 4);
      for (unsigned char c : out) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << int(c);
    }
  }
  EXPECT_EQ(Cp1252ToCp437("Ker\xE9nyi \xDF\xA3\xBD\xB0"), "Ker\x82nyi \xE1\x9C\xAB\xF8");
  EXPECT_EQ(Cp1252ToCp437("\xA9\xAE\x99\x80\x93\x94\x85\x95\x96\x8A\x9C\xDE\xFE\xA7\xB6\x81"),
            "(C)(R)(tm)EUR\"\"...*-SoeThth???");
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
