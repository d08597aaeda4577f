#include "text/nfo_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillory {
namespace {

// What the NFO writes for text in each script, and which characters it loses (written as "?").
TEST(NfoText, EveryScriptAsCp437) {
  const struct {
    const char* text;
    std::string nfo;
    std::vector<char32_t> lost = {};
  } cases[] = {
      // Windows-1252: the bytes NFOs always had, "?" for those without a form.
      {"Kerényi © € “x” ¤", "Ker\x82nyi (C) EUR \"x\" ?", {U'¤'}},
      {"Dvořák", "Dvor\xA0k"},  // á has a CP437 byte, ř has not
      {"Łódź Gdańsk Erdős",
       "L\xA2"
       "dz Gdansk Erdos"},
      {"═╗ ∞ ≤", "\xCD\xBB \xEC \xF3"},  // CP437 has these
      {"Ελληνικά", "Ellenika"},
      {"Москва Съешь", "Moskva S\"es'"},
      {"Кириллица", "Kirillica"},
      {"مرحبا", "mrhba"},
      {"שלום", "slwm"},
      {"नमस्ते", "namaste"},  // read as a whole: vowel signs and the virama join their consonants
      {"ქართული", "kartuli"},
      {"日本 こんにちは 한국",
       "?? ????? ??",
       {U'日', U'本', U'こ', U'ん', U'に', U'ち', U'は', U'한', U'국'}},
      {"😀 👍🏽 a→b", "? ? a->b", {U'😀', U'👍'}},  // the skin tone joins its emoji
      {"Zoe\u0308 e\u0301", "Zoe e"},                     // combining marks go with their letters
      {"x\u0085y", "x?y", {U'\u0085'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    LostCharacters lost;
    EXPECT_EQ(NfoText(c.text, &lost), c.nfo);
    EXPECT_EQ(lost.characters(), c.lost);
  }
}

TEST(NfoText, LostCharactersAreListedOnceInOrder) {
  LostCharacters lost;
  EXPECT_EQ(NfoText("日本日 😀 \U0001F600 本\u200B", &lost), "??? ? ? ?");
  EXPECT_EQ(lost.characters(), (std::vector<char32_t>{U'日', U'本', U'😀'}));
  EXPECT_EQ(CharacterList({U'日', U'\u0085', U'😀'}), "日, U+0085, 😀");
}

// A stretch met again is written as the first time, its lost characters noted in every list, and a mark
// that starts it still joins an ASCII letter before it.
TEST(NfoText, StretchesMetAgainAreWrittenAlike) {
  const struct {
    const char* text;
    std::string nfo;
    std::vector<char32_t> lost = {};
  } cases[] = {
      {"Москва, Москва! Москва", "Moskva, Moskva! Moskva"},
      {"\u0301Ωλ e\u0301Ωλ \u0301Ωλ eΩλ",
       "\xEA"
       "l e\xEA"
       "l \xEA"
       "l e\xEA"
       "l"},
      {"日本 x 日本", "?? x ??", {U'日', U'本'}},
      {"x日本 Łódź Łódź",
       "x?? L\xA2"
       "dz L\xA2"
       "dz",
       {U'日', U'本'}},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      LostCharacters lost;
      EXPECT_EQ(NfoText(c.text, &lost), c.nfo);
      EXPECT_EQ(lost.characters(), c.lost);
    }
  }
}

}  // namespace
}  // namespace quillory
