#include "project/document_encoding.h"

#include "text/codepage.h"

namespace quillory {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace

DocumentEncoding DetectDocumentEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) return DocumentEncoding::kUtf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return DocumentEncoding::kUtf16Be;
  if (bytes.starts_with(kUtf8Bom)) return DocumentEncoding::kUtf8WithMark;
  const size_t first = FindNonAscii(bytes);
  if (first == bytes.size()) return DocumentEncoding::kWindows1252;
  // The first bytes that are not ASCII decide quickly for a Windows-1252 document, whose letters are
  // almost never the start of a well-formed sequence.
  return IsValidUtf8(bytes.substr(first)) ? DocumentEncoding::kUtf8 : DocumentEncoding::kWindows1252;
}

DocumentText DecodeDocument(std::string bytes) {
  const DocumentEncoding encoding = DetectDocumentEncoding(bytes);
  switch (encoding) {
    case DocumentEncoding::kUtf16Le:
    case DocumentEncoding::kUtf16Be:
      return {Utf16ToUtf8(std::string_view(bytes).substr(2), encoding == DocumentEncoding::kUtf16Be),
              encoding, true};
    case DocumentEncoding::kUtf8WithMark: {
      const bool well_formed = IsValidUtf8(std::string_view(bytes).substr(kUtf8Bom.size()));
      return {std::move(bytes), encoding, well_formed};
    }
    case DocumentEncoding::kUtf8:
      return {std::move(bytes), encoding, true};
    case DocumentEncoding::kWindows1252:
      break;
  }
  return {std::move(bytes), encoding, false};
}

std::string EncodeDocument(std::string text, DocumentEncoding encoding) {
  switch (encoding) {
    case DocumentEncoding::kUtf16Le:
      return std::string(kUtf16LeMark) + Utf8ToUtf16(text, false);
    case DocumentEncoding::kUtf16Be:
      return std::string(kUtf16BeMark) + Utf8ToUtf16(text, true);
    default:
      return text;
  }
}

}  // namespace quillory
