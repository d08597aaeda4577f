#pragma once

#include <string>
#include <string_view>

namespace quillory {

// The encoding a project document is written in. A document keeps it from save to save; a new one is
// Windows-1252 until it first holds a character that code page lacks.
enum class DocumentEncoding {
  kWindows1252,
  kUtf8,          // without a byte-order mark
  kUtf8WithMark,  // after the mark EF BB BF
  kUtf16Le,       // after the mark FF FE
  kUtf16Be,       // after the mark FE FF
};

// The encoding of a document's bytes: a UTF-16 mark, then a UTF-8 mark, decide; without a mark, bytes that
// are well-formed UTF-8 and hold at least one multi-byte sequence are UTF-8; anything else (plain ASCII
// included) is Windows-1252.
DocumentEncoding DetectDocumentEncoding(std::string_view bytes);

// A document's bytes as its INI text: a UTF-16 document decoded to UTF-8 (without its mark); any other as
// its own bytes, whose INI structure is ASCII in both Windows-1252 and UTF-8.
struct DocumentText {
  std::string text;
  DocumentEncoding encoding;
  bool well_formed;  // for UTF-8 text: it holds no malformed sequence (always so for UTF-16)
};
DocumentText DecodeDocument(std::string bytes);

// The document's bytes for INI text in encoding: UTF-16 text (UTF-8 in text) encoded with its mark; any
// other as it is.
std::string EncodeDocument(std::string text, DocumentEncoding encoding);

// Whether the encoding is one of the UTF forms, which hold every character.
inline bool IsUnicodeEncoding(DocumentEncoding encoding) {
  return encoding != DocumentEncoding::kWindows1252;
}

}  // namespace quillory
