// The window's wiring of the export and preview commands, the NFO tools and the field commands.
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/nfo_memo.h"
#include "app/web_preview.h"
#include "commands/nfo_edits.h"
#include "gui/form_fixture.h"

namespace quillory::testing {
namespace {

using ToolsTest = FormTest;

void Click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Whether the page view's plugin is loaded in this process.
bool PluginLoaded() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str().find("libquillory_webview") != std::string::npos;
}

TEST_F(ToolsTest, PreviewTabsRebuildFromTheRecordAndNfoEditsAreKept) {
  Start();
  auto* tabs = Find<QTabWidget>("PageControl1");
  Type("Edit1", "Tool");
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(Text("Memo5").endsWith("Program Name........: Tool"));
  tabs->setCurrentIndex(3);
  auto* nfo = Find<NfoMemo>("Memo6");
  EXPECT_TRUE(nfo->Bytes().ends_with("Program Name        : Tool\r\n"));
  Type("Memo6", "typed");
  const std::string edited = nfo->Bytes();
  tabs->setCurrentIndex(0);
  tabs->setCurrentIndex(3);
  EXPECT_EQ(nfo->Bytes(), edited);  // the record is as it was: nothing rebuilt, nothing asked
  tabs->setCurrentIndex(0);
  Type("Edit2", "2");
  dialogs.confirm_answers = {false};
  tabs->setCurrentIndex(3);  // record and memo both changed: asked, and No keeps the edits
  EXPECT_EQ(nfo->Bytes(), edited);
  // Closing with unsaved NFO edits asks about them after the document; Cancel keeps the window.
  dialogs.save_changes_answers = {SaveChangesAnswer::kDiscard, SaveChangesAnswer::kCancel};
  EXPECT_FALSE(form->close());
  EXPECT_EQ(dialogs.questions,
            (std::vector<std::string>{std::string(kReplaceNfoQuestion), "Save changes to the new project?",
                                      "Save the NFO?"}));
}

TEST_F(ToolsTest, HtmlPreviewLoadsThePageWithoutScripts) {
  const bool loaded_before = PluginLoaded();  // by an earlier test of this process
  Start();
  Type("Edit1", "Tool <script>document.title='ran'</script>");
  Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  if (!loaded_before) {
    EXPECT_FALSE(PluginLoaded()) << "the page view was loaded before its tab was shown";
  }
  Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
  EXPECT_TRUE(PluginLoaded());
  ASSERT_TRUE(std::filesystem::exists(TemporaryPage()));
  auto* view = form->findChild<QWebEngineView*>(QStringLiteral("WebBrowser1View"));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
  QString text;
  QTRY_VERIFY_WITH_TIMEOUT(view->url() == QUrl::fromLocalFile(QString::fromStdString(TemporaryPage())),
                           20000);
  QTRY_VERIFY_WITH_TIMEOUT(
      (view->page()->toPlainText([&](const QString& plain) { text = plain; }), text.contains("Tool")), 30000);
  EXPECT_TRUE(text.contains("Tool <script>document.title='ran'</script>"));
  EXPECT_NE(view->title(), "ran");

  // The clipboard keys in the page view select and copy its text; none runs a command.
  QApplication::clipboard()->clear();
  view->setFocus();
  QWidget* page = view->focusProxy() ? view->focusProxy() : view;
  for (const auto& keys : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut})
    Press(page, QKeySequence(keys));
  QTRY_VERIFY_WITH_TIMEOUT(QApplication::clipboard()->text().contains("Tool <script>"), 20000);
  EXPECT_EQ(form->record().program_name, "Tool <script>document.title='ran'</script>");
  EXPECT_EQ(exits, 0);
  EXPECT_TRUE(dialogs.informations.empty());

  // Closing the window deletes the page.
  form->close();
  EXPECT_FALSE(std::filesystem::exists(TemporaryPage()));
}

// As root with its sandbox on, Qt WebEngine would end the whole program: the tab shows the page source.
TEST_F(ToolsTest, WhereQtWebEngineWouldRefuseToRunThePageSourceIsShown) {
  const struct {
    unsigned uid;
    bool disable_sandbox_set;  // to any value, "0" included
    const char* flags;
    bool refuses;
  } cases[] = {{0, false, "--enable-logging", true},
               {0, true, "", false},
               {0, false, " --a  --no-sandbox", false},
               {1000, false, "", false}};
  for (const auto& c : cases)
    EXPECT_EQ(WebEngineRefusesToRun(c.uid, c.disable_sandbox_set, c.flags), c.refuses);
  if (::geteuid() != 0) GTEST_SKIP() << "the window's part needs the superuser";
  struct Sandbox {
    const QByteArray kept = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    ~Sandbox() { qputenv("QTWEBENGINE_DISABLE_SANDBOX", kept); }
  } restored;
  qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
  Start();
  Type("Edit1", "Tool");
  Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
  EXPECT_EQ(Find<QLabel>("WebBrowser1Notice")->text(), kPageViewAsRootNotice);
  EXPECT_TRUE(Text("WebBrowser1Source").contains("Tool"));
  EXPECT_EQ(form->findChild<QWebEngineView*>(), nullptr);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ToolsTest, APreviewPageThatCannotBeWrittenIsReportedOnce) {
  Start();
  Type("Edit1", "Tool");
  std::filesystem::create_directory(TemporaryPage());  // a folder where the page would be written
  Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
  EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(ToolsTest, WithoutThePluginTheHtmlTabShowsThePageSource) {
  TempDir empty;
  struct PluginFolder {
    const QByteArray kept = qgetenv("QUILLORY_PLUGIN_DIR");
    ~PluginFolder() { qputenv("QUILLORY_PLUGIN_DIR", kept); }
  } restored;
  qputenv("QUILLORY_PLUGIN_DIR", QByteArray::fromStdString(empty.path()));
  Start();
  EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("WebBrowser1Notice")), nullptr);
  auto* tabs = Find<QTabWidget>("PageControl1");
  Type("Edit1", QString::fromUtf8("Tool \u00FC"));
  tabs->setCurrentIndex(2);
  EXPECT_EQ(Find<QLabel>("WebBrowser1Notice")->text(),
            "The page view is not installed; showing the page source.");
  auto* source = Find<QPlainTextEdit>("WebBrowser1Source");
  EXPECT_TRUE(source->isReadOnly());
  EXPECT_TRUE(source->toPlainText().contains("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"));
  EXPECT_TRUE(source->toPlainText().contains(QString::fromUtf8("Tool \u00FC")))
      << source->toPlainText().toStdString();

  // A UTF-8 page is read as UTF-8; the other tabs work; an unnamed program shows nothing.
  Find<QAction>("UTF81")->trigger();
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(Text("Memo5").endsWith(QString::fromUtf8("Program Name........: Tool \u00FC")));
  tabs->setCurrentIndex(2);
  EXPECT_TRUE(source->toPlainText().contains(QString::fromUtf8("Tool \u00FC")))
      << source->toPlainText().toStdString();
  EXPECT_TRUE(std::filesystem::exists(TemporaryPage()));
  tabs->setCurrentIndex(0);
  Find<QLineEdit>("Edit1")->clear();
  tabs->setCurrentIndex(2);
  EXPECT_EQ(source->toPlainText(), "");
  EXPECT_FALSE(std::filesystem::exists(TemporaryPage()));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ToolsTest, NfoToolbarAndSave) {
  Start();
  auto* nfo = Find<NfoMemo>("Memo6");
  nfo->setFocus();
  Click(Find<QWidget>("Button46"));
  Click(Find<QWidget>("Button46"));
  Click(Find<QWidget>("Button42"));
  EXPECT_EQ(nfo->Bytes(), "\xCD\xCD\xBB");
  EXPECT_EQ(nfo->textCursor().position(), 3);
  QTest::keyClick(nfo, Qt::Key_Z, Qt::ControlModifier);  // palette insertions undo like typing
  EXPECT_EQ(nfo->Bytes(), "");
  QTest::keyClick(nfo, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(nfo->Bytes(), "\xCD\xCD\xBB");

  // Every character button, left to right (those before "R").
  nfo->SetBytes("");
  for (QToolButton* button : Find<QWidget>("ToolBar1")->findChildren<QToolButton*>()) {
    if (button->x() < Find<QWidget>("Button38")->x()) Click(button);
  }
  EXPECT_EQ(nfo->Bytes(),
            "\xDA\xC4\xBF\xD9\xB3\xC0\xC2\xC1\xC5\xC3\xB4\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xB9\xBA\xBB\xBC\xDB\xFE"
            "\xDC\xB0\xB1\xB2\xAE\xAF");

  nfo->SetBytes("");
  Click(Find<QWidget>("Button38"));
  Click(Find<QWidget>("Button32"));  // the picker's first date, in the test locale
  Click(Find<QWidget>("Button20"));
  Click(Find<QWidget>("Button34"));
  Click(Find<QWidget>("Button33"));
  EXPECT_EQ(nfo->Bytes(), " All Rights Reserved 03.12.2006 14.05\xAE\xAF");

  // Typed characters are stored as CP437 bytes; one CP437 lacks becomes "?".
  nfo->SetBytes("");
  Type("Memo6", QString::fromUtf8("é€╬"));
  EXPECT_EQ(nfo->Bytes(), "\x82?\xCE");

  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  nfo->SetBytes(high + "\r\n" + high);
  dialogs.AnswerSave(dir.File("readme.txt"));
  Click(Find<QWidget>("Button39"));
  EXPECT_EQ(dialogs.save_requests.back().title, "Save in NFO...");
  EXPECT_EQ(ReadFile(dir.File("readme.nfo")), high + "\r\n" + high);
}

TEST_F(ToolsTest, FieldCommandsThroughTheirControls) {
  Start();
  Type("Edit3", "Demo");
  Click(Find<QWidget>("Button12"));
  Click(Find<QWidget>("Button15"));
  EXPECT_EQ(form->record().copyright, "Demo© All Rights Reserved");
  EXPECT_EQ(Text("Edit3"), QString::fromUtf8("Demo© All Rights Reserved"));

  // Enter in each address field visits it; the e-mail field has no such action.
  const char* fields[] = {"Edit4", "Edit8", "Edit9", "Edit12", "Edit13"};
  for (const char* field : fields) {
    Type(field, "www.example.org");
    QTest::keyClick(Find<QWidget>(field), Qt::Key_Return, Qt::ShiftModifier);
  }
  Type("Edit5", "www.example.org");
  QTest::keyClick(Find<QWidget>("Edit5"), Qt::Key_Return);
  EXPECT_EQ(shell.opened.size(), 5u);
  Click(Find<QWidget>("Button5"));
  EXPECT_EQ(shell.opened.size(), 6u);

  // The release date, with and without the time.
  auto* picker = Find<QDateEdit>("DateTimePicker1");
  picker->setDate(QDate(2007, 1, 5));
  EXPECT_EQ(form->record().creation, "05.01.2007");
  Find<QCheckBox>("CheckBox1")->setChecked(true);
  EXPECT_EQ(form->record().creation, "05.01.2007");  // ticking alone changes nothing
  clock.now = {9, 7};
  picker->setDate(QDate(2007, 1, 6));
  EXPECT_EQ(Text("Edit7"), "06.01.2007 09.07");

  // Load and clear a text area.
  WriteFile(dir.File("news.txt"), "line 1\nline 2");
  dialogs.AnswerOpen(dir.File("news.txt"));
  Click(Find<QWidget>("Button3"));
  EXPECT_EQ(Text("Memo3"), "line 1\nline 2");
  EXPECT_EQ(form->record().news, "line 1\r\nline 2");
  Click(Find<QWidget>("Button10"));
  EXPECT_EQ(Text("Memo3"), "");

  // About.
  form->About2Click();
  EXPECT_TRUE(dialogs.informations.back().starts_with("Quillory v0.1\n"));
}

TEST_F(ToolsTest, ColoursDefaultAndTheDigestButtons) {
  WriteFile(dir.File("start.qlx"), "[html]\r\nc1=navy\r\n[readme]\r\nprogram_name=Stored\r\n");
  WriteFile(dir.File("other.qlx"), "[html]\r\nc2=red\r\nchr=utf-8\r\n[readme]\r\nprogram_name=Other\r\n");
  Start({dir.File("start.qlx")});
  dialogs.AnswerOpen(dir.File("other.qlx"));
  Find<QAction>("Open1")->trigger();
  dialogs.color_answers.push_back(0xFFFFFF);
  Find<QAction>("Body1")->trigger();
  dialogs.color_answers.push_back(std::nullopt);
  Find<QAction>("Body1")->trigger();
  EXPECT_EQ(form->record().c1, "white");
  EXPECT_EQ(dialogs.color_requests,
            (std::vector<std::uint32_t>{0x80'00'00, 0xFF'FF'FF}));  // navy, then white
  Type("Edit1", " edited");
  form->Default1Click();  // the colours and the character set only: the document stays
  EXPECT_EQ(form->record().c1, "#f5f5f5");
  EXPECT_EQ(form->record().c2, "#000000");
  EXPECT_TRUE(Find<QAction>("iso1")->isChecked());
  EXPECT_NE(form->record().program_name.find("edited"), std::string::npos);
  EXPECT_EQ(form->windowTitle(), "other.qlx[*] - Quillory v0.1");

  WriteFile(dir.File("empty.bin"), "");
  dialogs.AnswerOpen(dir.File("empty.bin"));
  Click(Find<QWidget>("Button19"));
  dialogs.AnswerOpen(dir.File("empty.bin"));
  Click(Find<QWidget>("Button18"));
  EXPECT_EQ(Text("Edit18"), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(Text("Edit17"), "0 Byte");
  dialogs.AnswerOpen(dir.File("empty.bin"));
  Click(Find<QWidget>("Button58"));
  EXPECT_EQ(Text("Edit19"), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  dialogs.AnswerOpen(dir.path());  // a folder cannot be read: an error, the field keeps its text
  Click(Find<QWidget>("Button19"));
  EXPECT_EQ(Text("Edit18"), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(dialogs.errors.size(), 1u);
}

}  // namespace
}  // namespace quillory::testing
