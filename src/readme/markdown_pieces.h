#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// A stretch of the author's Markdown that reads alone as it reads in the whole text, once definitions
// (the link reference definitions it uses from anywhere in the text, one per line) stand before it.
struct MarkdownPiece {
  std::string_view text;
  std::string definitions;
};

// text (UTF-8, LF) cut into pieces of at least min_size bytes where it can be: before a line at the
// margin after an empty line (outside code and raw HTML blocks; not a list item or quote, which could go
// on with the one before). The whole text is one piece when it is shorter, or when a line could define a
// link in a way the cut does not follow (a definition that goes on to the next line, or one that may
// not be one).
std::vector<MarkdownPiece> MarkdownPieces(std::string_view text, size_t min_size);

}  // namespace quillory
