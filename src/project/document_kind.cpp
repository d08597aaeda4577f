#include "project/document_kind.h"

#include <string>

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
  std::string text = DocumentAs8Bit(std::string(bytes));
  std::string_view body = text;
  if (body.starts_with(kUtf8Bom)) body.remove_prefix(kUtf8Bom.size());
  if (IsBlankText(body)) return true;
  const IniDocument document{std::move(text)};
  return document.HasSection("html") || document.HasSection("readme");
}

}  // namespace quillory
