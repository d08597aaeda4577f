#include "gui/form_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace quillory::testing {

TForm1& FormTest::Start(std::vector<std::string> arguments, AssociationStore* store,
                        const std::string& exe_path) {
  FormPorts ports{
      .dialogs = &dialogs,
      .shell = &shell,
      .clock = &clock,
      .association = store ? store : &association,
      .temporary_page = TemporaryPage(),
      .exe_path = exe_path,
      .arguments = std::move(arguments),
      .exit_program = [this] { ++exits; },
      .settings_file = dir.File("settings.ini"),
  };
  form = std::make_unique<TForm1>(std::move(ports));
  form->show();
  form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  return *form;
}

void FormTest::Press(QWidget* control, const QKeySequence& keys) {
  control->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), control);
  const QKeyCombination key = keys[0];
  QTest::keyClick(control, key.key(), key.keyboardModifiers());
}

void FormTest::Type(const char* control, const QString& text) {
  QWidget* widget = Find<QWidget>(control);
  widget->setFocus();
  for (const QChar c : text) {
    if (c == QLatin1Char('\n')) {
      QTest::keyClick(widget, Qt::Key_Return);
    } else if (c.unicode() < 0x80) {
      QTest::keyClicks(widget, QString(c));
    } else {  // a character no key of the test's keyboard has: sent as the text of a key press
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

QString FormTest::Text(const char* control) {
  QWidget* widget = Find<QWidget>(control);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) return area->toPlainText();
  ADD_FAILURE() << control << " holds no text";
  return {};
}

}  // namespace quillory::testing
