#include "app/qt_ports.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/application_icon.h"
#include "gui/form_fixture.h"

namespace quillory {
namespace {

constexpr std::string_view kSaveAsFilter =
    "Quillory file (*.qlx)|*.qlx|Text File (*.txt)|*.txt|(X)HTML 1.1 Document (*.html)|*.html"
    "|Markdown File (*.md)|*.md";

TEST(QtDialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters(kSaveAsFilter),
            QStringList({"Quillory file (*.qlx)", "Text File (*.txt)", "(X)HTML 1.1 Document (*.html)",
                         "Markdown File (*.md)"}));
  EXPECT_EQ(QtNameFilters("Texts|*.txt;*.text"), QStringList({"Texts (*.txt *.text)"}));
  EXPECT_TRUE(QtNameFilters("").isEmpty());
}

// Whether every button of the dialog has a mnemonic.
bool AllButtonsHaveMnemonics(const QWidget& dialog) {
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (!button->text().contains('&')) return false;
  }
  return true;
}

// Acts on the file dialog once it is open, as a user would.
void WhenTheDialogOpens(std::function<void(QFileDialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(AllButtonsHaveMnemonics(*dialog));
    act(*dialog);
  });
}

TEST(QtDialogs, FileDialogsReportThePathAndTheFilterSelectedAtTheEnd) {
  testing::TempDir dir;
  QtDialogs dialogs;
  WhenTheDialogOpens([&](QFileDialog& dialog) {
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.windowTitle(), "Save As *.qlx or Export *.txt, *.html");
    EXPECT_EQ(dialog.selectedNameFilter(), "Quillory file (*.qlx)");
    dialog.selectNameFilter("(X)HTML 1.1 Document (*.html)");
    dialog.selectFile(QString::fromStdString(dir.File("Tool Readme")));
    static_cast<QDialog&>(dialog).accept();  // the "Save" or "Open" button
  });
  auto saved = dialogs.SaveFile(
      {std::string(kSaveAsFilter), 1, "Tool Readme", "Save As *.qlx or Export *.txt, *.html"});
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->path, dir.File("Tool Readme"));
  EXPECT_EQ(saved->filter_index, 3);

  // The open dialog takes a typed name that does not exist; cancelling gives nothing.
  WhenTheDialogOpens([&](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(dir.File("new.qlx")));
    static_cast<QDialog&>(dialog).accept();  // the "Save" or "Open" button
  });
  auto opened = dialogs.OpenFile({"Quillory file (*.qlx)|*.qlx", 1, "", ""});
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->path, dir.File("new.qlx"));
  EXPECT_EQ(opened->filter_index, 1);
  WhenTheDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(dialogs.OpenFile({"Quillory file (*.qlx)|*.qlx", 1, "", ""}));
}

// The save dialog asks before replacing the file the name will have with the type's extension, and stays
// open when the answer is No.
TEST(QtDialogs, TheSaveDialogAsksBeforeReplacingTheFileTheTypeNames) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("a.qlx"), "[readme]\r\n");
  QtDialogs dialogs;
  QStringList questions;
  auto answer = [&](QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&questions, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      questions << box->text();
      box->button(button)->click();
    });
  };
  WhenTheDialogOpens([&](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(dir.File("a.txt")));  // becomes a.qlx
    answer(QMessageBox::No);
    static_cast<QDialog&>(dialog).accept();
    EXPECT_TRUE(dialog.isVisible());
    answer(QMessageBox::Yes);
    static_cast<QDialog&>(dialog).accept();
  });
  auto saved = dialogs.SaveFile({"Quillory file (*.qlx)|*.qlx", 1, "", ""});
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->path, dir.File("a.txt"));
  EXPECT_EQ(questions, QStringList(2, "a.qlx already exists.\nDo you want to replace it?"));
}

TEST(QtDialogs, TheColourDialogStartsAtTheColourGiven) {
  QtDialogs dialogs;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(0x12, 0xAB, 0xEF));
    EXPECT_TRUE(AllButtonsHaveMnemonics(*dialog));
    dialog->reject();
  });
  EXPECT_FALSE(dialogs.ChooseColor(0xEFAB12));
}

TEST(QtDialogs, SaveChangesQuestionReportsTheButtonAndEscapeCancels) {
  QtDialogs dialogs;
  auto when_asked = [](std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->text(), "Save changes to a.qlx?");
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Save));
      EXPECT_TRUE(AllButtonsHaveMnemonics(*box));
      act(*box);
    });
  };
  const std::pair<QMessageBox::StandardButton, SaveChangesAnswer> answers[] = {
      {QMessageBox::Save, SaveChangesAnswer::kSave},
      {QMessageBox::Discard, SaveChangesAnswer::kDiscard},
      {QMessageBox::Cancel, SaveChangesAnswer::kCancel}};
  for (const auto& [button, answer] : answers) {
    when_asked([button](QMessageBox& box) { box.button(button)->click(); });
    EXPECT_EQ(dialogs.AskSaveChanges("Save changes to a.qlx?"), answer);
  }
  when_asked([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(dialogs.AskSaveChanges("Save changes to a.qlx?"), SaveChangesAnswer::kCancel);
}

// A message that starts with characters of a right-to-left script still reads left to right.
TEST(QtDialogs, MessagesKeepTheProgramsDirection) {
  QtDialogs dialogs;
  const std::string messages[] = {"Saved.", "\xD8\xB9, \xE6\x97\xA5 have no CP437 form",
                                  "'\xD7\xA9.qlx' is locked"};
  for (const std::string& message : messages) {
    QTimer::singleShot(0, [message] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_FALSE(box->text().isRightToLeft()) << message;
      EXPECT_EQ(box->text().remove(QChar(0x200E)), QString::fromStdString(message));
      box->accept();
    });
    dialogs.ShowInformation(message);
  }
}

TEST(QtDialogs, AboutShowsTheApplicationIcon) {
  QtDialogs dialogs;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "About Quillory");
    EXPECT_EQ(box->text(), "Quillory v0.1");
    EXPECT_TRUE(AllButtonsHaveMnemonics(*box));
    EXPECT_EQ(box->iconPixmap().size(), QSize(64, 64));
    EXPECT_EQ(box->iconPixmap().toImage(), ApplicationIcon().pixmap(64).toImage());
    box->accept();
  });
  dialogs.ShowAbout("Quillory v0.1");
}

}  // namespace
}  // namespace quillory
