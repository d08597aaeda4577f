#include "app/fact_binding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/text_bridge.h"

namespace quillory {

FactBinding::FactBinding(QLineEdit* line, std::string ReadmeProject::*member, ReadmeProject& record)
    : line_(line), member_(member), multi_line_(false), record_(record) {
  edited_ = QObject::connect(line_, &QLineEdit::textChanged, line_, [this] { Store(); });
}

FactBinding::FactBinding(QPlainTextEdit* area, std::string ReadmeProject::*member, ReadmeProject& record)
    : area_(area), member_(member), multi_line_(true), record_(record) {
  edited_ = QObject::connect(area_, &QPlainTextEdit::textChanged, area_, [this] { Store(); });
}

FactBinding::~FactBinding() { QObject::disconnect(edited_); }

void FactBinding::Show() {
  const QString text = FromRecordText(record_.*member_, multi_line_);
  if (text == ControlText()) return;
  showing_ = true;
  SetControlText(text, 0);  // the start of the text in view
  showing_ = false;
}

void FactBinding::Store() {
  if (showing_) return;
  record_.*member_ = ToRecordText(ControlText(), multi_line_);
}

QString FactBinding::ControlText() const {
  if (line_) return line_->text();
  if (area_) return area_->toPlainText();
  return {};
}

void FactBinding::SetControlText(const QString& text, int caret) {
  if (line_) {
    line_->setText(text);
    line_->setCursorPosition(caret);
  } else if (area_) {
    area_->setPlainText(text);
    QTextCursor cursor = area_->textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(area_->document()->characterCount() - 1)));
    area_->setTextCursor(cursor);
  }
}

}  // namespace quillory
