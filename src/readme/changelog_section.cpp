#include "readme/changelog_section.h"

#include <algorithm>
#include <utility>

namespace quillory {
namespace {

// One line of the text: where it starts, where its text ends and where its line break ends.
struct Line {
  size_t begin, end, next;
};

struct Heading {
  size_t first_line;  // the heading's first line (a setext heading starts at its text line)
  size_t body_line;   // the line after it
  int level;
  std::string_view text;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  for (size_t begin = 0; begin < text.size();) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The columns of indentation at the start of text (a tab to the next multiple of four) and the text after it.
std::pair<size_t, std::string_view> Indented(std::string_view text) {
  size_t columns = 0, i = 0;
  for (; i < text.size() && (text[i] == ' ' || text[i] == '\t'); ++i) {
    columns = text[i] == '\t' ? (columns / 4 + 1) * 4 : columns + 1;
  }
  return {columns, text.substr(i)};
}

// The length of the run of c at the start of text.
size_t RunOf(std::string_view text, char c) {
  const size_t end = text.find_first_not_of(c);
  return end == std::string_view::npos ? text.size() : end;
}

// An ATX heading ("## text ##"): its level and text.
std::optional<std::pair<int, std::string_view>> AtxHeading(std::string_view body) {
  const size_t hashes = RunOf(body, '#');
  if (hashes == 0 || hashes > 6) return std::nullopt;
  if (hashes < body.size() && body[hashes] != ' ' && body[hashes] != '\t') return std::nullopt;
  std::string_view text = Trimmed(body.substr(hashes));
  // A closing run of "#" goes when a blank stands before it (or it is all there is).
  const size_t last = text.find_last_not_of('#');
  if (last == std::string_view::npos) {
    text = {};
  } else if (last + 1 < text.size() && (text[last] == ' ' || text[last] == '\t')) {
    text = Trimmed(text.substr(0, last));
  }
  return std::make_pair(static_cast<int>(hashes), text);
}

bool IsListItem(std::string_view body) {
  if (body.size() >= 2 && (body[0] == '-' || body[0] == '*' || body[0] == '+') && body[1] == ' ') return true;
  const size_t digits = body.find_first_not_of("0123456789");
  return digits > 0 && digits != std::string_view::npos && digits + 1 < body.size() &&
         (body[digits] == '.' || body[digits] == ')') && body[digits + 1] == ' ';
}

// body (a line without its indentation) without the block quote and list markers that start it, each
// with the blanks after it: what a fence inside a quote or list item starts with.
std::string_view InsideContainers(std::string_view body) {
  for (;;) {
    size_t marker = 0;
    if (body.starts_with('>')) {
      marker = 1;
    } else if (IsListItem(body)) {
      marker = body.find_first_of(" \t");
    } else {
      return body;
    }
    body = Indented(body.substr(marker)).second;
  }
}

// The fence character and length of a fenced code block that body (without its containers) opens, or
// {0, 0}: three or more backticks with no backtick after them, or three or more tildes.
std::pair<char, size_t> OpeningFence(std::string_view body) {
  if (!body.starts_with("```") && !body.starts_with("~~~")) return {0, 0};
  const size_t length = RunOf(body, body[0]);
  if (body[0] == '`' && body.find('`', length) != std::string_view::npos) return {0, 0};
  return {body[0], length};
}

std::vector<Heading> Headings(std::string_view text, const std::vector<Line>& lines) {
  std::vector<Heading> headings;
  char fence = 0;
  size_t fence_length = 0;
  bool fence_in_container = false;
  bool paragraph = false;  // the line before is text that a setext underline would make a heading
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto [indent, body] = Indented(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    const bool was_paragraph = std::exchange(paragraph, false);
    if (fence != 0 && fence_in_container && indent == 0 && !body.empty() && !body.starts_with('>') &&
        !IsListItem(body)) {
      fence = 0;  // a line at the margin ends the quote or list item, and the code block in it
    } else if (fence != 0) {
      // The closing fence stands where the opening one did: after containers' markers or at the margin.
      const std::string_view inside = InsideContainers(body);
      const auto [inner_indent, inner] = Indented(inside);
      if (indent < 4 && inner_indent < 4 && (fence_in_container || inside.size() == body.size()) &&
          RunOf(inner, fence) >= fence_length && Trimmed(inner.substr(RunOf(inner, fence))).empty()) {
        fence = 0;
      }
      continue;
    }
    if (indent >= 4) {
      paragraph = was_paragraph && !body.empty();
      continue;
    }
    // A fence opens at the start of the line or inside a block quote or list item ("- ```").
    if (const auto [inner_indent, inner] = Indented(InsideContainers(body)); inner_indent < 4) {
      if (const auto [character, length] = OpeningFence(inner); character != 0) {
        fence = character;
        fence_length = length;
        fence_in_container = inner.size() < body.size();
        continue;
      }
    }
    if (auto atx = AtxHeading(body)) {
      headings.push_back({i, i + 1, atx->first, atx->second});
      continue;
    }
    const std::string_view underline = Trimmed(body);
    if (was_paragraph && !underline.empty() && (underline[0] == '=' || underline[0] == '-') &&
        RunOf(underline, underline[0]) == underline.size()) {
      const std::string_view title =
          Trimmed(text.substr(lines[i - 1].begin, lines[i - 1].end - lines[i - 1].begin));
      headings.push_back({i - 1, i + 1, underline[0] == '=' ? 1 : 2, title});
      continue;
    }
    paragraph = !Trimmed(body).empty() && !IsListItem(body) && !body.starts_with('>');
  }
  return headings;
}

// A version without one leading "v" before a digit.
std::string_view WithoutV(std::string_view version) {
  if (version.size() > 1 && (version[0] == 'v' || version[0] == 'V') && version[1] >= '0' &&
      version[1] <= '9') {
    version.remove_prefix(1);
  }
  return version;
}

// The version a heading names: its first word ("Version 1.2" gives "1.2"), the text between "[" and "]"
// when it starts with one, without a trailing ":" or "," and a leading "v".
std::string_view HeadingVersion(std::string_view text) {
  auto first_word = [](std::string_view rest) {
    if (rest.starts_with('[')) {
      const size_t close = rest.find(']');
      if (close != std::string_view::npos) return Trimmed(rest.substr(1, close - 1));
    }
    return rest.substr(0, rest.find_first_of(" \t"));
  };
  std::string_view word = first_word(text);
  if (word.size() == 7 &&
      std::equal(word.begin(), word.end(), "version", [](char a, char b) { return (a | 0x20) == b; })) {
    word = first_word(Trimmed(text.substr(7)));
  }
  while (!word.empty() && (word.back() == ':' || word.back() == ',')) word.remove_suffix(1);
  return WithoutV(word);
}

bool SameVersion(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x | 0x20 : x) == (y >= 'A' && y <= 'Z' ? y | 0x20 : y);
         });
}

bool IsBlank(std::string_view text, const Line& line) {
  return Trimmed(text.substr(line.begin, line.end - line.begin)).empty();
}

}  // namespace

std::optional<std::string> ChangelogSection(std::string_view markdown, std::string_view version) {
  version = WithoutV(Trimmed(version));
  if (version.empty()) return std::nullopt;
  const std::vector<Line> lines = SplitLines(markdown);
  const std::vector<Heading> headings = Headings(markdown, lines);
  for (size_t h = 0; h < headings.size(); ++h) {
    if (!SameVersion(HeadingVersion(headings[h].text), version)) continue;
    size_t first = headings[h].body_line, last = lines.size();
    for (size_t next = h + 1; next < headings.size(); ++next) {
      if (headings[next].level <= headings[h].level) {
        last = headings[next].first_line;
        break;
      }
    }
    while (first < last && IsBlank(markdown, lines[first])) ++first;
    while (last > first && IsBlank(markdown, lines[last - 1])) --last;
    if (first == last) return std::string();
    return std::string(markdown.substr(lines[first].begin, lines[last - 1].end - lines[first].begin));
  }
  return std::nullopt;
}

std::vector<std::string> ChangelogVersions(std::string_view markdown) {
  std::vector<std::string> versions;
  for (const Heading& heading : Headings(markdown, SplitLines(markdown))) {
    const std::string_view version = HeadingVersion(heading.text);
    if (!version.empty()) versions.emplace_back(version);
  }
  return versions;
}

}  // namespace quillory
