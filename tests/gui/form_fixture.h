#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QString>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"

QT_BEGIN_NAMESPACE
// Failure messages show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quillory::testing {

// A main window on fake ports: scripted dialogs, a recording shell, a fixed clock, an in-memory
// association store (unless a test gives another), a temporary page in a fresh folder, and an Exit that
// only counts.
class FormTest : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  FakeShell shell;
  FakeClock clock;
  FakeAssociationStore association;
  TempDir dir;
  int exits = 0;
  std::unique_ptr<TForm1> form;

  std::string TemporaryPage() const { return dir.File("quillory_temp.html"); }

  // Creates, shows and activates the window, as the program does at start.
  TForm1& Start(std::vector<std::string> arguments = {}, AssociationStore* store = nullptr,
                const std::string& exe_path = "/opt/quillory/quillory");

  // The widget of that control name (fails the test when missing).
  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = form->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Gives the control the focus and presses the key sequence (its first key) there.
  void Press(QWidget* control, const QKeySequence& keys);
  void Press(const char* control, const QKeySequence& keys) { Press(Find<QWidget>(control), keys); }
  // Types text into the control, key by key.
  void Type(const char* control, const QString& text);
  QString Text(const char* control);
};

}  // namespace quillory::testing
