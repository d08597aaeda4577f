#include "readme/markdown_read_back.h"

#include <algorithm>
#include <vector>

#include "readme/gfm_parse.h"
#include "readme/markdown_text.h"

namespace quillory {
namespace {

// What the written document reads as: whether it shows nothing but what a README may (no raw HTML, no
// image, no link the rule refuses) and ends so that a heading after it starts a section of its own; and
// where its code blocks stand.
struct Reading {
  bool safe = true;
  std::vector<bool> code_lines;    // by line number, from 1
  std::vector<int> fence_lengths;  // by line number: of the fence a code block opens with there
};

Reading ReadWritten(std::string_view markdown) {
  static constexpr std::string_view kProbe = "\n\n# end of text\n";
  static constexpr cmark_node_type kShown[] = {
      CMARK_NODE_DOCUMENT,  CMARK_NODE_BLOCK_QUOTE, CMARK_NODE_LIST,       CMARK_NODE_ITEM,
      CMARK_NODE_PARAGRAPH, CMARK_NODE_HEADING,     CMARK_NODE_CODE_BLOCK, CMARK_NODE_THEMATIC_BREAK,
      CMARK_NODE_TEXT,      CMARK_NODE_SOFTBREAK,   CMARK_NODE_LINEBREAK,  CMARK_NODE_CODE,
      CMARK_NODE_EMPH,      CMARK_NODE_STRONG};
  static constexpr std::string_view kShownExtensions[] = {"table", "table_header", "table_row", "table_cell",
                                                          "strikethrough"};
  Reading reading;
  auto mark = [](auto& by_line, int line, auto value) {
    if (by_line.size() <= static_cast<size_t>(line)) by_line.resize(line + 1);
    by_line[line] = value;
  };
  const GfmNodePtr root = ParseGfm({markdown, kProbe}, CMARK_OPT_SOURCEPOS);
  cmark_node* probe = cmark_node_last_child(root.get());
  if (probe == nullptr || cmark_node_get_type(probe) != CMARK_NODE_HEADING ||
      cmark_node_get_type(cmark_node_first_child(probe)) != CMARK_NODE_TEXT ||
      std::string_view(cmark_node_get_literal(cmark_node_first_child(probe))) != "end of text") {
    reading.safe = false;
    return reading;
  }
  const std::unique_ptr<cmark_iter, void (*)(cmark_iter*)> iter(cmark_iter_new(root.get()), cmark_iter_free);
  while (cmark_iter_next(iter.get()) != CMARK_EVENT_DONE) {
    cmark_node* node = cmark_iter_get_node(iter.get());
    const cmark_node_type type = cmark_node_get_type(node);
    const bool shown =
        std::ranges::find(kShown, type) != std::end(kShown) ||
        std::ranges::find(kShownExtensions, cmark_node_get_type_string(node)) != std::end(kShownExtensions) ||
        (type == CMARK_NODE_LINK && IsMarkdownLinkTarget(cmark_node_get_url(node)));
    if (!shown) {
      reading.safe = false;
      return reading;
    }
    if (type != CMARK_NODE_CODE_BLOCK) continue;
    int fence_length = 0, offset = 0;
    char fence = 0;
    const int start = cmark_node_get_start_line(node);
    if (cmark_node_get_fenced(node, &fence_length, &offset, &fence)) {
      mark(reading.fence_lengths, start, fence_length);
    }
    for (int line = start + (fence_length > 0 ? 1 : 0); line <= cmark_node_get_end_line(node); ++line) {
      mark(reading.code_lines, line, true);
    }
  }
  return reading;
}

// The written document with the blanks at the line ends outside code blocks removed, and without the
// blank the writer puts between an opening fence and its info string ("``` sh"). Neither changes what
// the document reads as.
std::string Tidied(std::string_view markdown, const Reading& reading) {
  std::string out;
  out.reserve(markdown.size());
  size_t number = 1;
  for (size_t start = 0; start < markdown.size(); ++number) {
    size_t end = markdown.find('\n', start);
    if (end == std::string::npos) end = markdown.size();
    std::string_view line = markdown.substr(start, end - start);
    if (number >= reading.code_lines.size() || !reading.code_lines[number]) {
      line = line.substr(0, line.find_last_not_of(" \t") + 1);
    }
    // No container marker ("> ", "- ", "1. ") holds a backtick or tilde: the first one starts the fence.
    if (number < reading.fence_lengths.size() && reading.fence_lengths[number] > 0) {
      const size_t info = line.find_first_of("`~") + reading.fence_lengths[number];
      if (info + 1 < line.size() && line[info] == ' ' && line[info + 1] != ' ' &&
          line[info + 1] != line[info - 1]) {
        out.append(line.substr(0, info));
        line.remove_prefix(info + 1);
      }
    }
    out.append(line).append("\n");
    start = end + 1;
  }
  return out;
}

}  // namespace

std::optional<std::string> ParseBackMarkdown(std::string_view written) {
  const Reading reading = ReadWritten(written);
  if (!reading.safe) return std::nullopt;
  std::string markdown = Tidied(written, reading);
  markdown.erase(0, markdown.find_first_not_of('\n'));
  markdown.erase(markdown.find_last_not_of('\n') + 1);
  if (!markdown.empty()) markdown += '\n';
  return markdown;
}

std::optional<std::string> ReadBackMarkdown(std::string_view written) {
  if (std::optional<std::string> scanned = ScanBackMarkdown(written)) return scanned;
  return ParseBackMarkdown(written);
}

}  // namespace quillory
