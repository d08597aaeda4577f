#include "text/codepage.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace quillory {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the undefined ones map to the C1 control of the same value.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Bytes 0x80 to 0xFF of CP437.
constexpr std::array<char32_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// The NFO bytes of Windows-1252 bytes 0x80 to 0xFF: the CP437 byte of the same character, or the nearest
// ASCII where CP437 lacks it (or has it only among its control-range glyphs, as for the bullet, "\xA7" and
// "\xB6"), else "?".
constexpr std::string_view kNfoHigh[128] = {
    /* 80 */ "EUR",  "?",    "'",    "\x9F", "\"",   "...",  "?",    "?",
    /* 88 */ "?",    "?",    "S",    "?",    "OE",   "?",    "Z",    "?",
    /* 90 */ "?",    "'",    "'",    "\"",   "\"",   "*",    "-",    "-",
    /* 98 */ "?",    "(tm)", "s",    "?",    "oe",   "?",    "z",    "Y",
    /* A0 */ "\xFF", "\xAD", "\x9B", "\x9C", "?",    "\x9D", "?",    "?",
    /* A8 */ "?",    "(C)",  "\xA6", "\xAE", "\xAA", "?",    "(R)",  "?",
    /* B0 */ "\xF8", "\xF1", "\xFD", "?",    "?",    "\xE6", "?",    "\xFA",
    /* B8 */ "?",    "?",    "\xA7", "\xAF", "\xAC", "\xAB", "?",    "\xA8",
    /* C0 */ "A",    "A",    "A",    "A",    "\x8E", "\x8F", "\x92", "\x80",
    /* C8 */ "E",    "\x90", "E",    "E",    "I",    "I",    "I",    "I",
    /* D0 */ "D",    "\xA5", "O",    "O",    "O",    "O",    "\x99", "?",
    /* D8 */ "O",    "U",    "U",    "U",    "\x9A", "Y",    "Th",   "\xE1",
    /* E0 */ "\x85", "\xA0", "\x83", "a",    "\x84", "\x86", "\x91", "\x87",
    /* E8 */ "\x8A", "\x82", "\x88", "\x89", "\x8D", "\xA1", "\x8C", "\x8B",
    /* F0 */ "d",    "\xA4", "\x95", "\xA2", "\x93", "o",    "\x94", "\xF6",
    /* F8 */ "o",    "\x97", "\xA3", "\x96", "\x81", "y",    "th",   "\x98",
};

// The 128 ASCII bytes, for the table's entries to point at.
constexpr std::array<char, 128> kAsciiBytes = [] {
  std::array<char, 128> bytes{};
  for (size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char>(b);
  return bytes;
}();

// The NFO bytes of all 256 Windows-1252 bytes: ASCII (controls included) as it is, then kNfoHigh.
constexpr std::array<std::string_view, 256> kNfoBytes = [] {
  std::array<std::string_view, 256> table{};
  for (size_t b = 0; b < 0x80; ++b) table[b] = std::string_view(&kAsciiBytes[b], 1);
  for (size_t b = 0x80; b < 0x100; ++b) table[b] = kNfoHigh[b - 0x80];
  return table;
}();

// The UTF-8 bytes of each Windows-1252 byte, with their count, computed at compile time.
struct Utf8Form {
  std::array<char, 4> bytes{};
  uint8_t size = 0;
};
constexpr std::array<Utf8Form, 256> kCp1252Utf8 = [] {
  std::array<Utf8Form, 256> forms{};
  for (int b = 0; b < 256; ++b) {
    const char32_t ch = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : static_cast<char32_t>(b);
    Utf8Form& form = forms[b];
    if (ch < 0x80) {
      form.bytes[0] = static_cast<char>(ch);
      form.size = 1;
    } else if (ch < 0x800) {
      form.bytes[0] = static_cast<char>(0xC0 | (ch >> 6));
      form.bytes[1] = static_cast<char>(0x80 | (ch & 0x3F));
      form.size = 2;
    } else {
      form.bytes[0] = static_cast<char>(0xE0 | (ch >> 12));
      form.bytes[1] = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      form.bytes[2] = static_cast<char>(0x80 | (ch & 0x3F));
      form.size = 3;
    }
  }
  return forms;
}();

// Whether a C1 control (U+0080 to U+009F) is one of the five Windows-1252 leaves undefined, which stand
// for themselves.
bool IsCp1252UndefinedByte(char32_t ch) {
  return ch == 0x81 || ch == 0x8D || ch == 0x8F || ch == 0x90 || ch == 0x9D;
}

// Encodes UTF-8 as Windows-1252, giving each run of ASCII to run(view) and each other byte to byte(b); either
// may return false to stop (a callback that returns nothing goes on). Returns false at a character that does
// not fit, a malformed sequence, or when a callback stopped.
template <typename Run, typename Byte>
bool EncodeCp1252(std::string_view utf8, Run run, Byte byte) {
  const size_t size = utf8.size();
  for (size_t pos = 0; pos < size;) {
    const size_t high = FindNonAscii(utf8, pos);
    if (high > pos) {
      if constexpr (std::is_void_v<decltype(run(utf8.substr(pos, high - pos)))>) {
        run(utf8.substr(pos, high - pos));
      } else if (!run(utf8.substr(pos, high - pos))) {
        return false;
      }
    }
    if (high == size) break;
    pos = high;
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    unsigned char encoded;
    // U+0080 to U+00FF, the most common case, without a table.
    if ((lead == 0xC2 || lead == 0xC3) && pos + 1 < size &&
        (static_cast<unsigned char>(utf8[pos + 1]) & 0xC0) == 0x80) {
      const char32_t ch = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[pos + 1]) & 0x3F);
      if (ch < 0xA0 && !IsCp1252UndefinedByte(ch)) return false;
      encoded = static_cast<unsigned char>(ch);
      pos += 2;
    } else {
      const auto ch = NextUtf8(utf8, pos);
      const auto mapped = ch ? UnicodeToCp1252(*ch) : std::nullopt;
      if (!mapped) return false;
      encoded = *mapped;
    }
    if constexpr (std::is_void_v<decltype(byte(encoded))>) {
      byte(encoded);
    } else if (!byte(encoded)) {
      return false;
    }
  }
  return true;
}

template <typename Decode>
std::unordered_map<char32_t, unsigned char> ReverseTable(Decode decode) {
  std::unordered_map<char32_t, unsigned char> table;
  for (int b = 0; b < 256; ++b)
    table.emplace(decode(static_cast<unsigned char>(b)), static_cast<unsigned char>(b));
  return table;
}

template <typename Encode>
std::string FromUtf8(std::string_view utf8, char replacement, bool* lossless, Encode encode) {
  std::string out;
  out.reserve(utf8.size());
  bool ok = true;
  for (size_t pos = 0; pos < utf8.size();) {
    auto ch = NextUtf8(utf8, pos);
    auto byte = ch ? encode(*ch) : std::nullopt;
    if (byte) {
      out += static_cast<char>(*byte);
    } else {
      out += replacement;
      ok = false;
    }
  }
  if (lossless) *lossless = ok;
  return out;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUILLORY_UTF8_SSSE3 1

// Sixteen bytes at a time, after Keiser and Lemire, "Validating UTF-8 in less than one instruction per
// byte" (2021): three table lookups on the nibbles of each byte and the one before it name the errors a
// pair of bytes can show; a byte that must continue a three- or four-byte sequence is found from the two
// and three bytes before it.
namespace ssse3 {

// Errors of a pair of bytes (the first, the second).
constexpr uint8_t kTooShort = 1 << 0;      // a lead, then a lead or ASCII
constexpr uint8_t kTooLong = 1 << 1;       // ASCII, then a continuation
constexpr uint8_t kOverlong3 = 1 << 2;     // E0, then 80..9F
constexpr uint8_t kTooLarge = 1 << 3;      // F4 and up, then 90..BF
constexpr uint8_t kSurrogate = 1 << 4;     // ED, then A0..BF
constexpr uint8_t kOverlong2 = 1 << 5;     // C0 or C1, then a continuation
constexpr uint8_t kTooLarge1000 = 1 << 6;  // F5 and up, then 80..8F
constexpr uint8_t kOverlong4 = 1 << 6;     // F0, then 80..8F
constexpr uint8_t kTwoContinuations = 1 << 7;
constexpr uint8_t kCarry = kTooShort | kTooLong | kTwoContinuations;  // decided by the high nibbles

// clang-format off
// By the high nibble of the first byte.
constexpr uint8_t kFirstHigh[16] = {
    kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
    kTwoContinuations, kTwoContinuations, kTwoContinuations, kTwoContinuations,
    kTooShort | kOverlong2, kTooShort, kTooShort | kOverlong3 | kSurrogate,
    kTooShort | kTooLarge | kTooLarge1000 | kOverlong4};
// By the low nibble of the first byte (with a lead of F5 and up, any second byte is beyond U+10FFFF).
constexpr uint8_t kBeyond = kCarry | kTooLarge | kTooLarge1000;
constexpr uint8_t kFirstLow[16] = {
    kCarry | kOverlong3 | kOverlong2 | kOverlong4,                            // 0
    kCarry | kOverlong2,                                                      // 1
    kCarry, kCarry,                                                           // 2, 3
    kCarry | kTooLarge,                                                       // 4
    kBeyond, kBeyond, kBeyond, kBeyond, kBeyond, kBeyond, kBeyond, kBeyond,  // 5 to C
    kBeyond | kSurrogate, kBeyond, kBeyond};                                  // D, E, F
// By the high nibble of the second byte.
constexpr uint8_t kSecondHigh[16] = {
    kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge1000 | kOverlong4,
    kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge,
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
    kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
    kTooShort, kTooShort, kTooShort, kTooShort};
// clang-format on

struct Tables {
  __m128i first_high, first_low, second_high;
};

// The errors in block, whose bytes follow those of previous: zero when there are none.
__attribute__((target("ssse3"))) inline __m128i BlockErrors(__m128i block, __m128i previous,
                                                            const Tables& tables) {
  const __m128i nibble = _mm_set1_epi8(0x0F);
  // Each byte's predecessors: the block shifted by one, two and three bytes, previous filling in.
  const __m128i before1 = _mm_alignr_epi8(block, previous, 15);
  const __m128i before2 = _mm_alignr_epi8(block, previous, 14);
  const __m128i before3 = _mm_alignr_epi8(block, previous, 13);
  const __m128i first_high =
      _mm_shuffle_epi8(tables.first_high, _mm_and_si128(_mm_srli_epi16(before1, 4), nibble));
  const __m128i first_low = _mm_shuffle_epi8(tables.first_low, _mm_and_si128(before1, nibble));
  const __m128i second_high =
      _mm_shuffle_epi8(tables.second_high, _mm_and_si128(_mm_srli_epi16(block, 4), nibble));
  const __m128i pair = _mm_and_si128(_mm_and_si128(first_high, first_low), second_high);
  // A byte two after a lead of three or more, or three after a lead of four, must continue (its pair then
  // shows exactly kTwoContinuations); any other shows none.
  const __m128i third = _mm_subs_epu8(before2, _mm_set1_epi8(static_cast<char>(0xE0 - 0x80)));
  const __m128i fourth = _mm_subs_epu8(before3, _mm_set1_epi8(static_cast<char>(0xF0 - 0x80)));
  const __m128i must_continue =
      _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(static_cast<char>(0x80)));
  return _mm_xor_si128(must_continue, pair);
}

__attribute__((target("ssse3"))) inline bool NoErrors(__m128i errors) {
  return _mm_movemask_epi8(_mm_cmpeq_epi8(errors, _mm_setzero_si128())) == 0xFFFF;
}

__attribute__((target("ssse3"))) bool IsValidUtf8(std::string_view text) {
  auto table = [](const uint8_t(&t)[16]) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(t)); };
  const Tables tables{table(kFirstHigh), table(kFirstLow), table(kSecondHigh)};
  const char* const data = text.data();
  const size_t size = text.size();
  __m128i previous = _mm_setzero_si128();
  size_t pos = 0;
  for (; pos + 16 <= size; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    if (!NoErrors(BlockErrors(block, previous, tables))) return false;
    previous = block;
  }
  // The rest, padded with blanks: a sequence cut short at the end meets a blank where it must continue.
  char last[16];
  std::memset(last, ' ', sizeof last);
  if (size > pos) std::memcpy(last, data + pos, size - pos);
  return NoErrors(BlockErrors(_mm_loadu_si128(reinterpret_cast<const __m128i*>(last)), previous, tables));
}

}  // namespace ssse3
#endif

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<unsigned char>(ch);
  static const auto table = ReverseTable(Cp1252ToUnicode);
  auto it = table.find(ch);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

char32_t Cp437ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  return kCp437High[byte - 0x80];
}

std::optional<unsigned char> UnicodeToCp437(char32_t ch) {
  if (ch < 0x80) return static_cast<unsigned char>(ch);
  static const auto table = ReverseTable(Cp437ToUnicode);
  auto it = table.find(ch);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

bool IsValidUtf8Portable(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  auto continues = [&](size_t at) { return (bytes[at] & 0xC0) == 0x80; };
  size_t pos = FindNonAscii(text);
  // While four bytes are left, a sequence needs no check of its length.
  while (pos + 4 <= size) {
    const unsigned lead = bytes[pos];
    if (lead < 0x80) {
      pos = FindNonAscii(text, pos + 1);
    } else if (lead < 0xC2) {
      return false;  // a continuation byte, or the lead of an overlong form
    } else if (lead < 0xE0) {
      if (!continues(pos + 1)) return false;
      pos += 2;
    } else if (lead < 0xF0) {
      if (!continues(pos + 1) || !continues(pos + 2)) return false;
      // Neither overlong (E0 80..9F) nor a surrogate (ED A0..BF).
      if ((lead == 0xE0 && bytes[pos + 1] < 0xA0) || (lead == 0xED && bytes[pos + 1] >= 0xA0)) return false;
      pos += 3;
    } else if (lead < 0xF5) {
      if (!continues(pos + 1) || !continues(pos + 2) || !continues(pos + 3)) return false;
      // Neither overlong (F0 80..8F) nor beyond U+10FFFF (F4 90..BF).
      if ((lead == 0xF0 && bytes[pos + 1] < 0x90) || (lead == 0xF4 && bytes[pos + 1] >= 0x90)) return false;
      pos += 4;
    } else {
      return false;
    }
  }
  // The last few bytes, a character at a time.
  while (pos < size) {
    if (!NextUtf8(text, pos)) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
#ifdef QUILLORY_UTF8_SSSE3
  static const bool has_ssse3 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  if (has_ssse3) return ssse3::IsValidUtf8(text);
#endif
  return IsValidUtf8Portable(text);
}

std::string_view Cp1252ByteAsUtf8(unsigned char byte) {
  const Utf8Form& form = kCp1252Utf8[byte];
  return std::string_view(form.bytes.data(), form.size);
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  const auto& table = kCp1252Utf8;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t high = FindNonAscii(bytes, pos);
    out.append(bytes, pos, high - pos);
    if (high == bytes.size()) break;
    const Utf8Form& form = table[static_cast<unsigned char>(bytes[high])];
    out.append(form.bytes.data(), form.size);
    pos = high + 1;
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement, bool* lossless) {
  return FromUtf8(utf8, replacement, lossless, UnicodeToCp1252);
}

bool AppendUtf8AsCp1252(std::string& out, std::string_view utf8) {
  return EncodeCp1252(
      utf8, [&](std::string_view run) { out.append(run); },
      [&](unsigned char byte) { out += static_cast<char>(byte); });
}

size_t MatchCp1252Prefix(std::string_view cp1252, std::string_view utf8) {
  size_t at = 0;
  const bool same = EncodeCp1252(
      utf8,
      [&](std::string_view run) {
        if (cp1252.size() - at < run.size() || cp1252.compare(at, run.size(), run) != 0) return false;
        at += run.size();
        return true;
      },
      [&](unsigned char byte) {
        if (at >= cp1252.size() || static_cast<unsigned char>(cp1252[at]) != byte) return false;
        ++at;
        return true;
      });
  return same ? at : std::string_view::npos;
}

std::optional<std::string> Utf8AsCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  if (!AppendUtf8AsCp1252(out, utf8)) return std::nullopt;
  return out;
}

std::string_view Cp1252ToCp437(unsigned char byte) { return kNfoBytes[byte]; }

std::string Cp1252ToCp437(std::string_view text) {
  // The bytes that stay as they are (ASCII): runs of them are copied whole, which keeps a long text fast.
  static const std::array<bool, 256> kSame = [] {
    std::array<bool, 256> same{};
    for (int b = 0; b < 256; ++b)
      same[b] = kNfoBytes[b].size() == 1 && static_cast<unsigned char>(kNfoBytes[b][0]) == b;
    return same;
  }();
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (kSame[b]) continue;
    out.append(text, start, i - start);
    out.append(kNfoBytes[b]);
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
  return out;
}

std::string Cp437ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) AppendUtf8(out, Cp437ToUnicode(b));
  return out;
}

std::string Utf8ToCp437(std::string_view utf8, char replacement, bool* lossless) {
  return FromUtf8(utf8, replacement, lossless, UnicodeToCp437);
}

std::string RepairedUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t high = FindNonAscii(bytes, pos);
    out.append(bytes, pos, high - pos);
    if (high == bytes.size()) break;
    pos = high;
    if (NextUtf8(bytes, pos)) {
      out.append(bytes, high, pos - high);
    } else {
      out += Cp1252ByteAsUtf8(static_cast<unsigned char>(bytes[high]));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  auto unit = [&](size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]),
               second = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (first << 8 | second) : (second << 8 | first);
  };
  constexpr char32_t kReplacement = 0xFFFD;
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t ch = unit(i);
    if (ch < 0x80) {
      out += static_cast<char>(ch);
      continue;
    }
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    AppendUtf8(out, (ch >= 0xD800 && ch <= 0xDFFF) ? kReplacement : ch);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool big_endian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  auto append_unit = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += big_endian ? high : low;
    out += big_endian ? low : high;
  };
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t ch = NextUtf8(utf8, pos).value_or(0xFFFD);
    if (ch >= 0x10000) {
      append_unit(0xD800 + ((ch - 0x10000) >> 10));
      append_unit(0xDC00 + ((ch - 0x10000) & 0x3FF));
    } else {
      append_unit(ch);
    }
  }
  return out;
}

}  // namespace quillory
