#include "readme/markdown_readme.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

#include "project/readme_outline.h"
#include "text/ascii.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether text[at] ("&") starts something that looks like a character reference ("&amp;", "&#38;").
bool StartsReference(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (IsAsciiAlnum(text[end]) || (end == at + 1 && text[end] == '#'))) ++end;
  return end > at + 1 && end < text.size() && text[end] == ';';
}

// A one-line value as inline Markdown that renders as exactly its characters: every character that could
// start emphasis, code, a link, raw HTML, strikethrough, a table cell or an escape gets a backslash; a
// stray line break becomes a blank. In a heading, "#" is escaped too.
std::string InlineText(std::string_view utf8, bool heading = false) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    switch (c) {
      case '\\': case '`': case '*': case '_': case '[': case ']': case '<': case '>': case '~': case '|':
        out += '\\';
        break;
      case '#':
        if (heading) out += '\\';
        break;
      case '&':
        if (StartsReference(utf8, i)) out += '\\';
        break;
      case '\r': case '\n':
        out += ' ';
        continue;
      default:
        break;
    }
    out += c;
  }
  return out;
}

// A one-line value standing at the start of a paragraph: its surrounding blanks go (a paragraph drops them
// anyway, and four would make a code block) and a first character that would start a block is escaped.
std::string ParagraphText(std::string_view utf8) {
  const size_t first = utf8.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  utf8 = utf8.substr(first, utf8.find_last_not_of(" \t") - first + 1);
  std::string out = InlineText(utf8);
  if (!out.empty() && std::string_view("-+*=#").find(out.front()) != std::string_view::npos) {
    out.insert(out.begin(), '\\');
  }
  // "1." or "1)" would start an ordered list.
  const size_t digits = out.find_first_not_of("0123456789");
  if (digits > 0 && digits != std::string::npos && (out[digits] == '.' || out[digits] == ')')) {
    out.insert(digits, 1, '\\');
  }
  return out;
}

// A code span holding exactly text: its fence is longer than any run of backticks inside, and a blank
// pads the content where CommonMark would otherwise eat an edge. A stray line break becomes a blank, as
// the span would show it.
std::string CodeSpan(std::string_view original) {
  std::string text(original);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  size_t longest = 0, run = 0;
  for (char c : text) {
    run = c == '`' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  const std::string fence(longest + 1, '`');
  const bool all_blank = text.find_first_not_of(' ') == std::string_view::npos;
  const bool pad = !text.empty() && !all_blank &&
                   (text.front() == '`' || text.back() == '`' || (text.front() == ' ' && text.back() == ' '));
  const std::string padding = pad ? " " : "";
  return fence + padding + text + padding + fence;
}

// An address as an autolink when it may be one, else as plain text.
std::string AddressText(std::string_view utf8) {
  if (!IsMarkdownLinkable(utf8)) return InlineText(utf8);
  std::string link = "<";
  link.append(utf8).append(">");
  return link;
}

// An email address as a mailto: link whose text and target are exactly the address.
std::string MailtoLink(std::string_view utf8) {
  std::string target = "mailto:";
  for (char c : utf8) {
    if (c == '\r' || c == '\n') c = ' ';
    if (c == '\\' || c == '<' || c == '>' || c == '&') target += '\\';
    target += c;
  }
  std::string link = "[";
  link.append(InlineText(utf8)).append("](<").append(target).append(">)");
  return link;
}

// The backslashes that end text.
size_t TrailingBackslashes(std::string_view text) {
  const size_t kept = text.find_last_not_of('\\');
  return kept == std::string_view::npos ? text.size() : text.size() - kept - 1;
}

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The fence that opens a fenced code block at the top level on line (three or more backticks with no
// backtick after them, or three or more tildes, from the first column), or an empty view. An indented
// fence may belong to a list item, which a line further down can end together with the block; its lines
// are treated as ordinary text, so that they never escape the escaping.
std::string_view OpeningFence(std::string_view line) {
  if (line.empty() || (line.front() != '`' && line.front() != '~')) return {};
  const size_t end = line.find_first_not_of(line.front());
  const size_t length = end == std::string_view::npos ? line.size() : end;
  if (length < 3) return {};
  if (line.front() == '`' && line.find('`', length) != std::string_view::npos) return {};
  return line.substr(0, length);
}

// Whether line closes a fenced code block opened by fence.
bool ClosesFence(std::string_view line, std::string_view fence) {
  size_t indent = 0;
  while (indent < line.size() && indent < 4 && line[indent] == ' ') ++indent;
  if (indent > 3) return false;
  size_t end = indent;
  while (end < line.size() && line[end] == fence.front()) ++end;
  return end - indent >= fence.size() && IsBlankLine(line.substr(end));
}

// A line that continues an indented code block: four columns of indentation.
bool IsIndentedCode(std::string_view line) { return line.starts_with("    ") || line.starts_with('\t'); }

// One of the author's texts (UTF-8, LF) as Markdown: lines of fenced code blocks stay as they are (a block
// left open is closed, so that it cannot swallow the sections after it); elsewhere every "<" is escaped
// and a line followed by another non-blank line ends in a hard line break.
std::string AuthorText(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::string out;
  std::string_view fence;      // of the open fenced code block, or empty
  bool in_indented_code = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (!fence.empty()) {
      out.append(line).append("\n");
      if (ClosesFence(line, fence)) fence = {};
      continue;
    }
    if (!(fence = OpeningFence(line)).empty()) {
      out.append(line).append("\n");
      in_indented_code = false;
      continue;
    }
    const bool after_blank = i == 0 || IsBlankLine(lines[i - 1]);
    in_indented_code = IsIndentedCode(line) && (in_indented_code || after_blank) && !IsBlankLine(line);
    // A "<" the author escaped already stays as it is.
    std::string escaped;
    for (char c : line) {
      if (c == '<' && TrailingBackslashes(escaped) % 2 == 0) escaped += '\\';
      escaped += c;
    }
    const bool continues = i + 1 < lines.size() && !IsBlankLine(lines[i + 1]) && !IsBlankLine(line);
    if (continues && !in_indented_code && TrailingBackslashes(escaped) % 2 == 0) {
      while (!escaped.ends_with("  ")) escaped += ' ';
    }
    out.append(escaped).append("\n");
  }
  while (out.ends_with("\n\n")) out.pop_back();
  if (!fence.empty()) out.append(fence).append("\n");
  return out;
}

// The licence as a fenced code block holding it exactly.
std::string CodeBlock(std::string_view text) {
  size_t longest = 0, run = 0;
  for (char c : text) {
    run = c == '`' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  const std::string fence(std::max<size_t>(3, longest + 1), '`');
  std::string out = fence + "text\n" + std::string(text);
  if (!out.ends_with('\n')) out += '\n';
  return out + fence + "\n";
}

// A one-line fact's value (UTF-8) as inline Markdown: a digest as a code span, an address as an autolink
// when it may be one, an e-mail address as a mailto link, anything else as its own characters.
std::string FactText(const Fact& fact, std::string_view utf8) {
  switch (fact.kind) {
    case FactKind::kDigest:
      return CodeSpan(utf8);
    case FactKind::kAddress:
      return AddressText(utf8);
    case FactKind::kEmail:
      return MailtoLink(utf8);
    default:
      return InlineText(utf8);
  }
}

// The texts written other than as the author's Markdown: the licence, as a code block holding it exactly.
constexpr std::string_view kCodeBlockTexts[] = {"license"};

// A text (UTF-8, LF) as the body of its section.
std::string SectionText(const Fact& text, std::string_view utf8) {
  const bool code = std::ranges::find(kCodeBlockTexts, text.key) != std::end(kCodeBlockTexts);
  return code ? CodeBlock(utf8) : AuthorText(utf8);
}

}  // namespace

bool IsMarkdownLinkable(std::string_view value) {
  const size_t colon = value.find("://");
  if (colon == std::string_view::npos || colon + 3 == value.size()) return false;
  const std::string scheme = AsciiLower(value.substr(0, colon));
  if (scheme != "http" && scheme != "https" && scheme != "ftp") return false;
  for (size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c <= 0x20 || c == 0x7F || c == '<' || c == '>') return false;
    if (c == '&' && StartsReference(value, i)) return false;
  }
  return true;
}

std::string BuildMarkdownReadme(const ReadmeProject& record) {
  std::string out;
  const ReadmeOutline outline(record);
  for (const OutlineBlock& block : outline.blocks()) {
    switch (block.type) {
      case OutlineBlockType::kTitle:
        out += "#";
        for (const ShownFact& part : block.facts) out += " " + InlineText(Cp1252ToUtf8(part.value), true);
        out += "\n";
        break;
      case OutlineBlockType::kOpeningFrame:
        out += "\n" + ParagraphText(Cp1252ToUtf8(block.value())) + "\n";
        break;
      case OutlineBlockType::kFactList:
        out += "\n## " + std::string(block.caption) + "\n\n";
        for (const auto& [fact, value] : block.facts) {
          out += "- **" + std::string(fact->caption) + ":** " + FactText(*fact, Cp1252ToUtf8(value)) + "\n";
        }
        break;
      case OutlineBlockType::kText:
        out += "\n## " + std::string(block.caption) + "\n\n";
        out += SectionText(*block.facts.front().fact, ReplaceLineBreaks(Cp1252ToUtf8(block.value()), "\n"));
        break;
      case OutlineBlockType::kClosingFrame:  // the copyright stands once, under the title
        break;
    }
  }
  return out;
}

}  // namespace quillory
