#include "text/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

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

  // Both checks agree with decoding a character at a time for every sequence of up to four bytes drawn
  // from the values where the rules change, at every place around the edges of a 16-byte block, after
  // ASCII or after a three-byte character.
  const unsigned char values[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                  0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                  0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
  auto decodes = [](std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
      if (!NextUtf8(text, pos)) return false;
    }
    return true;
  };
  std::vector<std::string> sequences;
  for (const unsigned char a : values) {
    sequences.emplace_back(1, static_cast<char>(a));
    for (const unsigned char b : values) {
      sequences.push_back(std::string{static_cast<char>(a), static_cast<char>(b)});
      if (a < 0xC2) continue;
      for (const unsigned char c : values) {
        sequences.push_back(std::string{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
        if (a < 0xF0) continue;
        for (const unsigned char d : {0x41, 0x80, 0xBF, 0xC0})
          sequences.push_back(std::string{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                          static_cast<char>(d)});
      }
    }
  }
  size_t failures = 0;
  for (const std::string& sequence : sequences) {
    for (const size_t at : {0, 1, 13, 14, 15, 16, 31, 63}) {
      for (const std::string_view before : {"a", "\xE2\x82\xAC"}) {
        for (const std::string_view after : {"", "\xC3\xA9 and more text to fill a block"}) {
          // at bytes, ending in as much of `before` as fits.
          std::string text(at, 'x');
          const size_t kept = std::min(at, before.size());
          text.replace(at - kept, kept, before.substr(before.size() - kept));
          text += sequence;
          text += after;
          const bool expected = decodes(text);
          if (IsValidUtf8(text) != expected || IsValidUtf8Portable(text) != expected) {
            if (++failures <= 5) ADD_FAILURE() << testing::PrintToString(text) << " should be " << expected;
          }
        }
      }
    }
  }
  EXPECT_EQ(failures, 0u);
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
