#include "readme/markdown_text.h"

#include <algorithm>

#include "readme/link_rule.h"
#include "text/ascii.h"

namespace quillory {
namespace {

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether text[at] ("&") starts something that looks like a character reference ("&amp;", "&#38;").
bool StartsReference(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (IsAsciiAlnum(text[end]) || (end == at + 1 && text[end] == '#'))) ++end;
  return end > at + 1 && end < text.size() && text[end] == ';';
}

// The longest run of backticks in text.
size_t LongestBacktickRun(std::string_view text) {
  size_t longest = 0, run = 0;
  for (char c : text) {
    run = c == '`' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// Appends text escaped for a link destination in "<...>" or a title in "...": a backslash before "\",
// "<", ">" and '"', and "&amp;" for an "&" that would start a character reference (the parser reads
// references there before escapes, so a backslash would not keep it). A line break cannot stand in
// either: a destination drops it (as a browser does), a title shows a blank.
void AppendLinkPart(std::string& out, std::string_view text, bool destination) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (destination) continue;
      c = ' ';
    }
    if (c == '&' && StartsReference(text, i)) {
      out += "&amp;";
      continue;
    }
    if (c == '\\' || c == '<' || c == '>' || c == '"') out += '\\';
    out += c;
  }
}

// value without its leading and trailing ASCII blanks, control characters included.
std::string_view TrimmedAddress(std::string_view value) {
  auto is_space = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!value.empty() && is_space(value.front())) value.remove_prefix(1);
  while (!value.empty() && is_space(value.back())) value.remove_suffix(1);
  return value;
}

}  // namespace

std::string MarkdownSourceText(std::string_view text) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  size_t copied = 0;  // text before it is in out
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if ((c >= 0x20 && c != 0x7F && !c1) || c == '\t' || c == '\n') continue;
    out.append(text, copied, i - copied);
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += kReplacement;
      if (c1) ++i;
    }
    copied = i + 1;
  }
  out.append(text, copied);
  return out;
}

bool IsMarkdownLinkTarget(std::string_view url) {
  if (IsSafeLinkTarget(url)) return true;
  std::string target;
  for (char c : url) {
    if (static_cast<unsigned char>(c) > 0x20 && c != 0x7F) target += AsciiLower(c);
  }
  if (target.starts_with("mailto:") || target.starts_with("xmpp:")) return true;
  // What stands before the first ":" names a scheme only when it is a letter followed by letters, digits,
  // "+", "-" or "."; otherwise a browser reads the whole as a path ("-a:b" as GitHub's autolinker makes).
  const std::string_view scheme = std::string_view(target).substr(0, target.find(':'));
  const bool names_scheme = !scheme.empty() && scheme.front() >= 'a' && scheme.front() <= 'z' &&
                            std::all_of(scheme.begin(), scheme.end(), [](char c) {
                              return IsAsciiAlnum(c) || c == '+' || c == '-' || c == '.';
                            });
  return !names_scheme;
}

bool StartsMarkdownAutolink(std::string_view text, size_t at) {
  if (text[at] == ':') {
    // The autolinker reads the letters before "://" as the scheme and links only these three.
    size_t start = at;
    while (start > 0 && IsAsciiLetter(text[start - 1])) --start;
    const std::string scheme = AsciiLower(text.substr(start, at - start));
    return text.substr(at + 1, 2) == "//" && (scheme == "http" || scheme == "https" || scheme == "ftp");
  }
  return text[at] == '.' && at >= 3 && EqualsIgnoringAsciiCase(text.substr(at - 3, 3), "www");
}

bool IsMarkdownAutolink(std::string_view url) {
  const size_t colon = url.find("://");
  if (colon == std::string_view::npos || colon + 3 == url.size()) return false;
  const std::string scheme = AsciiLower(url.substr(0, colon));
  if (scheme != "http" && scheme != "https" && scheme != "ftp") return false;
  for (size_t i = 0; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    if (c <= 0x20 || c == 0x7F || c == '<' || c == '>') return false;
    if (c == '&' && StartsReference(url, i)) return false;
  }
  return true;
}

std::string MarkdownLinkEnd(std::string_view url, std::string_view title) {
  std::string out = "](<";
  AppendLinkPart(out, url, true);
  out += '>';
  if (!title.empty()) {
    out += " \"";
    AppendLinkPart(out, title, false);
    out += '"';
  }
  return out + ")";
}

std::string MarkdownInlineText(std::string_view value, bool heading) {
  while (!value.empty() && (IsBlank(value.back()) || value.back() == '\r' || value.back() == '\n')) {
    value.remove_suffix(1);
  }
  std::string out;
  out.reserve(value.size() + 8);
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    switch (c) {
      case '\\':
      case '`':
      case '*':
      case '_':
      case '[':
      case ']':
      case '<':
      case '>':
      case '~':
      case '|':
        out += '\\';
        break;
      case '#':
        if (heading) out += '\\';
        break;
      case '&':
        if (StartsReference(value, i)) out += '\\';
        break;
      case ':':
      case '.':
        if (StartsMarkdownAutolink(value, i)) out += '\\';
        break;
      case '\r':
      case '\n':
        out += ' ';
        continue;
      default:
        break;
    }
    out += c;
  }
  return out;
}

std::string MarkdownParagraphText(std::string_view value) {
  const size_t first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::string out = MarkdownInlineText(value.substr(first));
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

std::string MarkdownAddress(std::string_view value) {
  const std::string_view address = TrimmedAddress(value);
  if (address.empty() || !IsMarkdownLinkTarget(address)) return MarkdownInlineText(value);
  if (IsMarkdownAutolink(address)) return "<" + std::string(address) + ">";
  return "[" + MarkdownInlineText(address) + MarkdownLinkEnd(address);
}

std::string MarkdownMailto(std::string_view address) {
  return "[" + MarkdownInlineText(address) +
         MarkdownLinkEnd("mailto:" + std::string(TrimmedAddress(address)));
}

std::string MarkdownCodeSpan(std::string_view original) {
  std::string text(original);
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  if (text.empty()) return "` `";
  const std::string fence(LongestBacktickRun(text) + 1, '`');
  // CommonMark drops one blank at each end when both ends have one (unless the span is all blanks);
  // a padding blank keeps a backtick at an end from joining the fence.
  const bool all_blank = text.find_first_not_of(' ') == std::string::npos;
  const bool pad = !all_blank &&
                   (text.front() == '`' || text.back() == '`' || (text.front() == ' ' && text.back() == ' '));
  const std::string padding = pad ? " " : "";
  return fence + padding + text + padding + fence;
}

std::string MarkdownCodeBlock(std::string_view text) {
  const size_t fence = std::max<size_t>(3, LongestBacktickRun(text) + 1);
  std::string out;
  out.reserve(text.size() + 2 * fence + 7);
  out.append(fence, '`').append("text\n").append(text);
  if (!out.ends_with('\n')) out += '\n';
  return out.append(fence, '`').append("\n");
}

}  // namespace quillory
