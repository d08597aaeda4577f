#include "text/nfo_text.h"

#include <cstdint>
#include <deque>
#include <functional>
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

struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// The forms met so far (a thread's own, so that no lock is needed), and the transliterations of runs:
// ICU is slow, and a text repeats its words.
class FormCache {
 public:
  const NfoForm& Of(char32_t ch) {
    uint32_t* slot;
    if (ch < kFlatRange) {
      if (flat_.empty()) flat_.resize(kFlatRange);
      slot = &flat_[ch];
    } else {
      slot = &other_[ch];
    }
    if (*slot == 0) {
      forms_.push_back(ComputeForm(ch));
      *slot = static_cast<uint32_t>(forms_.size());
    }
    return forms_[*slot - 1];
  }

  // The transliteration of a run, or nothing when it has none as a whole.
  const std::optional<std::string>& Run(std::string_view utf8) {
    if (auto found = runs_.find(utf8); found != runs_.end()) return found->second;
    if (runs_.size() >= kMaxRuns) runs_.clear();
    return runs_.emplace(std::string(utf8), TransliterateToAscii(utf8)).first->second;
  }

 private:
  static constexpr char32_t kFlatRange = 0x20000;
  static constexpr size_t kMaxRuns = 1 << 16;
  std::vector<uint32_t> flat_;  // index + 1 into forms_, 0 for a character not met yet
  std::unordered_map<char32_t, uint32_t> other_;
  std::deque<NfoForm> forms_;  // a deque: a form keeps its place while others are added
  std::unordered_map<std::string, std::optional<std::string>, StringHash, std::equal_to<>> runs_;
};

FormCache& ThreadCache() {
  thread_local FormCache cache;
  return cache;
}

// Decodes the character at text[pos] (not ASCII), advancing pos; a malformed sequence is U+FFFD, one byte.
char32_t NextCharacter(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead >= 0xC2 && lead < 0xE0 && pos + 1 < text.size() &&
      (static_cast<unsigned char>(text[pos + 1]) & 0xC0) == 0x80) {
    const char32_t ch = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[pos + 1]) & 0x3F);
    pos += 2;
    return ch;
  }
  return NextUtf8(text, pos).value_or(0xFFFD);
}

class NfoWriter {
 public:
  NfoWriter(std::string& out, std::string_view text, LostCharacters* lost)
      : out_(out), text_(text), lost_(lost), cache_(ThreadCache()) {}

  void Write() {
    const size_t size = text_.size();
    size_t pos = 0;
    while (pos < size) {
      const size_t high = FindNonAscii(text_, pos);
      if (high > pos) {
        FlushRun();
        out_.append(text_, pos, high - pos);
        ascii_end_ = high;
        pos = high;
        if (pos == size) break;
      }
      const size_t start = pos;
      const char32_t ch = NextCharacter(text_, pos);
      const NfoForm& form = cache_.Of(ch);
      switch (form.kind) {
        case NfoForm::Kind::kBytes:
          FlushRun();
          out_ += form.text;
          break;
        case NfoForm::Kind::kLost:
          FlushRun();
          out_ += '?';
          if (lost_) lost_->Add(ch);
          break;
        case NfoForm::Kind::kTransliterated:
        case NfoForm::Kind::kDropped:
          if (run_start_ == kNoRun) {
            run_start_ = start;
            // A mark that follows an ASCII letter (e + U+0301) is read together with it.
            if (form.kind == NfoForm::Kind::kDropped && start > 0 && start == ascii_end_) {
              --run_start_;
              out_.pop_back();
            }
          }
          run_end_ = pos;
          ++run_characters_;
          last_form_ = &form;
          break;
      }
    }
    FlushRun();
  }

 private:
  static constexpr size_t kNoRun = static_cast<size_t>(-1);

  void FlushRun() {
    if (run_start_ == kNoRun) return;
    const std::string_view run = text_.substr(run_start_, run_end_ - run_start_);
    if (run_characters_ == 1 && run_end_ - run_start_ == static_cast<size_t>(CharacterLength(run))) {
      out_ += last_form_->text;  // one character: its own form
    } else if (const auto& whole = cache_.Run(run)) {
      out_ += *whole;
    } else {
      // Character by character: each has an ASCII form or none at all.
      for (size_t pos = 0; pos < run.size();) {
        if (static_cast<unsigned char>(run[pos]) < 0x80) {
          out_ += run[pos++];
        } else {
          out_ += cache_.Of(NextCharacter(run, pos)).text;
        }
      }
    }
    run_start_ = kNoRun;
    run_characters_ = 0;
  }

  // The byte length of the first character of text.
  static size_t CharacterLength(std::string_view text) {
    size_t pos = 0;
    if (static_cast<unsigned char>(text[0]) < 0x80) return 1;
    NextCharacter(text, pos);
    return pos;
  }

  std::string& out_;
  const std::string_view text_;
  LostCharacters* const lost_;
  FormCache& cache_;
  size_t ascii_end_ = static_cast<size_t>(-1);  // where the last ASCII run copied ended
  size_t run_start_ = kNoRun;
  size_t run_end_ = 0;
  size_t run_characters_ = 0;
  const NfoForm* last_form_ = nullptr;
};

}  // namespace

void AppendNfoText(std::string& out, std::string_view utf8, LostCharacters* lost) {
  NfoWriter(out, utf8, lost).Write();
}

std::string NfoText(std::string_view utf8, LostCharacters* lost) {
  std::string out;
  out.reserve(utf8.size());
  AppendNfoText(out, utf8, lost);
  return out;
}

}  // namespace quillory
