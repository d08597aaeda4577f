#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "gui/form_fixture.h"
#include "project/facts.h"

namespace quillory::testing {
namespace {

const QKeySequence kCtrlA(Qt::CTRL | Qt::Key_A), kCtrlC(Qt::CTRL | Qt::Key_C), kCtrlN(Qt::CTRL | Qt::Key_N),
    kCtrlO(Qt::CTRL | Qt::Key_O), kCtrlS(Qt::CTRL | Qt::Key_S), kCtrlX(Qt::CTRL | Qt::Key_X), kF6(Qt::Key_F6);

using CommandsTest = FormTest;

TEST_F(CommandsTest, TypingAndCtrlSSaveThroughTheDialogWithTheTitleRules) {
  Start();
  Press("Edit1", kCtrlS);  // no program name: only the message
  EXPECT_EQ(dialogs.informations, std::vector<std::string>{"Program Name is required!"});
  EXPECT_TRUE(dialogs.save_requests.empty());

  Type("Edit1", "Tool");
  Type("Memo1", "one\ntwo");
  dialogs.AnswerSave(dir.File("notes.txt"));
  Press("Edit1", kCtrlS);
  ASSERT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_EQ(dialogs.save_requests[0].filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(dialogs.save_requests[0].file_name, "");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - notes.qlx");
  const std::string saved = ReadFile(dir.File("notes.qlx"));
  EXPECT_NE(saved.find("program_name=Tool\r\n"), std::string::npos);
  EXPECT_NE(saved.find("descript_uses=one\xA4two\r\n"), std::string::npos);

  // With a document: no dialog, the title stays, the file is rewritten.
  Type("Edit2", "v2");
  Press("Edit2", kCtrlS);
  EXPECT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - notes.qlx");
  EXPECT_NE(ReadFile(dir.File("notes.qlx")).find("version=v2\r\n"), std::string::npos);

  // A refused write is shown in the error box with its full stop; the window goes on.
  dialogs.save_answers.clear();
  Press("Edit1", kCtrlN);
  Type("Edit1", "Tool");
  dialogs.AnswerSave(dir.File("missing/a.qlx"));
  Press("Edit1", kCtrlS);
  EXPECT_EQ(dialogs.errors,
            std::vector<std::string>{"Unable to write to " + dir.File("missing/a.qlx") + "."});
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - a.qlx");
}

TEST_F(CommandsTest, OpenSetsTheFieldsTheCheckMarksAndTheTitle) {
  const std::string path = dir.File("release.qlx");
  WriteFile(path,
            "[html]\r\nchr=utf-8\r\n[readme]\r\nprogram_name=Tool\r\ncopyright=Me\xA9\r\nlicense_type=MPL\r\n"
            "news=a\xA4\xA4"
            "b\r\npaid=10\x80\r\n");
  Start();
  Type("Edit2", "gone after Open");
  dialogs.AnswerOpen(path);
  Press("Edit2", kCtrlO);
  ASSERT_EQ(dialogs.open_requests.size(), 1u);
  EXPECT_EQ(dialogs.open_requests[0].filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - release.qlx");
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(Text("Edit2"), "");
  EXPECT_EQ(Text("Edit3"), "Me©");
  EXPECT_EQ(Text("Edit15"), "10€");
  EXPECT_EQ(Text("ComboBox1"), "MPL");
  EXPECT_EQ(Text("Memo3"), "a\n\nb");
  EXPECT_EQ(form->record().news, "a\r\n\r\nb");
  EXPECT_TRUE(Find<QAction>("UTF81")->isChecked());
  EXPECT_FALSE(Find<QAction>("iso1")->isChecked());

  // A cancelled dialog changes nothing.
  Press("Edit1", kCtrlO);
  EXPECT_EQ(Text("Edit1"), "Tool");
}

TEST_F(CommandsTest, NewAndClearAllResetTheFactsAndNothingElse) {
  const std::string path = dir.File("a.qlx");
  WriteFile(path, "[html]\r\nc1=red\r\n[readme]\r\nprogram_name=Tool\r\nlicense_type=GPL\r\ntodo=x\r\n");
  Start({path});
  Find<QAction>("UTF81")->trigger();
  Find<QDateEdit>("DateTimePicker1")->setDate(QDate(2007, 1, 5));
  Find<QCheckBox>("CheckBox1")->setChecked(true);
  Find<QPlainTextEdit>("Memo5")->setPlainText("preview");
  Find<QPlainTextEdit>("Memo6")->setPlainText("nfo");

  Find<QAction>("Clearall1")->trigger();
  for (const Fact* fact : ReleaseFacts()) EXPECT_EQ(form->record().*fact->member, "") << fact->key;
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(Text("ComboBox1"), "");
  EXPECT_EQ(Text("Memo8"), "");
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->count(), 6);
  EXPECT_EQ(form->record().c1, "red");
  EXPECT_EQ(form->record().chr, "utf-8");
  EXPECT_EQ(form->record().document_path, path);
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - a.qlx");
  EXPECT_TRUE(Find<QAction>("UTF81")->isChecked());

  Type("Edit1", "Other");
  Find<QAction>("New1")->trigger();
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1");
  EXPECT_EQ(form->record().document_path, "");
  EXPECT_EQ(form->record().c1, "#f5f5f5");
  EXPECT_EQ(form->record().chr, "iso-8859-1");
  EXPECT_FALSE(Find<QAction>("UTF81")->isChecked());
  EXPECT_TRUE(Find<QAction>("iso1")->isChecked());

  // Neither touches the date picker, its check box, the previews or the NFO text.
  EXPECT_EQ(Find<QDateEdit>("DateTimePicker1")->date(), QDate(2007, 1, 5));
  EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_EQ(Text("Memo5"), "preview");
  EXPECT_EQ(Text("Memo6"), "nfo");
}

TEST_F(CommandsTest, ClipboardKeysEditInTextControlsAndRunTheMenuElsewhere) {
  Start();
  QClipboard* clipboard = QApplication::clipboard();
  QSignalSpy about(Find<QAction>("About2"), &QAction::triggered);
  QSignalSpy clear_all(Find<QAction>("Clearall1"), &QAction::triggered);

  Type("Edit1", "Tool");
  Type("Edit2", "v1");
  Press("Edit1", kCtrlA);
  EXPECT_EQ(Find<QLineEdit>("Edit1")->selectedText(), "Tool");
  Press("Edit1", kCtrlC);
  EXPECT_EQ(clipboard->text(), "Tool");
  Press("Edit1", kCtrlX);
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(form->record().program_name, "");
  EXPECT_EQ(Text("Edit2"), "v1");

  Type("Memo1", "line");
  Press("Memo1", kCtrlA);
  Press("Memo1", kCtrlC);
  EXPECT_EQ(clipboard->text(), "line");
  Type("ComboBox1", "GPL");
  Press("ComboBox1", kCtrlA);
  Press("ComboBox1", kCtrlX);
  EXPECT_EQ(clipboard->text(), "GPL");
  EXPECT_EQ(Text("ComboBox1"), "");

  Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  Find<QPlainTextEdit>("Memo5")->setPlainText("preview text");
  Press("Memo5", kCtrlA);
  Press("Memo5", kCtrlC);
  EXPECT_EQ(clipboard->text(), "preview text");
  Press("Memo5", kCtrlX);  // read-only: nothing happens, and above all no Exit
  Find<QTabWidget>("PageControl1")->setCurrentIndex(0);

  EXPECT_EQ(exits, 0);
  EXPECT_EQ(about.count(), 0);
  EXPECT_EQ(clear_all.count(), 0);
  EXPECT_EQ(Text("Edit2"), "v1");

  // On controls that hold no text the keys run Clear All, About and Exit, as the menu shows.
  Press("CheckBox1", kCtrlC);
  EXPECT_EQ(clear_all.count(), 1);
  EXPECT_EQ(Text("Edit2"), "");
  Type("Edit2", "v1");
  // The date picker shows a text with a caret: there the keys copy, cut and select its text.
  for (const QKeySequence& keys : {kCtrlC, kCtrlA, kCtrlX}) Press("DateTimePicker1", keys);
  EXPECT_EQ(clear_all.count(), 1);
  EXPECT_EQ(about.count(), 0);
  EXPECT_EQ(exits, 0);
  Press("Button19", kCtrlC);
  EXPECT_EQ(Text("Edit2"), "");
  Press("Button5", kCtrlA);
  EXPECT_EQ(about.count(), 1);
  Press("CheckBox1", kCtrlX);
  EXPECT_EQ(exits, 1);
}

TEST_F(CommandsTest, MenuKeysRunFromInsideATextArea) {
  Start();
  QSignalSpy save_as(Find<QAction>("Save1"), &QAction::triggered);
  Type("Edit1", "Tool");
  Type("Memo4", "GPL");
  Press("Memo4", kF6);
  EXPECT_EQ(save_as.count(), 1);
  ASSERT_EQ(dialogs.save_requests.size(), 1u);  // the Save As dialog, cancelled
  EXPECT_EQ(dialogs.save_requests[0].title, "Save As *.qlx or Export *.txt, *.html");
  dialogs.AnswerSave(dir.File("a.qlx"));
  Press("Memo4", kCtrlS);
  ASSERT_EQ(dialogs.save_requests.size(), 2u);
  EXPECT_EQ(dialogs.save_requests[1].filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(Text("Memo4"), "GPL");  // the key was not typed into the area
  Press("Memo2", kCtrlO);
  EXPECT_EQ(dialogs.open_requests.size(), 1u);
  Press("ComboBox1", kCtrlN);
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1");
}

TEST_F(CommandsTest, TypedTextIsStoredAsWindows1252AtOnce) {
  Start();
  Type("Edit1", "a→b");  // the arrow has no Windows-1252 byte: replaced in the field itself
  EXPECT_EQ(Text("Edit1"), "a?b");
  EXPECT_EQ(Find<QLineEdit>("Edit1")->cursorPosition(), 3);
  EXPECT_EQ(form->record().program_name, "a?b");
  Type("Edit3", "€©");
  EXPECT_EQ(form->record().copyright, "\x80\xA9");
  Type("Memo2", "x");
  QTest::keyClick(Find<QWidget>("Memo2"), Qt::Key_Return);
  Type("Memo2", "y");
  EXPECT_EQ(form->record().required, "x\r\ny");
  Find<QComboBox>("ComboBox1")->setCurrentIndex(3);  // picked from the list
  EXPECT_EQ(form->record().license_type, "Trial");
}

TEST_F(CommandsTest, TheCommandLineDocumentIsOpenedAtStart) {
  const std::string path = dir.File("my release.qlx");
  WriteFile(path,
            "[html]\r\nc2=navy\r\n[readme]\r\nprogram_name=Tool\r\nnews=a\xA4"
            "b\r\n");
  Start({path, dir.File("ignored.qlx")});
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1 - my release.qlx");
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(Text("Memo3"), "a\nb");
  EXPECT_EQ(form->record().c2, "navy");
  EXPECT_EQ(form->record().c1, "#f5f5f5");
  EXPECT_TRUE(Find<QAction>("iso1")->isChecked());
  EXPECT_TRUE(dialogs.errors.empty());

  for (const std::string& first : {dir.File("missing.qlx"), dir.path()}) {
    Start({first, path});
    EXPECT_EQ(form->windowTitle(), "Quillory v0.1") << first;
    EXPECT_EQ(Text("Edit1"), "") << first;
    EXPECT_EQ(form->record().document_path, "") << first;
    EXPECT_TRUE(dialogs.errors.empty()) << first;
  }
}

}  // namespace
}  // namespace quillory::testing
