#pragma once

#include <QMetaObject>
#include <QString>
#include <string>

#include "project/readme_project.h"

class QLineEdit;
class QPlainTextEdit;

namespace quillory {

// Binds one Editor control (a one-line field, the licence-type box's line or a text area) to one fact of
// the record. Every edit is stored in the record at once, as UTF-8 with every character kept.
class FactBinding {
 public:
  FactBinding(QLineEdit* line, std::string ReadmeProject::*member, ReadmeProject& record);
  FactBinding(QPlainTextEdit* area, std::string ReadmeProject::*member, ReadmeProject& record);
  FactBinding(const FactBinding&) = delete;
  FactBinding& operator=(const FactBinding&) = delete;
  // Stops listening to the control, which may outlive the binding and the record while the window is
  // torn down.
  ~FactBinding();

  // Puts the record's value into the control when it differs from what the control shows (so an
  // unchanged field keeps its caret and selection).
  void Show();

 private:
  void Store();
  QString ControlText() const;
  // Replaces the control's text, putting the caret at `caret` (in characters of the new text).
  void SetControlText(const QString& text, int caret);

  QLineEdit* line_ = nullptr;
  QPlainTextEdit* area_ = nullptr;
  std::string ReadmeProject::*member_;
  bool multi_line_;
  ReadmeProject& record_;
  bool showing_ = false;
  QMetaObject::Connection edited_;
};

}  // namespace quillory
