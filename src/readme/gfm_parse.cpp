#include "readme/gfm_parse.h"

#include <cmark-gfm-core-extensions.h>

#include <mutex>
#include <string>

#include "common/error.h"

namespace quillory {

cmark_node* ParseGfmWith(cmark_mem* mem, std::initializer_list<std::string_view> markdown, int options) {
  static std::once_flag registered;
  std::call_once(registered, cmark_gfm_core_extensions_ensure_registered);
  // One parse at a time: the table extension keeps scratch memory in a global arena.
  static std::mutex parsing;
  const std::lock_guard lock(parsing);
  const std::unique_ptr<cmark_parser, void (*)(cmark_parser*)> parser(
      cmark_parser_new_with_mem(options | CMARK_OPT_VALIDATE_UTF8, mem), cmark_parser_free);
  for (const char* name : {"table", "strikethrough", "autolink", "tasklist"}) {
    cmark_syntax_extension* extension = cmark_find_syntax_extension(name);
    if (extension == nullptr) throw Error(std::string("libcmark-gfm has no ") + name + " extension");
    cmark_parser_attach_syntax_extension(parser.get(), extension);
  }
  for (std::string_view piece : markdown) cmark_parser_feed(parser.get(), piece.data(), piece.size());
  return cmark_parser_finish(parser.get());
}

GfmNodePtr ParseGfm(std::initializer_list<std::string_view> markdown, int options) {
  return GfmNodePtr(ParseGfmWith(cmark_get_default_mem_allocator(), markdown, options));
}

}  // namespace quillory
