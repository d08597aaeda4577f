#pragma once

#include <QPlainTextEdit>

#include "ports/views.h"

namespace quillory {

// The read-only Preview Text memo, showing Windows-1252 text.
class PreviewText : public QPlainTextEdit, public PreviewTextView {
  Q_OBJECT

 public:
  explicit PreviewText(QWidget* parent = nullptr);
  void SetText(const std::string& bytes) override;
};

}  // namespace quillory
