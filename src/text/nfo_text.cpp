#include "text/nfo_text.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/codepage.h"
#include "text/transliteration.h"

namespace quillory {
namespace {

// What the NFO writes for one character of 0x80 or above.
struct NfoForm {
  enum class Kind : uint8_t {
    kBytes,           // text, as it is
    kLost,            // "?", and the character is lost
    kTransliterated,  // text alone; with neighbours of the same kind, their run is transliterated whole
    kDropped,         // nothing alone; in a run it may lend its meaning to its neighbours
  };
  Kind kind;
  std::string text;
};

NfoForm ComputeForm(char32_t ch) {
  if (const auto byte = UnicodeToCp1252(ch)) {
    const std::string_view bytes = Cp1252ToCp437(*byte);
    return {bytes == "?" ? NfoForm::Kind::kLost : NfoForm::Kind::kBytes, std::string(bytes)};
  }
  if (const auto glyph = UnicodeToCp437(ch); glyph && *glyph >= 0x80) {
    return {NfoForm::Kind::kBytes, std::string(1, static_cast<char>(*glyph))};
  }
  AsciiForm form = AsciiFormOf(ch);
  switch (form.kind) {
    case AsciiFormKind::kForm:
      return {NfoForm::Kind::kTransliterated, std::move(form.text)};
    case AsciiFormKind::kDropped:
      return {NfoForm::Kind::kDropped, {}};
    case AsciiFormKind::kNone:
      break;
  }
  return {NfoForm::Kind::kLost, "?"};
}

// The slots of a table of texts met before, each text in the slot its hash names (a newer text takes the
// place of an older one there).
template <typename Value, size_t kSlots>
class TextTable {
 public:
  struct Slot {
    bool filled = false;
    std::string key;
    Value value;
  };
  // The slot of key: holding it when slot.filled and slot.key == key, else the one to fill.
  Slot& SlotOf(std::string_view key) {
    if (slots_.empty()) slots_.resize(kSlots);
    return slots_[Hash(key) & (kSlots - 1)];
  }

 private:
  // A quick hash of text, eight bytes at a time.
  static size_t Hash(std::string_view text) {
    uint64_t hash = text.size();
    size_t pos = 0;
    for (; pos + 8 <= text.size(); pos += 8) {
      uint64_t word;
      std::memcpy(&word, text.data() + pos, sizeof word);
      hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
      hash ^= hash >> 29;
    }
    for (; pos < text.size(); ++pos) hash = (hash ^ static_cast<unsigned char>(text[pos])) * 0x100000001B3ULL;
    return static_cast<size_t>(hash ^ (hash >> 32));
  }

  std::vector<Slot> slots_;
};

// What the NFO wrote for a stretch of characters that are not ASCII.
struct StretchForm {
  std::string nfo;
  std::vector<char32_t> lost;    // those written as "?"
  bool leads_with_mark = false;  // the first is a mark, which an ASCII letter before it would take
  uint64_t noted_in = 0;         // the last call of WriteNfo that noted lost in its list
};
using StretchTable = TextTable<StretchForm, (1 << 14)>;

// The forms met so far (a thread's own, so that no lock is needed), the transliterations of runs (ICU is
// slow) and what whole stretches became: a text repeats its words.
class FormCache {
 public:
  // The kind of ch's form (its text by Text), found without reaching the form itself.
  struct Entry {
    NfoForm::Kind kind;
    uint32_t index;
  };
  FormCache() : flat_(kFlatRange) {}

  // Stretches longer than this are written afresh each time.
  static constexpr size_t kLongestStretch = 256;

  __attribute__((always_inline)) Entry Of(char32_t ch) {
    uint32_t entry = ch < kFlatRange ? flat_[ch] : 0;
    if (entry == 0) entry = Fill(ch);
    return {static_cast<NfoForm::Kind>(entry & 3), (entry >> 2) - 1};
  }
  const std::string& Text(uint32_t index) const { return forms_[index].text; }

  // The transliteration of a run, or nothing when it has none as a whole.
  const std::optional<std::string>& Run(std::string_view utf8) {
    auto& slot = runs_.SlotOf(utf8);
    if (!slot.filled || slot.key != utf8) {
      slot.key.assign(utf8);
      slot.value = TransliterateToAscii(utf8);
      slot.filled = true;
    }
    return slot.value;
  }

  // A number for each call of WriteNfo.
  uint64_t NewCall() { return ++calls_; }

  // The slot of a stretch (at most kLongestStretch bytes), known when filled with the same key.
  StretchTable::Slot& Stretch(std::string_view utf8) { return stretches_.SlotOf(utf8); }

 private:
  static constexpr char32_t kFlatRange = 0x20000;

  // The entry of a character met for the first time, or of one beyond the flat range.
  __attribute__((noinline)) uint32_t Fill(char32_t ch) {
    uint32_t& slot = ch < kFlatRange ? flat_[ch] : other_[ch];
    if (slot == 0) {
      forms_.push_back(ComputeForm(ch));
      slot = static_cast<uint32_t>(forms_.size()) << 2 | static_cast<uint32_t>(forms_.back().kind);
    }
    return slot;
  }

  // Each character's entry: (index in forms_ + 1) << 2 | kind; 0 for a character not met yet.
  std::vector<uint32_t> flat_;
  std::unordered_map<char32_t, uint32_t> other_;
  std::vector<NfoForm> forms_;
  TextTable<std::optional<std::string>, (1 << 13)> runs_;
  StretchTable stretches_;
  uint64_t calls_ = 0;
};

FormCache& ThreadCache() {
  thread_local FormCache cache;
  return cache;
}

// Decodes the character at text[pos] (not ASCII), advancing pos; a malformed sequence is U+FFFD, one byte.
inline __attribute__((always_inline)) char32_t NextCharacter(std::string_view text, size_t& pos) {
  return NextUtf8Or(text, pos, 0xFFFD);
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A run of characters to transliterate together: text[start, end), count characters, the last one's form.
struct Run {
  size_t start;
  size_t end;
  size_t count;
  uint32_t last_form;
};

// Appends the transliteration of run to out.
void WriteRun(std::string& out, std::string_view text, const Run& run, FormCache& cache) {
  const std::string_view part = text.substr(run.start, run.end - run.start);
  const auto lead = static_cast<unsigned char>(part[0]);
  const size_t first_length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (run.count == 1 && part.size() == first_length) {
    out += cache.Text(run.last_form);  // one character: its own form
  } else if (const auto& whole = cache.Run(part)) {
    out += *whole;
  } else {
    // Character by character: each has an ASCII form or none at all.
    for (size_t pos = 0; pos < part.size();) {
      if (static_cast<unsigned char>(part[pos]) < 0x80) {
        out += part[pos++];
      } else {
        out += cache.Text(cache.Of(NextCharacter(part, pos)).index);
      }
    }
  }
}

// The position of the first ASCII byte at or after pos, else text.size().
size_t FindAscii(std::string_view text, size_t pos) {
  const char* const data = text.data();
  const size_t size = text.size();
#ifdef __SSE2__
  for (; pos + 16 <= size; pos += 16) {
    const auto high = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos))));
    if (high != 0xFFFF) return pos + static_cast<size_t>(__builtin_ctz(~high));
  }
#endif
  while (pos < size && static_cast<unsigned char>(data[pos]) >= 0x80) ++pos;
  return pos;
}

// Writes text[begin, end), a stretch of characters none of which is ASCII, noting in lost each one written
// as "?". Runs of characters to transliterate are taken whole. Sets leads_with_mark when the first character
// is a mark; one that follows an ASCII letter (e + U+0301) is read together with that letter, which out
// then ends with and loses. Returns whether it did.
bool WriteStretch(std::string& out, std::string_view text, size_t begin, size_t end, bool after_letter,
                  FormCache& cache, std::vector<char32_t>& lost, bool& leads_with_mark) {
  constexpr size_t kNoRun = static_cast<size_t>(-1);
  Run run{kNoRun, 0, 0, 0};
  auto flush = [&] {
    if (run.start == kNoRun) return;
    WriteRun(out, text, run, cache);
    run = Run{kNoRun, 0, 0, 0};
  };
  bool joined = false;
  leads_with_mark = false;
  for (size_t pos = begin; pos < end;) {
    const size_t start = pos;
    const char32_t ch = NextCharacter(text, pos);
    const FormCache::Entry form = cache.Of(ch);
    switch (form.kind) {
      case NfoForm::Kind::kBytes:
        flush();
        out += cache.Text(form.index);
        break;
      case NfoForm::Kind::kLost:
        flush();
        out += '?';
        lost.push_back(ch);
        break;
      case NfoForm::Kind::kTransliterated:
      case NfoForm::Kind::kDropped:
        if (run.start == kNoRun) {
          run.start = start;
          if (start == begin && form.kind == NfoForm::Kind::kDropped) {
            leads_with_mark = true;
            if (after_letter) {
              --run.start;
              out.pop_back();
              joined = true;
            }
          }
        }
        run.end = pos;
        ++run.count;
        run.last_form = form.index;
        break;
    }
  }
  flush();
  return joined;
}

void WriteNfo(std::string& out, std::string_view text, LostCharacters* lost) {
  FormCache& cache = ThreadCache();
  const uint64_t call = cache.NewCall();
  std::vector<char32_t> noted;
  auto note = [&](const std::vector<char32_t>& characters) {
    if (lost) {
      for (const char32_t ch : characters) lost->Add(ch);
    }
  };
  const size_t size = text.size();
  size_t pos = 0;
  while (pos < size) {
    const size_t begin = FindNonAscii(text, pos);
    out.append(text, pos, begin - pos);
    if (begin == size) break;
    // A character alone, the most common case in Latin text, is written as its form.
    size_t next = begin;
    const char32_t ch = NextCharacter(text, next);
    const bool alone = next == size || static_cast<unsigned char>(text[next]) < 0x80;
    if (alone) {
      const FormCache::Entry form = cache.Of(ch);
      if (form.kind == NfoForm::Kind::kBytes || form.kind == NfoForm::Kind::kLost) {
        out += cache.Text(form.index);
        if (form.kind == NfoForm::Kind::kLost && lost) lost->Add(ch);
        pos = next;
        continue;
      }
    }
    // Other characters that are not ASCII come in stretches (a word of another script), each written as it
    // was the last time.
    const size_t end = alone ? next : FindAscii(text, next);
    pos = end;
    const std::string_view stretch = text.substr(begin, end - begin);
    const bool after_letter = begin > 0 && IsAsciiLetter(text[begin - 1]);
    const bool cached = !alone && stretch.size() <= FormCache::kLongestStretch;
    auto* slot = cached ? &cache.Stretch(stretch) : nullptr;
    if (slot && slot->filled && slot->key == stretch && !(slot->value.leads_with_mark && after_letter)) {
      out += slot->value.nfo;
      if (slot->value.noted_in != call) {  // once a call is enough
        note(slot->value.lost);
        slot->value.noted_in = call;
      }
      continue;
    }
    const size_t written = out.size();
    noted.clear();
    bool leads_with_mark = false;
    const bool joined = WriteStretch(out, text, begin, end, after_letter, cache, noted, leads_with_mark);
    note(noted);
    if (slot && !joined) {
      slot->filled = true;
      slot->key.assign(stretch);
      slot->value.nfo.assign(out, written);
      slot->value.lost = noted;
      slot->value.leads_with_mark = leads_with_mark;
      slot->value.noted_in = call;
    }
  }
}

}  // namespace

void AppendNfoText(std::string& out, std::string_view utf8, LostCharacters* lost) {
  WriteNfo(out, utf8, lost);
}

std::string NfoText(std::string_view utf8, LostCharacters* lost) {
  std::string out;
  out.reserve(utf8.size());
  AppendNfoText(out, utf8, lost);
  return out;
}

}  // namespace quillory
