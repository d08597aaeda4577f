// The window a user can trust: pasting nothing, unsaved changes, dark themes, names for assistive
// technology, the whole release date, a digest that can be stopped, and failures that stay in the window.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <new>

#include "gui/form_fixture.h"

namespace quillory::testing {
namespace {

const char* const kTextControls[] = {"Edit1", "Edit6", "Edit3", "Edit18", "ComboBox1", "Memo1",
                                     "Memo2", "Memo3", "Memo4", "Memo7",  "Memo8",     "Memo6"};

using TrustTest = FormTest;

TEST_F(TrustTest, PastingNothingOrAnImageLeavesEveryFieldAsItWas) {
  Start();
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  for (bool with_image : {false, true}) {
    if (with_image) {
      auto* only_image = new QMimeData;
      only_image->setImageData(image);
      QGuiApplication::clipboard()->setMimeData(only_image);
      ASSERT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
    } else {
      QGuiApplication::clipboard()->clear();
    }
    for (const char* name : kTextControls) {
      if (std::string_view(name) == "Memo6") Find<QTabWidget>("PageControl1")->setCurrentIndex(3);
      QWidget* control = Find<QWidget>(name);
      const QString before = qobject_cast<QPlainTextEdit*>(control) ? Text(name) : QString();
      Press(control, QKeySequence(Qt::CTRL | Qt::Key_V));
      Press(control, QKeySequence(Qt::SHIFT | Qt::Key_Insert));
      QWidget* target = qobject_cast<QPlainTextEdit*>(control)
                            ? qobject_cast<QPlainTextEdit*>(control)->viewport()
                            : control;
      QTest::mouseClick(target, Qt::MiddleButton, {}, QPoint(5, 5));
      if (qobject_cast<QPlainTextEdit*>(control)) {
        EXPECT_EQ(Text(name), before) << name;
      }
    }
    Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    EXPECT_EQ(Text("Edit1"), "");
    EXPECT_EQ(Text("Memo1"), "");
  }
  // Text still pastes.
  QGuiApplication::clipboard()->setText("pasted");
  Press("Memo2", QKeySequence(Qt::CTRL | Qt::Key_V));
  EXPECT_EQ(form->record().required, "pasted");
}

TEST_F(TrustTest, CommandsThatDiscardChangesAskFirst) {
  const std::string path = dir.File("notes.qlx");
  WriteFile(path, "[readme]\r\nprogram_name=Tool\r\n");
  Start({path});
  // Nothing changed: nothing asks.
  Find<QAction>("New1")->trigger();
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(Text("Edit1"), "");

  // The new project: Cancel keeps the text; Discard lets New go on.
  Type("Edit2", "v2");
  dialogs.save_changes_answers = {SaveChangesAnswer::kCancel, SaveChangesAnswer::kDiscard};
  Press("Edit2", QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(Text("Edit2"), "v2");
  Find<QAction>("New1")->trigger();
  EXPECT_EQ(Text("Edit2"), "");
  EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"Save changes to the new project?",
                                                         "Save changes to the new project?"}));

  // Save refused for the missing program name cancels Open.
  Type("Edit2", "v3");
  dialogs.save_changes_answers = {SaveChangesAnswer::kSave};
  dialogs.AnswerOpen(path);
  Find<QAction>("Open1")->trigger();
  EXPECT_EQ(dialogs.informations, std::vector<std::string>{"Program Name is required!"});
  EXPECT_TRUE(dialogs.open_requests.empty());
  EXPECT_EQ(Text("Edit2"), "v3");

  // With a document: the question names it; Save writes it, then Open goes on.
  Find<QAction>("Clearall1")->trigger();
  dialogs.open_answers.clear();
  dialogs.AnswerOpen(path);
  Find<QAction>("Open1")->trigger();
  Type("Edit2", "9");
  dialogs.save_changes_answers = {SaveChangesAnswer::kSave};
  dialogs.AnswerOpen(path);
  Find<QAction>("Open1")->trigger();
  EXPECT_EQ(dialogs.questions.back(), "Save changes to notes.qlx?");
  EXPECT_NE(ReadFile(path).find("version=9"), std::string::npos);
  EXPECT_EQ(Text("Edit2"), "9");

  // The close box and Exit (Ctrl+Q) ask; Cancel keeps the window. Default reads nothing: it does not ask.
  const size_t asked = dialogs.questions.size();
  Type("Edit5", "a@b");
  dialogs.save_changes_answers = {SaveChangesAnswer::kCancel, SaveChangesAnswer::kCancel};
  EXPECT_FALSE(form->close());
  Press("Button19", QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(exits, 0);
  form->Default1Click();
  EXPECT_EQ(Text("Edit5"), "a@b");
  EXPECT_EQ(dialogs.questions.size(), asked + 2);
  Find<QAction>("Exit1")->trigger();  // unscripted: Discard
  EXPECT_EQ(exits, 1);
}

TEST_F(TrustTest, ClearAllCanBeUndoneOnceUntilTheNextChange) {
  Start();
  QAction* undo = Find<QAction>("UndoClearall1");
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_TRUE(undo->shortcut().isEmpty());
  Type("Edit1", "Tool");
  Type("Memo3", "news");
  Press("CheckBox1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(Text("Memo3"), "news");
  EXPECT_FALSE(undo->isEnabled());

  Find<QAction>("Clearall1")->trigger();
  Type("Edit2", "1");  // the next change
  undo->trigger();
  EXPECT_EQ(Text("Edit1"), "");
  EXPECT_EQ(Text("Edit2"), "1");
}

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& colour) {
  auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(TrustTest, ForcedColoursStayReadableUnderADarkTheme) {
  const QPalette light = QApplication::palette();
  QPalette dark;
  for (auto [role, colour] : {std::pair{QPalette::Window, QColor(0x2B, 0x2B, 0x2B)},
                              {QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE)},
                              {QPalette::Base, QColor(0x1E, 0x1E, 0x1E)},
                              {QPalette::Text, QColor(0xF0, 0xF0, 0xF0)},
                              {QPalette::ToolTipBase, QColor(0x30, 0x30, 0x30)},
                              {QPalette::ToolTipText, QColor(0xF5, 0xF5, 0xF5)},
                              {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                              {QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE)}}) {
    dark.setColor(role, colour);
  }
  QApplication::setPalette(dark);
  QToolTip::setPalette(dark);
  Start();
  for (const char* name :
       {"Edit1", "Edit18", "ComboBox1", "DateTimePicker1", "Memo1", "Memo8", "Memo6", "Memo5"}) {
    const QPalette palette = Find<QWidget>(name)->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      EXPECT_GE(Contrast(palette.color(group, QPalette::Base), palette.color(group, QPalette::Text)), 4.5)
          << name;
    }
  }
  const QPalette tips = QToolTip::palette();
  EXPECT_GE(Contrast(tips.color(QPalette::ToolTipBase), tips.color(QPalette::ToolTipText)), 4.5);
  QApplication::setPalette(light);
  QToolTip::setPalette(light);
}

TEST_F(TrustTest, FieldsAndButtonsHaveNamesForAssistiveTechnology) {
  Start();
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
    // Every label has a mnemonic: Alt and its letter put the focus in its field.
    const qsizetype mark = label->text().indexOf('&');
    ASSERT_GE(mark, 0) << label->text().toStdString();
    QTest::keyClick(form.get(), label->text().at(mark + 1).toLower().toLatin1(), Qt::AltModifier);
    EXPECT_TRUE(label->buddy()->hasFocus() || label->buddy()->isAncestorOf(QApplication::focusWidget()) ||
                QString("IiGgDdTt").contains(label->text().at(mark + 1)))  // shared keys take turns
        << label->text().toStdString();
    QString name = QString(label->text()).remove('&').trimmed();
    name.chop(1);
    EXPECT_EQ(label->buddy()->accessibleName(), name.trimmed());
  }
  EXPECT_EQ(Find<QWidget>("Edit1")->accessibleName(), "Program Name");
  EXPECT_EQ(Find<QWidget>("Memo1")->accessibleName(), "Description or/and Uses");
  const std::pair<const char*, const char*> buttons[] = {
      {"Button5", "Visit Website"},
      {"Button1", "Load Description or/and Uses from a text file"},
      {"Button9", "Clear Required"},
      {"Button12", "Add © to Copyright"},
      {"Button17", "Visit ScreenShot URL"}};
  for (const auto& [name, text] : buttons) EXPECT_EQ(Find<QWidget>(name)->accessibleName(), text) << name;
  // Every small button of the Editor says what it does.
  for (QAbstractButton* button : Find<QWidget>("TabSheet1")->findChildren<QAbstractButton*>()) {
    if (qobject_cast<QCheckBox*>(button)) continue;
    EXPECT_GT(button->accessibleName().size(), 4) << button->objectName().toStdString();
  }
}

// Keyboard focus shows in every control of every tab: a text control shows more than its caret (its edge
// changes), any other control changes at all.
TEST_F(TrustTest, KeyboardFocusIsVisibleInEveryControl) {
  Start();
  form->setAttribute(Qt::WA_KeyboardFocusChange);  // as after a Tab
  auto differs = [](const QImage& a, const QImage& b, bool edge_only) {
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        const bool edge = std::min({x, y, a.width() - 1 - x, a.height() - 1 - y}) < 4;
        if ((edge || !edge_only) && a.pixel(x, y) != b.pixel(x, y)) return true;
      }
    }
    return false;
  };
  auto* tabs = Find<QTabWidget>("PageControl1");
  int checked = 0;
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    for (QWidget* control : tabs->widget(tab)->findChildren<QWidget*>(QRegularExpression("^[A-Z]"))) {
      if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) continue;
      const bool text = qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractScrollArea*>(control);
      const QRect around = control->geometry().adjusted(-2, -2, 2, 2);
      tabs->setFocus();
      const QImage before = control->parentWidget()->grab(around).toImage();
      control->setFocus(Qt::TabFocusReason);
      EXPECT_TRUE(differs(before, control->parentWidget()->grab(around).toImage(), text))
          << control->objectName().toStdString();
      ++checked;
    }
  }
  EXPECT_GT(checked, 80);
}

TEST_F(TrustTest, TheLongestShortDateShowsWholeAndOnlyTheTimeBoxMoves) {
  Start();
  auto* picker = Find<QDateEdit>("DateTimePicker1");
  auto* inner = picker->findChild<QLineEdit*>();
  ASSERT_NE(inner, nullptr);
  picker->setDate(QDate(2006, 12, 20));
  EXPECT_EQ(inner->text(), "20 Dec 2006");
  // The text fits in the line edit's room for text.
  EXPECT_GE(inner->width() - 4, inner->fontMetrics().horizontalAdvance(inner->text()));
  EXPECT_EQ(picker->pos(), QPoint(536, 40));
  auto* time = Find<QCheckBox>("CheckBox1");
  EXPECT_EQ(time->y(), 42);
  EXPECT_GT(time->x(), picker->geometry().right());
  EXPECT_LE(time->geometry().right(), Find<QGroupBox>("GroupBox1")->contentsRect().right());
}

// A FIFO whose writer holds it open and never writes: a file that never ends.
// A regular file far too long to digest while a test waits (a terabyte, sparse: it takes no room).
void MakeEndlessFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::ftruncate(fd, off_t{1} << 40), 0);
  ::close(fd);
}

TEST_F(TrustTest, TheDigestOfAFileThatNeverEndsStopsOnCancelEscapeOrClose) {
  Start();
  MakeEndlessFile(dir.File("endless"));
  for (int way = 0; way < 3; ++way) {
    dialogs.AnswerOpen(dir.File("endless"));
    int polls_shown = 0;
    bool stopped = false;
    auto* poll = new QTimer(form.get());
    QObject::connect(poll, &QTimer::timeout, [&] {
      auto* dialog = form->findChild<QProgressDialog*>();
      if (stopped || dialog == nullptr || !dialog->isVisible()) return;
      if (++polls_shown < 20) return;  // the digest goes on a while with its dialog shown
      stopped = true;
      EXPECT_EQ(dialog->findChild<QAbstractButton*>()->text(), "&Cancel");
      if (way == 0) dialog->findChild<QAbstractButton*>()->click();
      if (way == 1) QTest::keyClick(dialog, Qt::Key_Escape);
      if (way == 2) form->close();
    });
    poll->start(5);
    Find<QAbstractButton>("Button19")->click();  // returns once the digest has stopped
    delete poll;
    EXPECT_TRUE(stopped) << way;  // the dialog was shown and the digest ended only when stopped
    EXPECT_EQ(form->record().md5, "") << way;
  }
  QTest::qWait(50);
  EXPECT_FALSE(form->isVisible());  // the close ran once the digest had stopped
  EXPECT_TRUE(dialogs.errors.empty());
}

// A store that fails in a way no command expects.
class BrokenStore : public FakeAssociationStore {
 public:
  void DeleteKeyTree(const std::string&) override { throw std::bad_alloc(); }
};

TEST_F(TrustTest, AFailureNoCommandExpectsIsShownAndTheWindowGoesOn) {
  BrokenStore store;
  Start({}, &store);
  Type("Edit1", "Tool");
  Find<QAction>("ClearRegistry1")->trigger();
  EXPECT_EQ(dialogs.errors, std::vector<std::string>{"Out of memory: the command was not completed."});
  EXPECT_EQ(Text("Edit1"), "Tool");
}

}  // namespace
}  // namespace quillory::testing
