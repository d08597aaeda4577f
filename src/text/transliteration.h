#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// ASCII transliteration of characters that an 8-bit output cannot hold, through ICU's "Any-Latin;
// Latin-ASCII" (Ł → L, ő → o, Москва → Moskva, Αθήνα → Athena). Han, kana, Hangul, Bopomofo and Yi are
// left without a Latin form: a reading the transliterator would guess (Mandarin for Japanese text) misleads
// more than a "?". Safe to call from several threads.

enum class AsciiFormKind {
  kForm,     // the character has an ASCII form
  kDropped,  // a mark or an invisible character with no form of its own: it may be written as nothing
  kNone,     // no Latin form (CJK, emoji, most symbols)
};

struct AsciiForm {
  AsciiFormKind kind;
  std::string text;  // the form of a kForm character (printable ASCII); else empty
};

// The form of ch alone. Cannot fail; without ICU's data every character has kNone.
AsciiForm AsciiFormOf(char32_t ch);

// The ASCII transliteration of UTF-8 text as a whole, so that each character is read in its context; or
// nothing when the result is empty or holds a character that is not printable ASCII (a control included).
std::optional<std::string> TransliterateToAscii(std::string_view utf8);

}  // namespace quillory
