#pragma once

#include <QMimeData>

namespace quillory {

// Whether a paste source (the clipboard, the selection, a drop) holds text worth inserting. False for none
// at all, for one without text (an image) and for empty text: such a source must never reach Qt's own
// insertion, which crashes on some of them in Qt 6.4.
inline bool HasPasteText(const QMimeData* source) {
  return source != nullptr && source->hasText() && !source->text().isEmpty();
}

}  // namespace quillory
