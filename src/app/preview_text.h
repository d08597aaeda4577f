#pragma once

#include <QPlainTextEdit>

#include "ports/views.h"

namespace quillory {

// The read-only Preview Text memo, showing the text README decoded by its encoding.
class PreviewText : public QPlainTextEdit, public PreviewTextView {
  Q_OBJECT

 public:
  explicit PreviewText(QWidget* parent = nullptr);
  void SetText(const std::string& bytes) override;
};

}  // namespace quillory
