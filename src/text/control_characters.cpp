#include "text/control_characters.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillory {
namespace {

// Whether the byte may start an unwritten control character: a control byte other than tab, CR and LF,
// DEL, or C2 (the lead byte of U+0080 to U+00BF).
bool MayStartControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F || byte == 0xC2;
}

// FindUnwrittenControl, and with kBeyondLatin1 the lead byte of a character above U+00FF too.
template <bool kBeyondLatin1>
std::size_t FindControl(std::string_view utf8, std::size_t from) {
  const char* const data = utf8.data();
  const std::size_t size = utf8.size();
  std::size_t pos = from;
  while (pos < size) {
#ifdef __SSE2__
    // Sixteen bytes at a time past those that are plainly text: tab, CR, LF, blanks and above, neither DEL
    // nor C2.
    const __m128i del = _mm_set1_epi8(0x7F), c2 = _mm_set1_epi8('\xC2');
    const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    while (pos + 16 <= size) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
      // Unsigned "below the blank": the minimum of the byte and 0x1F is the byte itself.
      const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, tab),
                                          _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
      const __m128i low =
          _mm_andnot_si128(breaks, _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes));
      __m128i special =
          _mm_or_si128(low, _mm_or_si128(_mm_cmpeq_epi8(bytes, del), _mm_cmpeq_epi8(bytes, c2)));
      if constexpr (kBeyondLatin1) {
        const __m128i c4 = _mm_set1_epi8('\xC4');
        special = _mm_or_si128(special, _mm_cmpeq_epi8(_mm_max_epu8(bytes, c4), bytes));
      }
      const int mask = _mm_movemask_epi8(special);
      if (mask != 0) {
        pos += static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        break;
      }
      pos += 16;
    }
    if (pos >= size) break;
#endif
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (kBeyondLatin1 && byte >= 0xC4) return pos;
    if (MayStartControl(byte)) {
      if (byte != 0xC2) return pos;
      if (pos + 1 < size && static_cast<unsigned char>(data[pos + 1]) >= 0x80 &&
          static_cast<unsigned char>(data[pos + 1]) < 0xA0) {
        return pos;
      }
    }
    ++pos;
  }
  return size;
}

}  // namespace

std::size_t FindUnwrittenControl(std::string_view utf8, std::size_t from) {
  return FindControl<false>(utf8, from);
}

std::size_t FindUnwrittenControlOrBeyondLatin1(std::string_view utf8, std::size_t from) {
  return FindControl<true>(utf8, from);
}

void AppendWithoutControls(std::string& out, std::string_view utf8, std::string_view replacement) {
  ForEachWrittenRun(utf8, replacement, [&](std::string_view piece) { out.append(piece); });
}

}  // namespace quillory
