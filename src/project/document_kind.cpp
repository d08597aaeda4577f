#include "project/document_kind.h"

#include <string>

#include "project/document_encoding.h"
#include "project/ini_file.h"
#include "project/project_file.h"
#include "text/codepage.h"

namespace quillory {
namespace {

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

bool IsProjectDocumentBytes(std::string_view bytes) {
  if (!IsProjectDocumentText(bytes)) return false;
  // Only a UTF-16 document needs a copy, as UTF-8; any other is scanned where it lies.
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  const std::string text = utf16 ? DecodeDocument(std::string(bytes)).text : std::string();
  std::string_view body = utf16 ? std::string_view(text) : bytes;
  if (body.starts_with(kUtf8Bom)) body.remove_prefix(kUtf8Bom.size());
  return IsBlankText(body) || HoldsIniSection(body, {"html", "readme"});
}

}  // namespace quillory
