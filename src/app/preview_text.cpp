#include "app/preview_text.h"

#include "app/text_bridge.h"
#include "text/codepage.h"

namespace quillory {

PreviewText::PreviewText(QWidget* parent) : QPlainTextEdit(parent) { setReadOnly(true); }

void PreviewText::SetText(const std::string& bytes) {
  // The built text ends with a line break after its last line; the memo shows no empty line for it.
  std::string_view text(bytes);
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  // UTF-8 after a byte-order mark, else Windows-1252.
  if (text.starts_with(kUtf8Bom)) {
    text.remove_prefix(kUtf8Bom.size());
    setPlainText(FromRecordText(text, true));
  } else {
    setPlainText(FromRecordText(Cp1252ToUtf8(text), true));
  }
}

}  // namespace quillory
