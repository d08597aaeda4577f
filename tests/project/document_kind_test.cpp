#include "project/document_kind.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

// A text as UTF-16 after its byte-order mark.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

TEST(DocumentKind, ProjectDocumentsAreEmptyOrHoldAnHtmlOrReadmeSection) {
  const struct {
    const char* name;
    std::string bytes;
    bool document;
  } cases[] = {
      {"nothing at all", "", true},
      {"blank lines only", " \r\n\t\n\r", true},
      {"a readme section", "[readme]\r\nprogram_name=Tool\r\n", true},
      {"an html section without keys", "[html]", true},
      {"names ignore case and blanks", "; made by hand\n  [ ReadMe ]  \nx=1\n", true},
      {"after a UTF-8 byte-order mark", "\xEF\xBB\xBF[readme]\r\n", true},
      {"UTF-16, little end first", Utf16(u"[readme]\r\nversion=1\r\n", false), true},
      {"notes", "Buy milk\r\nand bread\r\n", false},
      {"a section of another name", "[readme2]\r\nprogram_name=x\r\n", false},
      {"a key named like a section", "html=1\r\nreadme=2\r\n", false},
      {"a bracket never closed", "[readme\r\nprogram_name=x\r\n", false},
      {"a comment naming the section", "; [readme]\r\n", false},
      {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\r[readme]", 20), false},
      {"UTF-16 notes", Utf16(u"Buy milk", false), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsProjectDocumentBytes(c.bytes), c.document) << c.name;
}

}  // namespace
}  // namespace quillory
