#pragma once

// What GitHub's parser makes of a README.md, for the Markdown tests: cmark-gfm with the table,
// strikethrough, autolink and tasklist extensions, raw HTML let through as `cmark-gfm --unsafe` does.

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "readme/markdown_text.h"

namespace quillory::testing {

struct MarkdownPage {
  std::string html;
  std::string shown;                   // the text and code it shows, hard breaks as "\n"
  std::vector<std::string> hrefs;      // link targets, in order
  std::vector<std::string> code;       // code spans and blocks, in order
  std::vector<std::string> forbidden;  // nodes a README may not hold (raw HTML, images)
  std::vector<int> headings;           // heading levels, in order
  std::vector<int> blank_ended_lines;  // lines outside code that end in a blank or tab
  // What stands under each top-level h2 (the first under none): its heading, and what it shows.
  std::vector<std::pair<std::string, std::string>> sections = {{}};
};

inline MarkdownPage ReadMarkdown(const std::string& markdown) {
  cmark_gfm_core_extensions_ensure_registered();
  const std::unique_ptr<cmark_parser, void (*)(cmark_parser*)> parser(
      cmark_parser_new(CMARK_OPT_UNSAFE | CMARK_OPT_SOURCEPOS), cmark_parser_free);
  for (const char* name : {"table", "strikethrough", "autolink", "tasklist"}) {
    cmark_parser_attach_syntax_extension(parser.get(), cmark_find_syntax_extension(name));
  }
  cmark_parser_feed(parser.get(), markdown.data(), markdown.size());
  const std::unique_ptr<cmark_node, void (*)(cmark_node*)> root(cmark_parser_finish(parser.get()),
                                                                cmark_node_free);
  MarkdownPage page;
  char* html =
      cmark_render_html(root.get(), CMARK_OPT_UNSAFE, cmark_parser_get_syntax_extensions(parser.get()));
  page.html = html;
  free(html);
  std::set<int> code_lines;
  cmark_node* section_heading = nullptr;  // while inside one
  auto show = [&](const std::string& text) {
    page.shown += text;
    (section_heading ? page.sections.back().first : page.sections.back().second) += text;
  };
  const std::unique_ptr<cmark_iter, void (*)(cmark_iter*)> iter(cmark_iter_new(root.get()), cmark_iter_free);
  for (cmark_event_type event; (event = cmark_iter_next(iter.get())) != CMARK_EVENT_DONE;) {
    cmark_node* node = cmark_iter_get_node(iter.get());
    const cmark_node_type type = cmark_node_get_type(node);
    if (type == CMARK_NODE_HEADING && cmark_node_parent(node) == root.get() &&
        cmark_node_get_heading_level(node) == 2) {
      section_heading = event == CMARK_EVENT_ENTER ? node : nullptr;
      if (section_heading) page.sections.emplace_back();
    }
    if (event != CMARK_EVENT_ENTER) continue;
    if (type == CMARK_NODE_TEXT) show(cmark_node_get_literal(node));
    if (type == CMARK_NODE_SOFTBREAK) show(" ");
    if (type == CMARK_NODE_LINEBREAK) show("\n");
    if (type == CMARK_NODE_LINK) page.hrefs.push_back(cmark_node_get_url(node));
    if (type == CMARK_NODE_HEADING) page.headings.push_back(cmark_node_get_heading_level(node));
    if (type == CMARK_NODE_CODE || type == CMARK_NODE_CODE_BLOCK) {
      page.code.push_back(cmark_node_get_literal(node));
      show(page.code.back());
    }
    if (type == CMARK_NODE_CODE_BLOCK) {
      for (int line = cmark_node_get_start_line(node); line <= cmark_node_get_end_line(node); ++line) {
        code_lines.insert(line);
      }
    }
    if (type == CMARK_NODE_HTML_BLOCK || type == CMARK_NODE_HTML_INLINE || type == CMARK_NODE_IMAGE) {
      page.forbidden.push_back(cmark_node_get_type_string(node));
    }
  }
  int number = 0;
  std::istringstream lines(markdown);
  for (std::string line; std::getline(lines, line);) {
    if (!code_lines.count(++number) && (line.ends_with(' ') || line.ends_with('\t'))) {
      page.blank_ended_lines.push_back(number);
    }
  }
  return page;
}

// Every check a written README must pass: only the elements a README may show, no raw HTML or image,
// every link target allowed by the rule, no blank at a line end outside code, and a section heading
// after it still starts a section.
inline void ExpectSafeMarkdown(const std::string& markdown) {
  static const std::set<std::string> kAllowed = {"h1",    "h2",  "h3", "h4",         "h5",   "h6",    "p",
                                                 "ul",    "ol",  "li", "strong",     "em",   "del",   "a",
                                                 "code",  "pre", "br", "blockquote", "hr",   "table", "thead",
                                                 "tbody", "tr",  "th", "td",         "input"};
  const MarkdownPage page = ReadMarkdown(markdown);
  const std::regex tag("<(/?)([^\\s/>]+)");
  for (std::sregex_iterator it(page.html.begin(), page.html.end(), tag), end; it != end; ++it) {
    EXPECT_TRUE(kAllowed.count((*it)[2])) << (*it)[0] << " in\n" << page.html;
  }
  EXPECT_EQ(page.forbidden, std::vector<std::string>{}) << markdown;
  for (const std::string& href : page.hrefs) EXPECT_TRUE(IsMarkdownLinkTarget(href)) << href;
  EXPECT_EQ(page.blank_ended_lines, std::vector<int>{}) << markdown;
  EXPECT_EQ(ReadMarkdown(markdown + "\n## Next\n").sections.back(),
            std::make_pair(std::string("Next"), std::string()))
      << markdown;
}

}  // namespace quillory::testing
