#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "gui/form_fixture.h"
#include "project/facts.h"
#include "project/project_file.h"

namespace quillory::testing {
namespace {

const QKeySequence kCtrlA(Qt::CTRL | Qt::Key_A), kCtrlC(Qt::CTRL | Qt::Key_C), kCtrlN(Qt::CTRL | Qt::Key_N),
    kCtrlO(Qt::CTRL | Qt::Key_O), kCtrlS(Qt::CTRL | Qt::Key_S), kCtrlX(Qt::CTRL | Qt::Key_X),
    kCtrlV(Qt::CTRL | Qt::Key_V), kF6(Qt::Key_F6);

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
  EXPECT_EQ(form->windowTitle(), "notes.qlx[*] - Quillory v0.1");
  EXPECT_FALSE(form->isWindowModified());
  const std::string saved = ReadFile(dir.File("notes.qlx"));
  EXPECT_NE(saved.find("program_name=Tool\r\n"), std::string::npos);
  EXPECT_NE(saved.find("descript_uses=one\xA4two\r\n"), std::string::npos);

  // With a document: no dialog, the title stays, the file is rewritten. Typing marks the title modified.
  Type("Edit2", "v2");
  EXPECT_TRUE(form->isWindowModified());
  Press("Edit2", kCtrlS);
  EXPECT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_EQ(form->windowTitle(), "notes.qlx[*] - Quillory v0.1");
  EXPECT_NE(ReadFile(dir.File("notes.qlx")).find("version=v2\r\n"), std::string::npos);

  // A refused write is shown in the error box with its full stop; the window goes on.
  dialogs.save_answers.clear();
  Press("Edit1", kCtrlN);
  Type("Edit1", "Tool");
  dialogs.AnswerSave(dir.File("missing/a.qlx"));
  Press("Edit1", kCtrlS);
  EXPECT_EQ(dialogs.errors,
            std::vector<std::string>{"Unable to write to " + dir.File("missing/a.qlx") + "."});
  EXPECT_EQ(form->windowTitle(), "a.qlx[*] - Quillory v0.1");
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
  EXPECT_EQ(form->windowTitle(), "release.qlx[*] - Quillory v0.1");
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(Text("Edit2"), "");
  EXPECT_EQ(Text("Edit3"), "Me©");
  EXPECT_EQ(Text("Edit15"), "10€");
  EXPECT_EQ(Text("ComboBox1"), "MPL");
  EXPECT_EQ(Text("Memo3"), "a\n\nb");
  EXPECT_EQ(form->record().news, "a\r\n\r\nb");
  EXPECT_TRUE(Find<QAction>("UTF81")->isChecked());
  EXPECT_FALSE(Find<QAction>("iso1")->isChecked());

  // A cancelled dialog changes nothing; what is no project document is refused by name.
  Press("Edit1", kCtrlO);
  WriteFile(dir.File("notes.txt"), "Buy milk\n");
  dialogs.AnswerOpen(dir.File("notes.txt"));
  Press("Edit1", kCtrlO);
  EXPECT_EQ(dialogs.errors, std::vector<std::string>{"\"" + dir.File("notes.txt") +
                                                     "\" is not a Quillory project document."});
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(form->windowTitle(), "release.qlx[*] - Quillory v0.1");
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
  EXPECT_EQ(form->windowTitle(), "a.qlx[*] - Quillory v0.1");
  EXPECT_TRUE(Find<QAction>("UTF81")->isChecked());

  Type("Edit1", "Other");
  Find<QAction>("New1")->trigger();
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1[*]");
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

// Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+V select, copy, cut and paste in every control of every tab, and never
// run a command: no fact changes but the one cut from or pasted into.
TEST_F(CommandsTest, ClipboardKeysAreTheControlsOwnInEveryTab) {
  Start();
  QClipboard* clipboard = QApplication::clipboard();
  Type("Edit1", "Tool");
  Type("Edit2", "v1");
  Type("Memo1", "line");
  Type("ComboBox1", "GPL");
  const struct {
    int tab;
    const char* control;
    QString copied;  // what Ctrl+A, Ctrl+C put on the clipboard; empty: the control holds no text
    bool cuts;       // Ctrl+X empties it, and Ctrl+V puts the text back
  } cases[] = {
      {0, "Edit1", "Tool", true},          {0, "ComboBox1", "GPL", true},
      {0, "Memo1", "line", true},          {0, "DateTimePicker1", "Dec 2006", false},
      {0, "CheckBox1", "", false},         {0, "Button19", "", false},
      {1, "Memo5", "Program Name", false}, {3, "Memo6", "Program Name", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(c.tab);
    clipboard->setText("before");
    Press(c.control, kCtrlA);
    Press(c.control, kCtrlC);
    if (c.copied.isEmpty())
      EXPECT_EQ(clipboard->text(), "before");
    else
      EXPECT_TRUE(clipboard->text().contains(c.copied)) << clipboard->text().toStdString();
    if (c.cuts) {
      Press(c.control, kCtrlX);
      EXPECT_EQ(Text(c.control), "");
      Press(c.control, kCtrlV);
      EXPECT_EQ(Text(c.control), c.copied);
    } else if (c.tab != 3) {
      Press(c.control, kCtrlX);  // read-only, or no text: nothing happens
    }
    EXPECT_EQ(form->record().program_name, "Tool");
    EXPECT_EQ(form->record().version, "v1");
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(dialogs.informations.empty());
  }
}

TEST_F(CommandsTest, MenuKeysRunFromInsideATextArea) {
  Start();
  QSignalSpy save_as(Find<QAction>("Save1"), &QAction::triggered);
  Type("Edit1", "Tool");
  Type("Memo4", "GPL");
  Press("Memo4", kF6);
  EXPECT_EQ(save_as.count(), 1);
  ASSERT_EQ(dialogs.save_requests.size(), 1u);  // the Save As dialog, cancelled
  EXPECT_EQ(dialogs.save_requests[0].title, "Save As *.qlx or Export *.txt, *.html, *.md");
  dialogs.AnswerSave(dir.File("a.qlx"));
  Press("Memo4", kCtrlS);
  ASSERT_EQ(dialogs.save_requests.size(), 2u);
  EXPECT_EQ(dialogs.save_requests[1].filter, "Quillory file (*.qlx)|*.qlx");
  EXPECT_EQ(Text("Memo4"), "GPL");  // the key was not typed into the area
  Press("Memo2", kCtrlO);
  EXPECT_EQ(dialogs.open_requests.size(), 1u);
  Press("ComboBox1", kCtrlN);
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1[*]");
  // Clear All, About and Exit on keys no slip reaches, shown in the menu.
  Type("Edit1", "Tool");
  Press("Memo4", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
  EXPECT_EQ(Text("Edit1"), "");
  Press("Memo4", QKeySequence(Qt::Key_F1));
  EXPECT_EQ(dialogs.informations.size(), 1u);  // About
  Press("Memo4", QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(exits, 1);
}

// Whatever a field is given is kept whole: typed, pasted, saved and opened again. A multi-line text that
// holds ¤ is not saved: the error box says why.
TEST_F(CommandsTest, FieldsKeepEveryCharacterThroughSaveAndOpen) {
  Start();
  Type("Edit1", "a→b");
  EXPECT_EQ(Text("Edit1"), "a→b");
  EXPECT_EQ(form->record().program_name, "a→b");
  const QString author = QString::fromUtf8("Pál Erdős – Łódź 日本 😀");
  QApplication::clipboard()->setText(author);
  Press("Edit6", kCtrlV);
  EXPECT_EQ(Text("Edit6"), author);
  Type("Memo2", "x");
  QTest::keyClick(Find<QWidget>("Memo2"), Qt::Key_Return);
  Type("Memo2", "y ő");
  EXPECT_EQ(form->record().required, "x\r\ny ő");
  Find<QComboBox>("ComboBox1")->setCurrentIndex(3);  // picked from the list
  EXPECT_EQ(form->record().license_type, "Trial");

  const std::string path = dir.File("world.qlx");
  dialogs.AnswerSave(path);
  Press("Edit1", kCtrlS);
  const std::string saved = ReadFile(path);
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF")) << saved;  // Windows-1252 lacks these letters
  Press("Edit1", kCtrlN);
  EXPECT_EQ(Text("Edit6"), "");
  dialogs.AnswerOpen(path);
  Press("Edit1", kCtrlO);
  EXPECT_EQ(Text("Edit6"), author);
  EXPECT_EQ(form->record().author, "Pál Erdős – Łódź 日本 😀");
  EXPECT_EQ(Text("Memo2"), "x\ny ő");

  Type("Memo2", "¤");
  Press("Edit1", kCtrlS);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_NE(dialogs.errors[0].find("\"Required\" holds the character ¤"), std::string::npos)
      << dialogs.errors[0];
  EXPECT_EQ(ReadFile(path), saved);
  EXPECT_TRUE(form->isWindowModified());
}

// The many-script document opened and saved under another name by the window: every value comes back, and
// the copy is UTF-8 without a mark like the original.
TEST_F(CommandsTest, TheManyScriptDocumentRoundTripsThroughTheWindow) {
  const std::string original = std::string(QUILLORY_TEST_DATA) + "/world/project.qlx";
  Start({original});
  EXPECT_EQ(Text("Edit6"), QString::fromUtf8("Pál Erdős, Łukasz Dvořák"));
  dialogs.AnswerSave(dir.File("copy.qlx"), 1);
  Find<QAction>("Save1")->trigger();
  ASSERT_TRUE(dialogs.errors.empty());
  const std::string copy = ReadFile(dir.File("copy.qlx"));
  EXPECT_EQ(DetectDocumentEncoding(copy), DocumentEncoding::kUtf8);
  const ReadmeProject before = ProjectFromBytes(ReadFile(original)), after = ProjectFromBytes(copy);
  for (const Fact& fact : Facts()) EXPECT_EQ(after.*fact.member, before.*fact.member) << fact.key;
}

TEST_F(CommandsTest, TheCommandLineDocumentIsOpenedAtStartOrReported) {
  const std::string path = dir.File("my release.qlx");
  WriteFile(path,
            "[html]\r\nc2=navy\r\n[readme]\r\nprogram_name=Tool\r\nnews=a\xA4"
            "b\r\n");
  Start({path, dir.File("ignored.qlx")});
  EXPECT_EQ(form->windowTitle(), "my release.qlx[*] - Quillory v0.1");
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(Text("Memo3"), "a\nb");
  EXPECT_EQ(form->record().c2, "navy");
  EXPECT_EQ(form->record().c1, "#f5f5f5");
  EXPECT_TRUE(Find<QAction>("iso1")->isChecked());
  EXPECT_TRUE(dialogs.errors.empty());

  for (const std::string& first : {dir.File("missing.qlx"), dir.path()}) {
    dialogs.errors.clear();
    Start({first, path});
    EXPECT_EQ(form->windowTitle(), "Quillory v0.1[*]") << first;
    EXPECT_EQ(Text("Edit1"), "") << first;
    EXPECT_EQ(form->record().document_path, "") << first;
    ASSERT_EQ(dialogs.errors.size(), 1u) << first;
    EXPECT_TRUE(dialogs.errors[0].starts_with("Cannot open file \"" + first + "\". ")) << dialogs.errors[0];
  }
}

// Open Recent keeps the latest documents across windows; a dropped .qlx opens like one; the title marks
// unsaved changes.
TEST_F(CommandsTest, RecentDocumentsDroppedDocumentsAndTheModifiedMark) {
  for (const char* name : {"a.qlx", "b.qlx", "c.qlx"})
    WriteFile(dir.File(name), std::string("[readme]\r\nprogram_name=") + name + "\r\n");
  Start({dir.File("a.qlx")});
  dialogs.AnswerOpen(dir.File("b.qlx"));
  Find<QAction>("Open1")->trigger();
  Start();  // a new window reads the list its predecessor stored
  auto shown = [this] {
    QStringList items;
    for (QAction* item : Find<QMenu>("OpenRecentMenu")->actions())
      if (item->isVisible() && item->objectName().startsWith("Recent")) items << item->text();
    return items;
  };
  EXPECT_EQ(shown(), QStringList({"&1 " + QString::fromStdString(dir.File("b.qlx")),
                                  "&2 " + QString::fromStdString(dir.File("a.qlx"))}));
  Type("Edit2", "1");
  EXPECT_TRUE(form->isWindowModified());
  Find<QAction>("Recent2")->trigger();  // asks first (unscripted: Discard)
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Save changes to the new project?"});
  EXPECT_EQ(form->windowTitle(), "a.qlx[*] - Quillory v0.1");
  EXPECT_FALSE(form->isWindowModified());

  // Dropped on a field, a .qlx opens once the drop has ended; other files are left to the field.
  auto drop_onto = [](QWidget* target, const std::string& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    return QApplication::sendEvent(target, &enter) && QApplication::sendEvent(target, &drop);
  };
  EXPECT_TRUE(drop_onto(Find<QWidget>("Edit3"), dir.File("c.qlx")));
  QCoreApplication::processEvents();
  EXPECT_EQ(Text("Edit1"), "c.qlx");
  EXPECT_EQ(shown().size(), 3);
  EXPECT_FALSE(drop_onto(Find<QWidget>("GroupBox1"), dir.File("notes.txt")));

  Find<QAction>("ClearRecent1")->trigger();
  Start();
  EXPECT_FALSE(Find<QMenu>("OpenRecentMenu")->isEnabled());
}

}  // namespace
}  // namespace quillory::testing
