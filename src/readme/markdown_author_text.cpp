// MarkdownAuthorText: the author's Markdown read by libcmark-gfm, made safe on its tree and written back by
// the library's CommonMark writer. The writer copies a few things as they stand (raw HTML, link targets,
// autolinks, code spans, indented code) in ways that do not always read back the same, so those are
// written here, as raw inline nodes the writer copies; the result is read once more and checked.

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "readme/gfm_parse.h"
#include "readme/markdown_arena.h"
#include "readme/markdown_pieces.h"
#include "readme/markdown_read_back.h"
#include "readme/markdown_text.h"

namespace quillory {
namespace {

// The deepest nesting of blocks and inlines written as Markdown; a deeper text is shown as code.
constexpr int kMaxDepth = 64;

// The size from which a text is cut into pieces that are read one at a time.
constexpr size_t kPieceSize = size_t{128} << 10;

bool HasType(cmark_node* node, std::string_view type) { return type == cmark_node_get_type_string(node); }

// Whether node is one the iterator enters without leaving (it has no children).
bool IsLeaf(cmark_node* node) {
  static constexpr cmark_node_type kLeaves[] = {
      CMARK_NODE_HTML_BLOCK, CMARK_NODE_THEMATIC_BREAK, CMARK_NODE_CODE_BLOCK, CMARK_NODE_TEXT,
      CMARK_NODE_SOFTBREAK,  CMARK_NODE_LINEBREAK,      CMARK_NODE_CODE,       CMARK_NODE_HTML_INLINE};
  return std::ranges::find(kLeaves, cmark_node_get_type(node)) != std::end(kLeaves);
}

// A new node; a text or raw inline node holding literal.
cmark_node* NewNode(cmark_node_type type, const std::string& literal = {}) {
  cmark_node* node = cmark_node_new_with_mem(type, MarkdownArena::mem());
  if (type == CMARK_NODE_TEXT || type == CMARK_NODE_HTML_INLINE) {
    cmark_node_set_literal(node, literal.c_str());
  }
  return node;
}

// The first place in text from at on where GitHub's autolinker could start a link, or npos.
size_t FindAutolinkStart(std::string_view text, size_t at = 0) {
  for (; (at = text.find_first_of(":.", at)) != std::string_view::npos; ++at) {
    if (StartsMarkdownAutolink(text, at)) return at;
  }
  return at;
}

// Text as nodes that read back as exactly text: text nodes, and the characters at which GitHub's
// autolinker would start a link as raw escapes. (A link it starts in written text would take the
// backslash the writer puts before a later "<" into its address and leave the "<" raw.)
std::vector<cmark_node*> TextNodes(std::string_view text) {
  std::vector<cmark_node*> nodes;
  size_t start = 0;
  for (size_t i = 0; (i = FindAutolinkStart(text, i)) != std::string_view::npos; ++i) {
    if (i > start) nodes.push_back(NewNode(CMARK_NODE_TEXT, std::string(text.substr(start, i - start))));
    nodes.push_back(NewNode(CMARK_NODE_HTML_INLINE, "\\" + std::string(1, text[i])));
    start = i + 1;
  }
  if (start < text.size()) nodes.push_back(NewNode(CMARK_NODE_TEXT, std::string(text.substr(start))));
  return nodes;
}

// Puts node (new, or moved from elsewhere in the tree) before anchor. Whether it could stand there; a new
// node that cannot is freed.
bool InsertBefore(cmark_node* anchor, cmark_node* node) {
  if (cmark_node_insert_before(anchor, node)) return true;
  if (cmark_node_parent(node) == nullptr) cmark_node_free(node);
  return false;
}

// Puts the children of node before anchor (those that cannot stand there stay).
void MoveChildrenBefore(cmark_node* node, cmark_node* anchor) {
  for (cmark_node* child; (child = cmark_node_first_child(node)) != nullptr && InsertBefore(anchor, child);) {
  }
}

// Replaces node by its children.
void Unwrap(cmark_node* node) {
  MoveChildrenBefore(node, node);
  cmark_node_free(node);
}

// Replaces node by its children between the raw inline nodes before and after.
void Enclose(cmark_node* node, const std::string& before, const std::string& after) {
  InsertBefore(node, NewNode(CMARK_NODE_HTML_INLINE, before));
  InsertBefore(node, NewNode(CMARK_NODE_HTML_INLINE, after));
  MoveChildrenBefore(node, cmark_node_previous(node));
  cmark_node_free(node);
}

// Puts a line break before anchor: in a heading a blank; elsewhere a hard break written as a backslash at
// the end of the line (the writer's own hard break is two trailing blanks).
void InsertLineBreak(cmark_node* anchor, bool in_heading) {
  if (!in_heading) InsertBefore(anchor, NewNode(CMARK_NODE_HTML_INLINE, "\\"));
  InsertBefore(anchor, NewNode(CMARK_NODE_SOFTBREAK));
}

// Whether address is an e-mail address that "<address>" links as one.
bool IsPlainEmail(std::string_view address) {
  const size_t at = address.find('@');
  if (at == 0 || at == std::string_view::npos) return false;
  auto is_alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  if (!std::all_of(address.begin(), address.begin() + at, [&](char c) {
        return is_alnum(c) || std::string_view("._+-").find(c) != std::string_view::npos;
      })) {
    return false;
  }
  std::string_view domain = address.substr(at + 1);
  for (size_t dot = 0; dot != std::string_view::npos; domain.remove_prefix(dot + 1)) {
    dot = domain.find('.');
    const std::string_view label = domain.substr(0, dot);
    if (label.empty() || !is_alnum(label.front()) || !is_alnum(label.back()) ||
        !std::all_of(label.begin(), label.end(), [&](char c) { return is_alnum(c) || c == '-'; })) {
      return false;
    }
    if (dot == std::string_view::npos) break;
  }
  return true;
}

// What a link or image becomes: its text (nested in another, or a target the rule refuses), an autolink
// ("<...>", when its text is its address), or "[text](<address>)". An image is a link to its address
// with its alt text, or the address when it has none.
struct LinkChange {
  cmark_node* node;
  bool unwrap;
  std::string autolink;  // or empty
};

LinkChange DecideLink(cmark_node* link, bool nested) {
  const std::string url = cmark_node_get_url(link);
  if (nested || !IsMarkdownLinkTarget(url)) return {link, true, {}};
  cmark_node* text = cmark_node_first_child(link);
  if (*cmark_node_get_title(link) != '\0' ||
      (text != nullptr &&
       (cmark_node_next(text) != nullptr || cmark_node_get_type(text) != CMARK_NODE_TEXT))) {
    return {link, false, {}};
  }
  const std::string shown = text == nullptr ? url : cmark_node_get_literal(text);
  if (shown == url && IsMarkdownAutolink(url)) return {link, false, "<" + url + ">"};
  if ("mailto:" + shown == url && IsPlainEmail(shown)) return {link, false, "<" + shown + ">"};
  return {link, false, {}};
}

void RewriteLink(const LinkChange& change) {
  cmark_node* link = change.node;
  if (change.unwrap) return Unwrap(link);
  if (!change.autolink.empty()) {
    InsertBefore(link, NewNode(CMARK_NODE_HTML_INLINE, change.autolink));
    cmark_node_free(link);
    return;
  }
  const std::string url = cmark_node_get_url(link);
  if (cmark_node_first_child(link) == nullptr) cmark_node_append_child(link, NewNode(CMARK_NODE_TEXT, url));
  Enclose(link, "[", MarkdownLinkEnd(url, cmark_node_get_title(link)));
}

// The lines of literal without their surrounding blanks.
std::vector<std::string> TrimmedLines(const std::string& literal) {
  std::vector<std::string> lines;
  for (size_t start = 0; start <= literal.size();) {
    const size_t end = std::min(literal.find('\n', start), literal.size());
    std::string line = literal.substr(start, end - start);
    line.erase(0, std::min(line.size(), line.find_first_not_of(" \t")));
    lines.push_back(line.erase(line.find_last_not_of(" \t") + 1));
    start = end + 1;
  }
  return lines;
}

// Raw inline HTML as the text it is made of, its line breaks kept.
void RewriteInlineHtml(cmark_node* html, bool in_heading) {
  const std::vector<std::string> lines = TrimmedLines(cmark_node_get_literal(html));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) InsertLineBreak(html, in_heading);
    for (cmark_node* piece : TextNodes(lines[i])) InsertBefore(html, piece);
  }
  cmark_node_free(html);
}

// A raw HTML block as paragraphs of its text, one per run of lines, with its line breaks.
void RewriteHtmlBlock(cmark_node* html) {
  cmark_node* paragraph = nullptr;
  for (const std::string& line : TrimmedLines(cmark_node_get_literal(html))) {
    if (line.empty()) {
      paragraph = nullptr;
      continue;
    }
    if (paragraph == nullptr) {
      paragraph = NewNode(CMARK_NODE_PARAGRAPH);
      InsertBefore(html, paragraph);
    } else {
      cmark_node_append_child(paragraph, NewNode(CMARK_NODE_HTML_INLINE, "\\"));
      cmark_node_append_child(paragraph, NewNode(CMARK_NODE_SOFTBREAK));
    }
    for (cmark_node* piece : TextNodes(line)) cmark_node_append_child(paragraph, piece);
  }
  cmark_node_free(html);
}

// The nodes of a document that are to change, found in one walk (the tree changes after it).
struct Changes {
  int depth = 0;  // the deepest nesting of nodes
  std::vector<LinkChange> links;
  std::vector<std::pair<cmark_node*, bool>> breaks;        // soft and hard, and whether in a heading
  std::vector<std::pair<cmark_node*, bool>> html_inlines;  // and whether in a heading
  std::vector<cmark_node*> texts_with_autolink_starts, html_blocks, code_spans, lists_before_lists_or_code,
      struck_in_cells;
};

// Makes the document safe to write: headings move down by section_level, and code blocks carry an info
// string (so that the writer fences them: an indented block in a tight list item would join the
// paragraph before it); the rest is collected into changes.
Changes Walk(cmark_node* root, int section_level) {
  Changes changes;
  int links = 0, headings = 0, cells = 0, depth = 0;
  const std::unique_ptr<cmark_iter, void (*)(cmark_iter*)> iter(cmark_iter_new(root), cmark_iter_free);
  for (cmark_event_type event; (event = cmark_iter_next(iter.get())) != CMARK_EVENT_DONE;) {
    cmark_node* node = cmark_iter_get_node(iter.get());
    const int step = event == CMARK_EVENT_ENTER ? 1 : -1;
    if (!IsLeaf(node)) depth += step;
    changes.depth = std::max(changes.depth, depth + (IsLeaf(node) ? 1 : 0));
    switch (cmark_node_get_type(node)) {
      case CMARK_NODE_LINK:
      case CMARK_NODE_IMAGE:
        if (step > 0) changes.links.push_back(DecideLink(node, links > 0));
        links += step;
        break;
      case CMARK_NODE_HEADING:
        if (step > 0) {
          cmark_node_set_heading_level(node, std::min(6, cmark_node_get_heading_level(node) + section_level));
        }
        headings += step;
        break;
      case CMARK_NODE_SOFTBREAK:
      case CMARK_NODE_LINEBREAK:
        changes.breaks.emplace_back(node, headings > 0);
        break;
      case CMARK_NODE_TEXT:
        if (FindAutolinkStart(cmark_node_get_literal(node)) != std::string_view::npos) {
          changes.texts_with_autolink_starts.push_back(node);
        }
        break;
      case CMARK_NODE_HTML_INLINE:
        changes.html_inlines.emplace_back(node, headings > 0);
        break;
      case CMARK_NODE_HTML_BLOCK:
        changes.html_blocks.push_back(node);
        break;
      case CMARK_NODE_CODE:
        changes.code_spans.push_back(node);
        break;
      case CMARK_NODE_CODE_BLOCK: {
        // A backtick in the info string would make the writer fence with tildes it does not count.
        std::string info = cmark_node_get_fence_info(node);
        std::erase(info, '`');
        cmark_node_set_fence_info(node, info.empty() ? "text" : info.c_str());
        break;
      }
      case CMARK_NODE_LIST:
        if (cmark_node* next = cmark_node_next(node); step < 0 && next != nullptr &&
                                                      (cmark_node_get_type(next) == CMARK_NODE_LIST ||
                                                       cmark_node_get_type(next) == CMARK_NODE_CODE_BLOCK)) {
          changes.lists_before_lists_or_code.push_back(node);
        }
        break;
      default:
        if (HasType(node, "table_cell")) cells += step;
        // The writer escapes "|" in a table cell, except inside a strikethrough.
        if (step > 0 && cells > 0 && HasType(node, "strikethrough")) changes.struck_in_cells.push_back(node);
        break;
    }
  }
  return changes;
}

void Apply(const Changes& changes) {
  // Texts first: an autolink replaces its link with the text in it.
  for (cmark_node* text : changes.texts_with_autolink_starts) {
    for (cmark_node* piece : TextNodes(cmark_node_get_literal(text))) InsertBefore(text, piece);
    cmark_node_free(text);
  }
  for (const LinkChange& link : changes.links) RewriteLink(link);
  for (cmark_node* node : changes.struck_in_cells) Enclose(node, "~~", "~~");
  for (auto [html, in_heading] : changes.html_inlines) RewriteInlineHtml(html, in_heading);
  for (cmark_node* html : changes.html_blocks) RewriteHtmlBlock(html);
  for (cmark_node* code : changes.code_spans) {
    InsertBefore(code, NewNode(CMARK_NODE_HTML_INLINE, MarkdownCodeSpan(cmark_node_get_literal(code))));
    cmark_node_free(code);
  }
  for (auto [line_break, in_heading] : changes.breaks) {
    if (cmark_node_get_type(line_break) == CMARK_NODE_SOFTBREAK) {
      // A soft break stays, after a backslash outside a heading.
      if (!in_heading) InsertBefore(line_break, NewNode(CMARK_NODE_HTML_INLINE, "\\"));
      continue;
    }
    InsertLineBreak(line_break, in_heading);
    cmark_node_free(line_break);
  }
  // Between a list and a list or code block after it the writer would put an HTML comment; an empty
  // block in between gives the blank line that separates them.
  for (cmark_node* list : changes.lists_before_lists_or_code) {
    cmark_node* separator = NewNode(CMARK_NODE_CUSTOM_BLOCK);
    cmark_node_set_on_enter(separator, "");
    cmark_node_set_on_exit(separator, "");
    if (!cmark_node_insert_after(list, separator)) cmark_node_free(separator);
  }
}

// The most bytes between two empty lines of its text for which a piece is read as Markdown: the
// library's inline parser takes time that grows faster than the length of a paragraph.
constexpr size_t kMaxParagraph = size_t{64} << 10;

// Whether text holds more than limit bytes without an empty line.
bool HasLongerParagraph(std::string_view text, size_t limit) {
  size_t start = 0;
  for (size_t blank; (blank = text.find("\n\n", start)) != std::string_view::npos; start = blank + 2) {
    if (blank - start > limit) return true;
  }
  return text.size() - start > limit;
}

// A piece of the author's text made safe as MarkdownAuthorText does, read after definitions.
std::string AuthorTextPiece(std::string_view definitions, std::string_view text, int section_level) {
  if (HasLongerParagraph(text, kMaxParagraph)) return MarkdownCodeBlock(text);
  std::optional<std::string> markdown;
  std::string uncertain;  // what was written, when a line scan cannot tell whether it reads back safe
  {
    // The tree, its changes and what the writer writes live in the arena and go with it at once.
    const MarkdownArena arena;
    cmark_node* root = ParseGfmWith(MarkdownArena::mem(), {definitions, "\n", text}, CMARK_OPT_DEFAULT);
    const Changes changes = Walk(root, std::clamp(section_level, 0, 6));
    // The writer takes time in proportion to the depth for every character it writes; no real text
    // nests this deep.
    if (changes.depth > kMaxDepth) return MarkdownCodeBlock(text);
    Apply(changes);
    const char* written = cmark_render_commonmark_with_mem(root, CMARK_OPT_DEFAULT, 0, MarkdownArena::mem());
    markdown = ScanBackMarkdown(written);
    if (!markdown) uncertain = written;
  }
  if (!markdown) markdown = ParseBackMarkdown(uncertain);
  if (!markdown) return MarkdownCodeBlock(text);
  return *std::move(markdown);
}

}  // namespace

void WriteMarkdownAuthorText(std::string_view text, int section_level,
                             const std::function<void(std::string_view)>& write) {
  // A long text goes through in pieces, so that the memory of its trees stays small; a piece with a
  // paragraph longer than kMaxParagraph is shown as code.
  const std::vector<MarkdownPiece> pieces = MarkdownPieces(text, kPieceSize);
  if (pieces.size() == 1) {
    if (const std::string markdown = AuthorTextPiece({}, text, section_level); !markdown.empty()) write(markdown);
    return;
  }
  bool first = true;
  for (const MarkdownPiece& piece : pieces) {
    const std::string markdown = AuthorTextPiece(piece.definitions, piece.text, section_level);
    if (markdown.empty()) continue;
    if (!std::exchange(first, false)) write("\n");
    write(markdown);
  }
  MarkdownArena::ReleaseSpareChunks();
}

std::string MarkdownAuthorText(std::string_view text, int section_level) {
  std::string out;
  WriteMarkdownAuthorText(text, section_level, [&](std::string_view part) { out += part; });
  return out;
}

}  // namespace quillory
