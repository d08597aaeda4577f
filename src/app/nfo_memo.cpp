#include "app/nfo_memo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include "app/paste_guard.h"
#include "text/codepage.h"

namespace quillory {

QString Cp437Text(const std::string& bytes) {
  std::string lf;
  lf.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    lf += bytes[i];
  }
  return QString::fromStdString(Cp437ToUtf8(lf));
}

std::string Cp437Bytes(const QString& text) {
  QString lines = text;
  // The editor separates paragraphs with U+2029 in its raw text; keep U+00A0 (CP437 0xFF) as it is.
  lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
  const std::string bytes = Utf8ToCp437(lines.toStdString());
  std::string crlf;
  crlf.reserve(bytes.size() + bytes.size() / 16);
  for (char c : bytes) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

QString KeepToCp437(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  const std::u32string characters = text.toStdU32String();
  for (char32_t ch : characters) {
    if (ch == U'\n' || ch == U'\t' || ch == QChar::ParagraphSeparator || UnicodeToCp437(ch)) {
      kept += QString::fromStdU32String(std::u32string(1, ch));
    } else {
      kept += QLatin1Char('?');
    }
  }
  return kept;
}

NfoMemo::NfoMemo(QWidget* parent) : QPlainTextEdit(parent) {}

std::string NfoMemo::Bytes() { return Cp437Bytes(document()->toRawText()); }

void NfoMemo::SetBytes(const std::string& bytes) { setPlainText(Cp437Text(bytes)); }

void NfoMemo::ReplaceSelection(const std::string& bytes) {
  QTextCursor cursor = textCursor();
  cursor.insertText(Cp437Text(bytes));
  setTextCursor(cursor);
}

void NfoMemo::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() && KeepToCp437(text) != text && !isReadOnly()) {
    textCursor().insertText(KeepToCp437(text));
    ensureCursorVisible();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void NfoMemo::inputMethodEvent(QInputMethodEvent* event) {
  if (KeepToCp437(event->commitString()) == event->commitString()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent kept(event->preeditString(), event->attributes());
  kept.setCommitString(KeepToCp437(event->commitString()), event->replacementStart(),
                       event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&kept);
}

bool NfoMemo::canInsertFromMimeData(const QMimeData* source) const { return HasPasteText(source); }

void NfoMemo::insertFromMimeData(const QMimeData* source) {
  if (HasPasteText(source)) {
    textCursor().insertText(KeepToCp437(source->text()));
    ensureCursorVisible();
  }
}

}  // namespace quillory
