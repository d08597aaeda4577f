#pragma once

#include <string>

#include "render/render.h"

namespace quillory::testing {

// One golden case: a folder of tests/data holding project.qlx and the bytes a format must give for it.
struct Golden {
  const char* folder;
  Format format;
  const char* expected;
};

// Every golden file, each with the format that must reproduce it byte for byte.
inline constexpr Golden kGoldens[] = {
    {"name_only", Format::kText, "readme.txt"},
    {"name_only", Format::kHtml, "readme.html"},
    {"name_only", Format::kHtmlPreview, "readme.html"},
    {"name_only", Format::kNfo, "readme.nfo"},
    {"name_only", Format::kMarkdown, "readme.md"},
    {"name_copyright", Format::kText, "readme.txt"},
    {"name_copyright", Format::kHtml, "readme.html"},
    {"name_copyright", Format::kNfo, "readme.nfo"},
    {"name_copyright", Format::kMarkdown, "readme.md"},
    {"full", Format::kText, "readme.txt"},
    {"full", Format::kHtml, "readme.html"},
    {"full", Format::kHtmlPreview, "preview.html"},
    {"full", Format::kNfo, "readme.nfo"},
    {"full", Format::kMarkdown, "readme.md"},
    {"nfo_example", Format::kNfo, "readme.nfo"},
    {"nfo_example", Format::kMarkdown, "readme.md"},
    {"text_example", Format::kText, "readme.txt"},
    {"text_example", Format::kMarkdown, "readme.md"},
    {"sha256", Format::kText, "readme.txt"},
    {"sha256", Format::kHtml, "readme.html"},
    {"sha256", Format::kNfo, "readme.nfo"},
    {"sha256", Format::kMarkdown, "readme.md"},
    // A UTF-8 document (no byte-order mark) in many scripts: the text README in UTF-8, references on the
    // page, transliterations and "?" in the NFO.
    {"world", Format::kText, "readme.txt"},
    {"world", Format::kHtml, "readme.html"},
    {"world", Format::kNfo, "readme.nfo"},
    {"world", Format::kMarkdown, "readme.md"},
    {"keep_a_changelog", Format::kMarkdown, "readme.md"},
};

// The folder of a golden case.
inline std::string GoldenFolder(const Golden& golden) {
  return std::string(QUILLORY_TEST_DATA) + "/" + golden.folder;
}

}  // namespace quillory::testing
