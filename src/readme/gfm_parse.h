#pragma once

// libcmark-gfm for the Markdown README's own files; its types stay out of every other header.

#include <cmark-gfm.h>

#include <initializer_list>
#include <memory>
#include <string_view>

namespace quillory {

struct FreeGfmNode {
  void operator()(cmark_node* node) const { cmark_node_free(node); }
};
using GfmNodePtr = std::unique_ptr<cmark_node, FreeGfmNode>;

// The document that GitHub's parser (CommonMark and the table, strikethrough, autolink and tasklist
// extensions; invalid UTF-8 replaced) makes of the pieces of markdown, read one after the other. Throws
// Error when the library lacks an extension.
GfmNodePtr ParseGfm(std::initializer_list<std::string_view> markdown, int options);

// ParseGfm with every allocation from mem; the document is freed with what mem gave out (for an arena,
// when the arena goes).
cmark_node* ParseGfmWith(cmark_mem* mem, std::initializer_list<std::string_view> markdown, int options);

}  // namespace quillory
