#include "text/transliteration.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <memory>

namespace quillory {
namespace {

constexpr const char* kTransliteratorId = "Any-Latin; Latin-ASCII";

// One transliterator a thread: ICU's transliterate() changes the object's state.
icu::Transliterator* ThreadTransliterator() {
  thread_local const std::unique_ptr<icu::Transliterator> transliterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> made(
        icu::Transliterator::createInstance(kTransliteratorId, UTRANS_FORWARD, status));
    if (U_FAILURE(status)) made.reset();
    return made;
  }();
  return transliterator.get();
}

bool IsPrintableAscii(const std::string& text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x7F || byte < 0x20) return false;
  }
  return true;
}

// Scripts whose readings depend on the language the text is in.
bool HasNoLatinForm(char32_t ch) {
  UErrorCode status = U_ZERO_ERROR;
  switch (uscript_getScript(static_cast<UChar32>(ch), &status)) {
    case USCRIPT_HAN:
    case USCRIPT_HIRAGANA:
    case USCRIPT_KATAKANA:
    case USCRIPT_KATAKANA_OR_HIRAGANA:
    case USCRIPT_HANGUL:
    case USCRIPT_BOPOMOFO:
    case USCRIPT_YI:
      return true;
    default:
      return false;
  }
}

// A combining mark, a default-ignorable character (joiners, variation selectors) or an emoji skin-tone
// modifier: it adds to the character before it rather than standing alone.
bool IsDroppable(char32_t ch) {
  const auto c = static_cast<UChar32>(ch);
  return (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0 ||
         u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) ||
         u_hasBinaryProperty(c, UCHAR_EMOJI_MODIFIER);
}

}  // namespace

std::optional<std::string> TransliterateToAscii(std::string_view utf8) {
  icu::Transliterator* transliterator = ThreadTransliterator();
  if (transliterator == nullptr) return std::nullopt;
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  transliterator->transliterate(text);
  std::string out;
  text.toUTF8String(out);
  if (out.empty() || !IsPrintableAscii(out)) return std::nullopt;
  return out;
}

AsciiForm AsciiFormOf(char32_t ch) {
  if (!HasNoLatinForm(ch)) {
    std::string utf8;
    icu::UnicodeString(static_cast<UChar32>(ch)).toUTF8String(utf8);
    if (auto form = TransliterateToAscii(utf8)) return {AsciiFormKind::kForm, std::move(*form)};
  }
  if (IsDroppable(ch)) return {AsciiFormKind::kDropped, {}};
  return {AsciiFormKind::kNone, {}};
}

}  // namespace quillory
