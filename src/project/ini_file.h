#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillory {

// A private-profile (INI) text held in memory, read and changed by the rules existing project documents
// were written against:
// - section and key names match regardless of letter case; blanks (space, tab) are ignored at the start
//   and end of a line, around "=" and inside the brackets of a section line;
// - a value loses its surrounding blanks, then one matching pair of " or ' quotes;
// - a line whose first non-blank character is ";" is a comment; lines before the first section are
//   unreachable; with duplicates the first section and the first key of a name win;
// - CR LF, lone LF and lone CR all end lines; a UTF-8 byte-order mark at the start is skipped.
// Writing replaces an existing key's line where it stands (keeping the key's spelling), puts a new key
// directly after the last key line of its section and a new section at the end; every other byte stays.
// The name of the section a line starts, as IniDocument reads it (blanks trimmed, letter case kept), or
// nothing when the line is no section line.
std::optional<std::string_view> SectionNameOfLine(std::string_view line);

// Whether content holds a section named one of names (letter case ignored), as IniDocument would find
// it; scans the lines without copying them and stops at the first such section.
bool HoldsIniSection(std::string_view content, std::initializer_list<std::string_view> names);

class IniDocument {
 public:
  explicit IniDocument(std::string content = {});

  // The value of key in section, or nothing when either is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // The same value as a view into the document, valid until the document is changed or destroyed; spares
  // a long value a copy.
  std::optional<std::string_view> ReadView(std::string_view section, std::string_view key) const;
  // The text after "=" of key's line when the line reads exactly "key=..." (its own spelling of the key,
  // nothing before it or around the "="), so that Write of that text would leave it as it stands; nothing
  // for a key that is missing, written already or whose line reads otherwise. Valid as ReadView's views.
  std::optional<std::string_view> ExactLineValue(std::string_view section, std::string_view key) const;
  // Whether a section of that name is there (read or written), with keys or without.
  bool HasSection(std::string_view section) const;
  // The number (1 for the first) of the line that holds key in section, or of the section's own line
  // without a key; nothing for what the document's bytes do not hold.
  std::optional<size_t> LineNumber(std::string_view section, std::string_view key = {}) const;
  // Sets key in section to value, which must hold no line break. The value is kept as given (moved, not
  // copied); a line that already reads "key=value" is left as it stands.
  void Write(std::string_view section, std::string_view key, std::string value);
  // The document's bytes with every write applied.
  std::string Serialize() const;

 private:
  enum class Kind : uint8_t { kOther, kSection, kKey };
  // A line a read or a write may come back to: a section's header, a key's line, the last key line of a
  // section. Other lines (blank, comments, keys that lose to an earlier one) are not kept: they are copied
  // as they stand, so that a document of many such lines costs no memory beyond its bytes.
  struct Line {
    size_t begin;
    size_t end;        // end of the text, before the line break
    size_t number;     // 0 for the document's first line
    uint8_t eol_size;  // 0, 1 or 2 bytes of line break
    Kind kind;
  };
  // The text of a written line: head ("key=", or "[name]" for an added section) followed by value.
  struct WrittenLine {
    std::string head;
    std::string value;
  };
  // A key is either an original line or an added line.
  struct KeyRef {
    bool added;
    size_t index;
  };
  struct Section {
    std::optional<size_t> header_line;    // nothing for a section this document added
    std::optional<size_t> last_key_line;  // the anchor for new keys
    std::vector<size_t> added_keys;       // for an added section: its lines, in order
    std::unordered_map<std::string, KeyRef> keys;
  };

  void Parse();
  std::string_view LineText(size_t index) const;
  std::string_view RawValue(const KeyRef& ref) const;

  std::string content_;
  size_t bom_size_ = 0;
  std::vector<Line> lines_;  // the lines kept (see Line), in document order
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> section_index_;
  std::unordered_map<size_t, WrittenLine> replacements_;         // original line -> new text
  std::vector<WrittenLine> added_lines_;                         // added key lines and section headers
  std::unordered_map<size_t, std::vector<size_t>> added_after_;  // original line -> added lines
  std::vector<size_t> added_sections_;                           // in order of creation
};

}  // namespace quillory
