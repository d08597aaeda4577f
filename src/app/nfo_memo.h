#pragma once

#include <QPlainTextEdit>
#include <string>

#include "ports/views.h"

namespace quillory {

// The NFO memo: an editor whose text is CP437 bytes, shown as the CP437 glyph of each byte in a
// monospaced font whose box pieces join from line to line. A typed or pasted character CP437 lacks is
// replaced by "?" at once, so what the user sees is what will be saved.
class NfoMemo : public QPlainTextEdit, public NfoMemoView {
  Q_OBJECT

 public:
  explicit NfoMemo(QWidget* parent = nullptr);

  // The memo's text as CP437 bytes, CR LF between lines.
  std::string Bytes() override;
  void SetBytes(const std::string& bytes) override;
  // Replaces the selection (or inserts at the caret); the caret ends after the bytes. Undoable.
  void ReplaceSelection(const std::string& bytes) override;

 protected:
  // Typing, pasting and input methods all pass through here, so no character CP437 lacks gets in.
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

// The text with every character CP437 lacks replaced by "?" (line breaks and tabs kept).
QString KeepToCp437(const QString& text);

// The glyphs of CP437 bytes (CR LF as line breaks), and a text's CP437 bytes with "?" for what it lacks.
QString Cp437Text(const std::string& bytes);
std::string Cp437Bytes(const QString& text);

}  // namespace quillory
