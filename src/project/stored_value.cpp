#include "project/stored_value.h"

#include <algorithm>
#include <cstring>

#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

constexpr char kCp1252LineBreak = '\xA4';
constexpr std::string_view kUtf8LineBreak = "\xC2\xA4";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Windows-1252 bytes as UTF-8, a multi-line value's A4 bytes as CR LF.
std::string FromCp1252(std::string_view stored, bool multi_line) {
  if (!multi_line) return Cp1252ToUtf8(stored);
  std::string out;
  out.reserve(stored.size() + stored.size() / 16);
  for (size_t pos = 0; pos < stored.size();) {
    const size_t high = FindNonAscii(stored, pos);
    out.append(stored, pos, high - pos);
    if (high == stored.size()) break;
    if (stored[high] == kCp1252LineBreak) {
      out += kCrLf;
    } else {
      out += Cp1252ByteAsUtf8(static_cast<unsigned char>(stored[high]));
    }
    pos = high + 1;
  }
  return out;
}

// Well-formed UTF-8 with each C2 A4 of a multi-line value as CR LF. A4 never starts a character, and C2
// never continues one, so each A4 after a C2 is the line break.
std::string FromUtf8(std::string_view stored, bool multi_line) {
  if (!multi_line) return std::string(stored);
  std::string out;
  out.reserve(stored.size());
  const char* const data = stored.data();
  size_t pos = 0;
  while (pos < stored.size()) {
    const void* hit = std::memchr(data + pos, kCp1252LineBreak, stored.size() - pos);
    const size_t brk = hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : stored.size();
    if (brk == stored.size()) break;
    if (brk > 0 && data[brk - 1] == kUtf8LineBreak[0]) {
      out.append(data + pos, brk - 1 - pos);
      out += kCrLf;
    } else {
      out.append(data + pos, brk + 1 - pos);
    }
    pos = brk + 1;
  }
  out.append(data + pos, stored.size() - pos);
  return out;
}

// Whether a multi-line value is stored inside double quotes: the reader would otherwise drop its
// surrounding blanks or a pair of enclosing quotes (an indented licence heading keeps its indentation).
// Line breaks are stored as ¤, neither a blank nor a quote, so the value's own first and last characters
// decide.
bool NeedsQuotes(std::string_view utf8) {
  const bool padded = !utf8.empty() && (IsBlank(utf8.front()) || IsBlank(utf8.back()));
  const bool quoted =
      utf8.size() >= 2 && (utf8.front() == '"' || utf8.front() == '\'') && utf8.back() == utf8.front();
  return padded || quoted;
}

std::string_view LineBreakIn(bool as_utf8) {
  return as_utf8 ? kUtf8LineBreak : std::string_view(&kCp1252LineBreak, 1);
}

}  // namespace

StoredText StoredTextOf(const DocumentText& document) {
  if (document.encoding == DocumentEncoding::kWindows1252) return StoredText::kWindows1252;
  return document.well_formed ? StoredText::kUtf8 : StoredText::kUtf8Malformed;
}

std::string RecordValue(std::string_view stored, bool multi_line, StoredText text) {
  switch (text) {
    case StoredText::kWindows1252:
      return FromCp1252(stored, multi_line);
    case StoredText::kUtf8:
      return FromUtf8(stored, multi_line);
    case StoredText::kUtf8Malformed:
      break;
  }
  return FromUtf8(RepairedUtf8(stored), multi_line);
}

std::optional<std::string> StoredValue(std::string_view utf8, bool multi_line, bool as_utf8) {
  std::string out;
  if (!multi_line) {
    // A one-line value cannot hold a line break; one that somehow does never starts a line of its own.
    if (as_utf8) {
      out.assign(utf8);
    } else if (!AppendUtf8AsCp1252(out, utf8)) {
      return std::nullopt;
    }
    for (char& c : out) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
  }
  const bool quoted = NeedsQuotes(utf8);
  out.reserve(utf8.size() + 2);
  if (quoted) out += '"';
  bool fits = true;
  ForEachLine(
      utf8,
      [&](std::string_view segment) {
        if (as_utf8) {
          out.append(segment);
        } else {
          fits = AppendUtf8AsCp1252(out, segment);
        }
        return fits;
      },
      [&] {
        out += LineBreakIn(as_utf8);
        return true;
      });
  if (!fits) return std::nullopt;
  if (quoted) out += '"';
  return out;
}

bool StoredValueMatches(std::string_view stored, std::string_view utf8, bool multi_line, bool as_utf8) {
  if (!multi_line) {
    const auto value = StoredValue(utf8, false, as_utf8);  // one line: short
    return value && *value == stored;
  }
  if (NeedsQuotes(utf8)) {
    if (stored.size() < 2 || stored.front() != '"' || stored.back() != '"') return false;
    stored = stored.substr(1, stored.size() - 2);
  }
  const std::string_view line_break = LineBreakIn(as_utf8);
  size_t at = 0;
  bool same = true;
  ForEachLine(
      utf8,
      [&](std::string_view segment) {
        const std::string_view rest = stored.substr(at);
        const size_t length = as_utf8 ? (rest.starts_with(segment) ? segment.size() : std::string_view::npos)
                                      : MatchCp1252Prefix(rest, segment);
        same = length != std::string_view::npos;
        if (same) at += length;
        return same;
      },
      [&] {
        same = stored.substr(at).starts_with(line_break);
        at += line_break.size();
        return same;
      });
  return same && at == stored.size();
}

const Fact* FindUnstorableText(const ReadmeProject& record) {
  for (const Fact& fact : Facts()) {
    if (fact.multi_line() && (record.*fact.member).find(kUtf8LineBreak) != std::string::npos) return &fact;
  }
  return nullptr;
}

std::string ValueInDocumentEncoding(std::string_view utf8, DocumentEncoding encoding) {
  switch (encoding) {
    case DocumentEncoding::kWindows1252:
      return Utf8ToCp1252(utf8);
    case DocumentEncoding::kUtf16Le:
    case DocumentEncoding::kUtf16Be:
      return Utf8ToUtf16(utf8, encoding == DocumentEncoding::kUtf16Be);
    case DocumentEncoding::kUtf8:
    case DocumentEncoding::kUtf8WithMark:
      break;
  }
  return std::string(utf8);
}

}  // namespace quillory
