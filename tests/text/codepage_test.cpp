#include "text/codepage.h"

#include <gtest/gtest.h>

#include <optional>

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
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x94\x8C"
                         "b",
                         '?', &lossless),
            "a?b");  // ┌ has no Windows-1252 byte
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

TEST(Codepage, Utf16AndRepairedUtf8) {
  // UTF-16 little endian: "A", U+1F600 as a surrogate pair, a lone high surrogate, a last odd byte.
  const std::string utf16(
      "A\0\x3D\xD8\x00\xDE\x3D\xD8"
      "B\0\x7F",
      11);
  EXPECT_EQ(Utf16ToUtf8(utf16, false), "A😀\uFFFDB\uFFFD");
  for (const bool big_endian : {false, true}) {
    const std::string text = "Łódź 日本 😀 ¤";
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text, big_endian), big_endian), text);
  }
  EXPECT_EQ(Utf8ToUtf16("é", true), std::string("\0\xE9", 2));

  const std::pair<std::string, std::string> repaired[] = {
      {"plain", "plain"},           {"café ő", "café ő"},  // well-formed: as it is
      {"caf\xE9 ő", "café ő"},                             // a stray Windows-1252 letter in UTF-8 text
      {"\x80\xC3", "€Ã"},                                  // a lone continuation byte, a sequence cut short
      {"\xED\xA0\x80", "í\u00A0€"},  // a surrogate is no character: its bytes are letters
  };
  for (const auto& [bytes, utf8] : repaired) EXPECT_EQ(RepairedUtf8(bytes), utf8) << bytes;
}

TEST(Codepage, Cp1252EncodingAndItsComparison) {
  const struct {
    std::string utf8;
    std::optional<std::string> cp1252;
  } cases[] = {
      {"plain", "plain"},
      {"café ©€™\u0081", "caf\xE9 \xA9\x80\x99\x81"},  // U+0081 stands for the undefined byte
      {"ő", std::nullopt},
      {"\u0080", std::nullopt},  // a C1 control that is not one of the five
      {"a\xFF", std::nullopt},   // malformed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8AsCp1252(c.utf8), c.cp1252);
    if (!c.cp1252) {
      EXPECT_EQ(MatchCp1252Prefix("anything", c.utf8), std::string_view::npos);
      continue;
    }
    EXPECT_EQ(MatchCp1252Prefix(*c.cp1252 + "more", c.utf8), c.cp1252->size());
    EXPECT_EQ(MatchCp1252Prefix(c.cp1252->substr(0, c.cp1252->size() - 1), c.utf8), std::string_view::npos);
  }
}

}  // namespace
}  // namespace quillory
