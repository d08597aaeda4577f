#include "text/nfo_text.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

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

// The forms met so far (a thread's own, so that no lock is needed), and the transliterations of runs:
// ICU is slow, and a text repeats its words.
class FormCache {
 public:
  // The kind of ch's form (its text by Text), found without reaching the form itself.
  struct Entry {
    NfoForm::Kind kind;
    uint32_t index;
  };
  FormCache() : flat_(kFlatRange) {}

  __attribute__((always_inline)) Entry Of(char32_t ch) {
    uint32_t entry = ch < kFlatRange ? flat_[ch] : 0;
    if (entry == 0) entry = Fill(ch);
    return {static_cast<NfoForm::Kind>(entry & 3), (entry >> 2) - 1};
  }
  const std::string& Text(uint32_t index) const { return forms_[index].text; }

  // The transliteration of a run, or nothing when it has none as a whole. Runs are kept in a table of
  // kRunSlots, each run in the slot its hash names (a newer run takes the place of an older one there).
  const std::optional<std::string>& Run(std::string_view utf8) {
    if (runs_.empty()) runs_.resize(kRunSlots);
    RunSlot& slot = runs_[Hash(utf8) & (kRunSlots - 1)];
    if (!slot.filled || slot.run != utf8) {
      slot.run.assign(utf8);
      slot.ascii = TransliterateToAscii(utf8);
      slot.filled = true;
    }
    return slot.ascii;
  }

 private:
  static constexpr char32_t kFlatRange = 0x20000;
  static constexpr size_t kRunSlots = 1 << 13;

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
  struct RunSlot {
    bool filled = false;
    std::string run;
    std::optional<std::string> ascii;
  };
  std::vector<RunSlot> runs_;
};

FormCache& ThreadCache() {
  thread_local FormCache cache;
  return cache;
}

// Decodes the character at text[pos] (not ASCII), advancing pos; a malformed sequence is U+FFFD, one byte.
inline __attribute__((always_inline)) char32_t NextCharacter(std::string_view text, size_t& pos) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned lead = bytes[pos];
  if (lead >= 0xC2 && lead < 0xE0 && pos + 1 < text.size() && (bytes[pos + 1] & 0xC0) == 0x80) {
    const char32_t ch = ((lead & 0x1F) << 6) | (bytes[pos + 1] & 0x3F);
    pos += 2;
    return ch;
  }
  if (lead >= 0xE1 && lead < 0xF0 && lead != 0xED && pos + 2 < text.size() &&
      (bytes[pos + 1] & 0xC0) == 0x80 && (bytes[pos + 2] & 0xC0) == 0x80) {
    const char32_t ch = ((lead & 0x0F) << 12) | ((bytes[pos + 1] & 0x3F) << 6) | (bytes[pos + 2] & 0x3F);
    pos += 3;
    return ch;
  }
  return NextUtf8(text, pos).value_or(0xFFFD);
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

void WriteNfo(std::string& out, std::string_view text, LostCharacters* lost) {
  FormCache& cache = ThreadCache();
  constexpr size_t kNoRun = static_cast<size_t>(-1);
  Run run{kNoRun, 0, 0, 0};
  auto flush = [&] {
    if (run.start == kNoRun) return;
    WriteRun(out, text, run, cache);
    run = Run{kNoRun, 0, 0, 0};
  };
  size_t ascii_end = kNoRun;  // where the last ASCII run copied ended
  const size_t size = text.size();
  size_t pos = 0;
  while (pos < size) {
    const size_t high = FindNonAscii(text, pos);
    if (high > pos) {
      flush();
      out.append(text, pos, high - pos);
      ascii_end = high;
      pos = high;
      if (pos == size) break;
    }
    // Characters that are not ASCII come in runs (a word of another script): taken one after the other
    // without looking for ASCII in between.
    do {
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
          if (lost) lost->Add(ch);
          break;
        case NfoForm::Kind::kTransliterated:
        case NfoForm::Kind::kDropped:
          if (run.start == kNoRun) {
            run.start = start;
            // A mark that follows an ASCII letter (e + U+0301) is read together with it.
            if (form.kind == NfoForm::Kind::kDropped && start > 0 && start == ascii_end &&
                IsAsciiLetter(text[start - 1])) {
              --run.start;
              out.pop_back();
            }
          }
          run.end = pos;
          ++run.count;
          run.last_form = form.index;
          break;
      }
    } while (pos < size && static_cast<unsigned char>(text[pos]) >= 0x80);
  }
  flush();
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
