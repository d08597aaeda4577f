#include "readme/markdown_pieces.h"

#include <algorithm>
#include <unordered_map>

#include "text/ascii.h"

namespace quillory {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// line without the container markers at its start: blanks, tabs, ">" and list markers.
std::string_view Stripped(std::string_view line) {
  for (;;) {
    const size_t start = std::min(line.size(), line.find_first_not_of(" \t>"));
    line.remove_prefix(start);
    size_t marker = 0;
    while (marker < line.size() && line[marker] >= '0' && line[marker] <= '9') ++marker;
    if (marker < line.size() &&
        (marker > 0 ? (line[marker] == '.' || line[marker] == ')')
                    : (line[marker] == '-' || line[marker] == '*' || line[marker] == '+'))) {
      ++marker;
      if (marker == line.size() || line[marker] == ' ' || line[marker] == '\t') {
        line.remove_prefix(marker);
        continue;
      }
    }
    if (start == 0) return line;
  }
}

// The text that ends a raw HTML block that line (stripped) opens and that an empty line does not end;
// empty when it opens none.
std::string_view HtmlBlockEnd(std::string_view line) {
  if (line.starts_with("<!--")) return "-->";
  if (line.starts_with("<?")) return "?>";
  if (line.starts_with("<![CDATA[")) return "]]>";
  if (line.size() > 2 && line.starts_with("<!") && IsAsciiLetter(line[2])) return ">";
  for (std::string_view name : {"script", "pre", "style", "textarea"}) {
    if (line.size() > name.size() && EqualsIgnoringAsciiCase(line.substr(1, name.size()), name) &&
        line[0] == '<' &&
        (line.size() == name.size() + 1 ||
         std::string_view(" \t>").find(line[name.size() + 1]) != std::string_view::npos)) {
      if (name == "script") return "</script>";
      if (name == "pre") return "</pre>";
      if (name == "style") return "</style>";
      return "</textarea>";
    }
  }
  return {};
}

// A link label as labels match: blanks and line breaks collapsed to one blank, ASCII letters lowercased.
std::string LabelKey(std::string_view label) {
  std::string key;
  for (char c : label) {
    if (c == ' ' || c == '\t' || c == '\n') {
      if (!key.empty() && key.back() != ' ') key += ' ';
    } else {
      key += AsciiLower(c);
    }
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

// What line (stripped) may be: a link reference definition with its label, complete when its
// destination stands on the line and no title goes on past it.
struct Definition {
  bool found = false;
  bool complete = false;
  std::string_view label;
};

Definition ReadDefinition(std::string_view line) {
  Definition definition;
  if (!line.starts_with('[')) return definition;
  size_t close = 1;
  while (close < line.size() && line[close] != ']' && line[close] != '[')
    close += line[close] == '\\' ? 2 : 1;
  if (close >= line.size() || line[close] != ']' || close + 1 >= line.size() || line[close + 1] != ':') {
    return definition;
  }
  definition.found = true;
  definition.label = line.substr(1, close - 1);
  const std::string_view rest = line.substr(close + 2);
  // A destination on the line, and quotes and parentheses that close on it.
  definition.complete =
      !IsBlankLine(rest) && std::count(rest.begin(), rest.end(), '"') % 2 == 0 &&
      std::count(rest.begin(), rest.end(), '\'') % 2 == 0 &&
      std::count(rest.begin(), rest.end(), '(') == std::count(rest.begin(), rest.end(), ')');
  return definition;
}

}  // namespace

std::vector<MarkdownPiece> MarkdownPieces(std::string_view text, size_t min_size) {
  std::vector<MarkdownPiece> pieces;
  if (text.size() <= min_size) return {{text, {}}};
  std::vector<size_t> cuts;                                       // where each piece after the first starts
  std::unordered_map<std::string, std::string_view> definitions;  // the first one of each label
  bool non_ascii_label = false;
  char fence = 0;
  size_t fence_length = 0;
  bool fence_in_container = false;
  std::string_view html_end;
  bool after_blank = true, definition_may_start = true;
  size_t piece_start = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    const size_t line_start = start;
    start = end + 1;
    if (line.empty()) {  // ends nothing that is open, and is the commonest line of all
      after_blank = true;
      definition_may_start |= fence == 0 && html_end.empty();
      continue;
    }
    const std::string_view stripped = Stripped(line);
    if (fence != 0 && fence_in_container && !IsBlankLine(line) && line.size() == Stripped(line).size() &&
        line[0] != ' ') {
      fence = 0;  // a line at the margin ends the quote or list item, and the code block in it
    }
    if (fence != 0) {
      const size_t run = std::min(stripped.find_first_not_of(fence), stripped.size());
      if (run >= fence_length && IsBlankLine(stripped.substr(run))) {
        fence = 0;
        definition_may_start = true;
      }
      after_blank = IsBlankLine(line);
      continue;
    }
    if (!html_end.empty()) {
      if (line.find(html_end) != std::string_view::npos) html_end = {};
      after_blank = IsBlankLine(line);
      continue;
    }
    // After an empty line, a line at the margin that neither goes on with a list nor a quote starts a
    // block of its own: whatever stood before it has ended.
    if (after_blank && line_start - piece_start >= min_size && !line.empty() && line[0] != ' ' &&
        line[0] != '\t' && stripped.size() == line.size()) {
      cuts.push_back(line_start);
      piece_start = line_start;
    }
    const size_t run =
        std::min(stripped.find_first_not_of(stripped.empty() ? ' ' : stripped[0]), stripped.size());
    if (run >= 3 && (stripped[0] == '`' || stripped[0] == '~') &&
        (stripped[0] == '~' || stripped.find('`', run) == std::string_view::npos)) {
      fence = stripped[0];
      fence_length = run;
      fence_in_container = stripped.size() < line.size() && line[0] != ' ';
    } else if (const std::string_view html = HtmlBlockEnd(stripped);
               !html.empty() && stripped.find(html, 2) == std::string_view::npos) {
      html_end = html;
    } else if (const Definition definition = ReadDefinition(stripped); definition.found) {
      // A definition cannot go on a paragraph, so where one may stand is not certain, nor where one
      // runs on to the next line: such a text stays whole.
      if (!definition_may_start || !definition.complete ||
          definition.label.find('\\') != std::string_view::npos) {
        return {{text, {}}};
      }
      std::string key = LabelKey(definition.label);
      non_ascii_label |= std::any_of(key.begin(), key.end(), [](char c) { return (c & 0x80) != 0; });
      definitions.try_emplace(std::move(key), stripped);
    }
    after_blank = IsBlankLine(line);
    definition_may_start = after_blank || ReadDefinition(stripped).found || line.starts_with('#');
  }
  // Each piece gets the first definition of every label it names in brackets (of every label beyond
  // ASCII, whose letter case the key does not fold).
  cuts.push_back(text.size());
  size_t from = 0;
  for (size_t cut : cuts) {
    MarkdownPiece piece{text.substr(from, cut - from), {}};
    std::vector<std::string_view> used;
    for (size_t open = 0; (open = piece.text.find('[', open)) != std::string_view::npos; ++open) {
      const size_t close = piece.text.find_first_of("[]", open + 1);
      if (close == std::string_view::npos || piece.text[close] != ']') continue;
      if (const auto found = definitions.find(LabelKey(piece.text.substr(open + 1, close - open - 1)));
          found != definitions.end()) {
        used.push_back(found->second);
      }
    }
    if (non_ascii_label) {
      for (const auto& [key, line] : definitions) {
        if (std::any_of(key.begin(), key.end(), [](char c) { return (c & 0x80) != 0; })) used.push_back(line);
      }
    }
    std::sort(used.begin(), used.end(),
              [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
    used.erase(std::unique(used.begin(), used.end(),
                           [](std::string_view a, std::string_view b) { return a.data() == b.data(); }),
               used.end());
    for (std::string_view line : used) piece.definitions.append(line).append("\n");
    pieces.push_back(std::move(piece));
    from = cut;
  }
  return pieces;
}

}  // namespace quillory
