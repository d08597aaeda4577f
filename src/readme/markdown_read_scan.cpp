// ScanBackMarkdown: what the CommonMark writer wrote from a tree MarkdownAuthorText made safe, checked
// line by line instead of parsed again. The writer escapes every "<", "[", "]", "!", "`" and "~" of a
// text, so those characters stand unescaped only in what the writer writes as syntax (fences, task
// markers, "~~") and in the raw pieces MarkdownAuthorText puts in (code spans, autolinks, links); and
// the autolinker finds no address start in a text but an e-mail address. The
// scan reads each such character the way the parser does and accepts only readings that are certain;
// anything else leaves the decision to a full parse.

#include <algorithm>
#include <string>
#include <vector>

#include "readme/markdown_read_back.h"
#include "readme/markdown_text.h"

namespace quillory {
namespace {

bool IsAsciiPunct(char c) {
  return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
         (c >= 0x7B && c <= 0x7E);
}

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether text[at] ("&") starts something that looks like a character reference ("&amp;", "&#38;").
bool StartsReference(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (IsAsciiAlnum(text[end]) || (end == at + 1 && text[end] == '#'))) ++end;
  return end > at + 1 && end < text.size() && text[end] == ';';
}

// The length of the container markers that start line: "> " and list markers ("- ", "1. "), each with
// the blanks before it; blanks after the last one are not counted.
size_t ContainerPrefix(std::string_view line) {
  size_t at = 0;
  for (;;) {
    size_t next = at;
    while (next < line.size() && line[next] == ' ') ++next;
    if (next < line.size() && line[next] == '>') {
      at = next + 1 < line.size() && line[next + 1] == ' ' ? next + 2 : next + 1;
      continue;
    }
    if (next + 1 < line.size() && (line[next] == '-' || line[next] == '*' || line[next] == '+') &&
        line[next + 1] == ' ') {
      at = next + 2;
      continue;
    }
    size_t digits = next;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits > next && digits + 1 < line.size() && (line[digits] == '.' || line[digits] == ')') &&
        line[digits + 1] == ' ') {
      at = digits + 2;
      continue;
    }
    return at;
  }
}

size_t RunLength(std::string_view text, size_t at, char c) {
  size_t end = at;
  while (end < text.size() && text[end] == c) ++end;
  return end - at;
}

// Whether "<address>" reads as an e-mail autolink (which links to mailto: and the address) and could
// read as nothing else: its name starts with a letter or digit and holds no "!" or "?".
bool IsAutolinkEmail(std::string_view address) {
  const size_t at = address.find('@');
  if (at == 0 || at == std::string_view::npos || !IsAsciiAlnum(address.front()) ||
      !std::all_of(address.begin(), address.begin() + at, [](char c) {
        return IsAsciiAlnum(c) || std::string_view("._+-").find(c) != std::string_view::npos;
      })) {
    return false;
  }
  std::string_view domain = address.substr(at + 1);
  for (;;) {
    const std::string_view label = domain.substr(0, domain.find('.'));
    if (label.empty() || label.size() > 63 || !IsAsciiAlnum(label.front()) || !IsAsciiAlnum(label.back()) ||
        !std::all_of(label.begin(), label.end(), [](char c) { return IsAsciiAlnum(c) || c == '-'; })) {
      return false;
    }
    if (label.size() == domain.size()) return true;
    domain.remove_prefix(label.size() + 1);
  }
}

// Whether "<content>" reads as an autolink to a target the rule allows, or as text: an http, https or
// ftp address, or a word with an "@" (which no HTML tag holds) that reads as a mailto: link or as
// itself. Backticks are refused: where the parser reads no autolink, they would start code.
bool IsSafeAngleContent(std::string_view content) {
  if (content.empty() || content.find_first_of(" `<\t") != std::string_view::npos) return false;
  if (std::any_of(content.begin(), content.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
    return false;
  }
  if (IsMarkdownAutolink(content)) return IsMarkdownLinkTarget(content);
  return IsAutolinkEmail(content);
}

// Reads "](<destination> "title")" at line[at] as the parser does; the index after it, or npos when the
// destination is not one the rule allows or the form is not certain.
size_t LinkEnd(std::string_view line, size_t at) {
  if (line.substr(at, 3) != "](<") return std::string_view::npos;
  std::string url;
  size_t i = at + 3;
  for (; i < line.size() && line[i] != '>'; ++i) {
    const char c = line[i];
    if (c == '<' || c == '`' || c == '|') return std::string_view::npos;
    if (c == '\\' && i + 1 < line.size() && IsAsciiPunct(line[i + 1])) {
      url += line[++i];
      continue;
    }
    if (c == '&' && StartsReference(line, i)) {
      if (line.substr(i, 5) != "&amp;") return std::string_view::npos;
      i += 4;
    }
    url += c;
  }
  if (i >= line.size() || !IsMarkdownLinkTarget(url)) return std::string_view::npos;
  ++i;
  if (line.substr(i, 2) == " \"") {
    for (i += 2; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] == '`' || line[i] == '|') return std::string_view::npos;
      if (line[i] == '\\' && i + 1 < line.size() && IsAsciiPunct(line[i + 1])) ++i;
    }
    if (i >= line.size()) return std::string_view::npos;
    ++i;
  }
  if (i >= line.size() || line[i] != ')') return std::string_view::npos;
  return i + 1;
}

// Whether the inline content of a line outside code (from at on) reads as nothing but text, code spans,
// emphasis and links the rule allows, for certain.
bool InlinesAreCertain(std::string_view line, size_t at) {
  // A task marker ("[ ]", "[x]") shows as a check box or, where it is none, as its text.
  if ((line.substr(at, 3) == "[ ]" || line.substr(at, 3) == "[x]" || line.substr(at, 3) == "[X]") &&
      (at + 3 == line.size() || line[at + 3] == ' ')) {
    at += 3;
  }
  struct Opener {
    size_t at;
    bool active;
  };
  std::vector<Opener> openers;
  for (size_t i = at; i < line.size();) {
    switch (line[i]) {
      case '\\':
        i += i + 1 < line.size() && IsAsciiPunct(line[i + 1]) ? 2 : 1;
        break;
      case '`': {
        // A code span ends at the next run of exactly as many backticks; the writer writes them on one line.
        const size_t run = RunLength(line, i, '`');
        size_t close = i + run;
        while ((close = line.find('`', close)) != std::string_view::npos &&
               RunLength(line, close, '`') != run) {
          close += RunLength(line, close, '`');
        }
        if (close == std::string_view::npos) return false;
        i = close + run;
        break;
      }
      case '<': {
        const size_t end = line.find('>', i);
        if (end == std::string_view::npos || !IsSafeAngleContent(line.substr(i + 1, end - i - 1)))
          return false;
        i = end + 1;
        break;
      }
      case '!':
        if (i + 1 < line.size() && line[i + 1] == '[') return false;
        ++i;
        break;
      case ':':
      case '.':
        if (StartsMarkdownAutolink(line, i)) return false;
        ++i;
        break;
      case '@': {
        // The autolinker links an e-mail address as mailto:, except after a scheme ("xmpp:"), where
        // the target is what stands there.
        const size_t blank = line.find_last_of(" \t", i);
        const size_t word = blank == std::string_view::npos ? 0 : blank;
        if (line.substr(word, i - word).find(':') != std::string_view::npos) {
          return false;
        }
        ++i;
        break;
      }
      case '[':
        openers.push_back({i, true});
        ++i;
        break;
      case ']': {
        // The link closes the nearest opener on the line and turns off the ones before it; a "|" in
        // it could split it between table cells.
        if (openers.empty() || !openers.back().active) return false;
        const size_t start = openers.back().at;
        openers.pop_back();
        const size_t end = LinkEnd(line, i);
        if (end == std::string_view::npos ||
            line.substr(start, end - start).find('|') != std::string_view::npos) {
          return false;
        }
        for (Opener& opener : openers) opener.active = false;
        i = end;
        break;
      }
      default:
        ++i;
        break;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> ScanBackMarkdown(std::string_view written) {
  std::string out;
  out.reserve(written.size() + 1);
  std::string continuation;  // the containers' marks on each line of the open code block
  size_t fence = 0;          // the length of the open code block's fence, 0 outside code
  for (size_t start = 0; start < written.size();) {
    size_t end = written.find('\n', start);
    if (end == std::string_view::npos) end = written.size();
    std::string_view line = written.substr(start, end - start);
    start = end + 1;
    if (fence > 0) {
      // The code goes on while the line keeps the opening fence's containers: its "> " and the blanks
      // that stand for its list markers.
      const std::string_view marks = continuation;
      if (!line.starts_with(marks) && line != marks.substr(0, marks.find_last_not_of(' ') + 1)) {
        return std::nullopt;
      }
      // A closing fence stands after them, indented by fewer than four blanks.
      const size_t indent = std::min(line.size(), marks.size());
      const size_t at = std::min(line.size(), line.find_first_not_of(' ', indent));
      if (at - indent >= 4) {
        out.append(line).append("\n");
        continue;
      }
      const size_t run = RunLength(line, at, '`');
      if (run >= fence && line.find_first_not_of(" \t", at + run) == std::string_view::npos) fence = 0;
      out.append(line).append("\n");
      continue;
    }
    const size_t kept = line.find_last_not_of(" \t") + 1;
    // Blanks at the end of a line that may be indented code are the code's own.
    if (kept < line.size() &&
        (line.find('\t') != std::string_view::npos || line.find("    ") != std::string_view::npos)) {
      return std::nullopt;
    }
    line = line.substr(0, kept);
    const size_t prefix = ContainerPrefix(line);
    const size_t run = RunLength(line, prefix, '`');
    if (run >= 3 && line.find('`', prefix + run) == std::string_view::npos) {
      // An opening fence, right after the containers' markers as the writer puts it (one indented
      // otherwise is left to the parser: it has no closing run on its line); the blank the writer puts
      // before the info string goes.
      fence = run;
      continuation.assign(line.substr(0, prefix));
      std::replace_if(
          continuation.begin(), continuation.end(), [](char c) { return c != '>'; }, ' ');
      const size_t info = prefix + run;
      if (info + 1 < line.size() && line[info] == ' ' && line[info + 1] != ' ') {
        out.append(line.substr(0, info));
        line.remove_prefix(info + 1);
      }
      out.append(line).append("\n");
      continue;
    }
    if (line.substr(std::min(line.size(), line.find_first_not_of(' ', prefix)), 3) == "~~~" ||
        !InlinesAreCertain(line, prefix))
      return std::nullopt;
    out.append(line).append("\n");
  }
  if (fence > 0) return std::nullopt;
  out.erase(0, out.find_first_not_of('\n'));
  out.erase(out.find_last_not_of('\n') + 1);
  if (!out.empty()) out += '\n';
  return out;
}

}  // namespace quillory
