#include "app/preview_text.h"

#include "app/text_bridge.h"

namespace quillory {

PreviewText::PreviewText(QWidget* parent) : QPlainTextEdit(parent) { setReadOnly(true); }

void PreviewText::SetText(const std::string& bytes) {
  // The built text ends with a line break after its last line; the memo shows no empty line for it.
  std::string_view text(bytes);
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  setPlainText(FromRecordText(text, true));
}

}  // namespace quillory
