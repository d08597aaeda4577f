#include <QAbstractButton>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <set>

#include "gui/form_fixture.h"
#include "project/facts.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;

class LayoutTest : public FormTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(LayoutTest, WindowTabsAndStartState) {
  EXPECT_EQ(form->windowTitle(), "Quillory v0.1[*]");
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // not resizable where the screen has room
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  // The application icon, drawn at several sizes, so the window manager need not scale one.
  EXPECT_FALSE(form->windowIcon().isNull());
  EXPECT_GE(form->windowIcon().availableSizes().size(), 5);
  EXPECT_EQ(form->windowIcon().pixmap(QSize(48, 48)).size(), QSize(48, 48));

  auto* pages = Find<QTabWidget>("PageControl1");
  EXPECT_EQ(pages->size(), QSize(692, 684));
  // It fills the client area below the menu, whole.
  EXPECT_EQ(Find<QWidget>("PageArea")->geometry().bottom(), form->height() - 1);
  EXPECT_EQ(Find<QWidget>("PageArea")->size(), pages->size());
  ASSERT_EQ(pages->count(), 4);
  const char* captions[] = {"Editor", "Preview Text", "Preview Html", "NFO"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_EQ(pages->widget(i)->objectName(), QString("TabSheet%1").arg(i + 1));
  }
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("Edit1"));

  EXPECT_EQ(Find<QDateEdit>("DateTimePicker1")->date(), QDate(2006, 12, 3));
  EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0xCD, 0xCE, 0xE0));
  EXPECT_EQ(form->font().family(), "Liberation Sans");
  EXPECT_EQ(Find<QWidget>("Edit1")->palette().color(QPalette::Base), QColor(0xF3, 0xF4, 0xF8));
  EXPECT_EQ(Find<QWidget>("Memo8")->palette().color(QPalette::Text), QColor(0x25, 0x2C, 0x38));
  EXPECT_EQ(Find<QWidget>("Memo6")->palette().color(QPalette::Base), QColor(0xE6, 0xE6, 0xE6));
  EXPECT_TRUE(Find<QPlainTextEdit>("Memo5")->isReadOnly());
  EXPECT_NE(Find<QWidget>("WebBrowser1"), nullptr);

  auto* licence = Find<QComboBox>("ComboBox1");
  EXPECT_TRUE(licence->isEditable());
  EXPECT_EQ(licence->currentText(), "");
  QStringList items;
  for (int i = 0; i < licence->count(); ++i) items << licence->itemText(i);
  EXPECT_EQ(items, QStringList({"Freeware", "GPL", "Adware", "Trial", "Demo", "Shareware"}));
}

TEST_F(LayoutTest, PositionsOfTheEditorsControls) {
  // Group-box coordinates of the fixed layout.
  const std::pair<const char*, QRect> places[] = {
      {"GroupBox1", {6, 0, 673, 265}},   {"GroupBox2", {6, 272, 673, 377}}, {"Edit19", {88, 232, 561, 21}},
      {"Button58", {650, 232, 15, 20}},  {"Edit6", {424, 16, 153, 21}},     {"Button5", {290, 64, 15, 20}},
      {"ComboBox1", {88, 136, 129, 21}}, {"Button14", {272, 138, 17, 17}},  {"Button19", {650, 208, 15, 20}},
      {"Memo4", {344, 152, 321, 97}},    {"Button57", {640, 256, 25, 15}},
  };
  for (const auto& [name, rect] : places) EXPECT_EQ(Find<QWidget>(name)->geometry(), rect) << name;

  // Each label stands left of its control, on the control's row, with its exact caption.
  const std::pair<const char*, const char*> labels[] = {{"Edit1", "&Program Name :"},
                                                        {"Edit9", "Download URL Mirr&or :"},
                                                        {"Edit16", "Operating S&ystems :"},
                                                        {"ComboBox1", "License &Type :"},
                                                        {"Edit13", "ScreenShot &URL :"},
                                                        {"Edit18", "MD&5 Hash :"},
                                                        {"Edit19", "SHA-25&6 :"}};
  for (const auto& [control, caption] : labels) {
    QLabel* label = nullptr;
    for (QLabel* candidate : form->findChildren<QLabel*>()) {
      if (candidate->text() == caption) label = candidate;
    }
    ASSERT_NE(label, nullptr) << caption;
    const QRect place = Find<QWidget>(control)->geometry();
    EXPECT_EQ(label->geometry().center().y(), place.center().y()) << caption;
    EXPECT_LT(label->geometry().right(), place.left()) << caption;
  }

  // The NFO toolbar: 25 pixels high above the memo, its controls 17 high, left to right.
  auto* toolbar = Find<QWidget>("ToolBar1");
  EXPECT_EQ(toolbar->height(), 25);
  EXPECT_EQ(Find<QWidget>("Button31")->geometry(), QRect(0, 4, 17, 17));
  EXPECT_EQ(Find<QWidget>("Button53")->x(), 9 * 17);
  EXPECT_EQ(Find<QWidget>("Button40")->x(), 9 * 17 + 13 * 16 + 8);
  EXPECT_EQ(Find<QWidget>("Button39")->geometry(),
            QRect(9 * 17 + 14 * 16 + 7 * 17 + 3 * 8 + 17 + 64 + 24, 4, 56, 17));
  EXPECT_EQ(Find<QAbstractButton>("Button46")->text(), "═");
  EXPECT_EQ(Find<QAbstractButton>("Button34")->text(), "«");
  EXPECT_EQ(Find<QAbstractButton>("Button37")->text(), "░");
  EXPECT_TRUE(Find<QAbstractButton>("Button31")->font().bold());
  EXPECT_FALSE(Find<QAbstractButton>("Button51")->font().bold());
}

// Every fact the fact table places in the window has a labelled control that shows it, and no other.
TEST_F(FormTest, EveryFactPlacedInTheWindowHasItsOwnControl) {
  std::string document = "[readme]\r\n";
  std::multiset<std::string> placed;
  for (const Fact& fact : Facts()) {
    if (fact.window.group == WindowGroup::kNone) continue;
    document += std::string(fact.key) + "=" + std::string(fact.key) + "\r\n";
    placed.insert(std::string(fact.key));
  }
  WriteFile(dir.File("keys.qlx"), document);
  Start({dir.File("keys.qlx")});
  std::multiset<std::string> shown;
  for (QLabel* label : Find<QWidget>("TabSheet1")->findChildren<QLabel*>()) {
    QWidget* control = label->buddy();
    if (auto* line = qobject_cast<QLineEdit*>(control)) shown.insert(line->text().toStdString());
    if (auto* combo = qobject_cast<QComboBox*>(control)) shown.insert(combo->currentText().toStdString());
    if (auto* area = qobject_cast<QPlainTextEdit*>(control)) shown.insert(area->toPlainText().toStdString());
  }
  EXPECT_EQ(shown, placed);
}

TEST_F(LayoutTest, TooltipsAndCaptions) {
  const std::pair<const char*, const char*> tooltips[] = {
      {"Edit3", "e.g. : Your Company® 2000 All Rights Reserved"},
      {"Edit14", "e.g. : Save function only registred users"},
      {"Edit15", "e.g. : 10€"},
      {"Edit16", "e.g.: Unix, Linux or Win 2003/XP/Vista"},
      {"Edit18", "Use right button and browse your program file"},
      {"Edit19", "Use right button and browse your program file"},
      {"Button58", "Open File..."},
      {"Button16", "Visit Link..."},
      {"Button18", "Open File..."},
      {"Button15", "All Rights Reserved text in Copyright filed"},
      {"Button14", "™ char in Copyright field"},
      {"Button11", "Clear"},
      {"Button1", "Description or/and Uses text open in file..."},
  };
  for (const auto& [name, tooltip] : tooltips) EXPECT_EQ(Find<QWidget>(name)->toolTip(), tooltip) << name;
  for (const char* name : {"Edit4", "Edit5", "Edit8", "Edit9", "Edit12", "Edit13"}) {
    EXPECT_TRUE(Find<QWidget>(name)->toolTip().startsWith("e.g. : ")) << name;
  }
  for (const char* name : {"Edit8", "Edit9", "Edit12"}) {
    EXPECT_TRUE(Find<QWidget>(name)->toolTip().endsWith("?down=x")) << name;
  }
  EXPECT_TRUE(Find<QWidget>("Edit13")->toolTip().endsWith("screenshot.png"));
  for (const char* name :
       {"DateTimePicker1", "CheckBox1", "Memo1", "Memo5", "Memo6", "Button31", "Button39"}) {
    EXPECT_TRUE(Find<QWidget>(name)->toolTip().isEmpty()) << name;
  }

  // Every control named ButtonN exists once, for N = 1 to 58, and runs a command when clicked (a check box
  // runs none, so the check sees connections of the window's own only).
  QRegularExpression button_name("^Button(\\d+)$");
  std::set<int> numbers;
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>(button_name)) {
    const int number = button_name.match(button->objectName()).captured(1).toInt();
    EXPECT_TRUE(numbers.insert(number).second) << number;
    EXPECT_TRUE(QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr)) << number;
  }
  EXPECT_FALSE(
      QObject::disconnect(Find<QCheckBox>("CheckBox1"), &QAbstractButton::clicked, nullptr, nullptr));
  EXPECT_EQ(numbers.size(), 58u);
  EXPECT_EQ(*numbers.rbegin(), 58);
}

// The menu as an outline: one line per item, "caption [shortcut] name", nested items indented.
QString Outline(const QList<QAction*>& actions, int depth = 0) {
  QString out;
  for (QAction* action : actions) {
    if (!action->isVisible()) continue;
    out += QString(depth * 2, ' ');
    out += action->isSeparator() ? QString("- %1").arg(action->objectName())
                                 : action->text() + " [" + action->shortcut().toString() + "] " +
                                       (action->menu() ? QString() : action->objectName());
    out += "\n";
    if (action->menu()) out += Outline(action->menu()->actions(), depth + 1);
  }
  return out;
}

TEST_F(LayoutTest, MenusWithTheirShortcutsAndCheckMarks) {
  EXPECT_EQ(Outline(form->menuBar()->actions()),
            "&File [] \n"
            "  &New [Ctrl+N] New1\n"
            "  &Open... [Ctrl+O] Open1\n"
            "  Open &Recent [] \n"
            "    - \n"
            "    &Clear Menu [] ClearRecent1\n"
            "  &Save [Ctrl+S] Save2\n"
            "  Save &As... [F6] Save1\n"
            "  - N2\n"
            "  E&xit [Ctrl+Q] Exit1\n"
            "&Edit [] \n"
            "  &Clear All [Ctrl+Shift+Del] Clearall1\n"
            "  &Undo Clear All [] UndoClearall1\n"
            "  &Html [] \n"
            "    Character &Set [] \n"
            "      &UTF-8 [] UTF81\n"
            "      iso-8859-&1 [] iso1\n"
            "      iso-8859-&2 [] iso885921\n"
            "    &Colors [] \n"
            "      <&body> [] Body1\n"
            "      <&td> (font) [] DFont1\n"
            "      <b&order> [] Border1\n"
            "      <border> (bac&kground) [] BorderBg1\n"
            "      <&strong> [] Bold1\n"
            "      <h&3> [] H31\n"
            "      - N1\n"
            "      &Default [] Default1\n"
            "&Help [] \n"
            "  &About [F1] About2\n"
            "  &Remove *.qlx associate [] ClearRegistry1\n");
  EXPECT_FALSE(Find<QMenu>("OpenRecentMenu")->isEnabled());          // nothing recent yet
  EXPECT_TRUE(Find<QAction>("iso1")->actionGroup()->isExclusive());  // the Character Set items
  // Only the Character Set items carry check marks; "iso-8859-1" is checked at start.
  for (QAction* action : form->findChildren<QAction*>()) {
    const QString name = action->objectName();
    if (name == "UTF81" || name == "iso885921")
      EXPECT_FALSE(action->isChecked());
    else if (name == "iso1")
      EXPECT_TRUE(action->isChecked());
    else
      EXPECT_FALSE(action->isCheckable()) << name.toStdString();
  }
}

TEST_F(LayoutTest, NoCaptionIsClipped) {
  for (QLabel* label : form->findChildren<QLabel*>()) {
    const int needed = label->fontMetrics().horizontalAdvance(QString(label->text()).remove('&'));
    EXPECT_LE(needed, label->width()) << label->text().toStdString();
    // Nothing stands on a label's text.
    const QRect text(label->geometry().topLeft(), QSize(needed, label->height()));
    for (QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (sibling == label || qobject_cast<QLabel*>(sibling)) continue;
      EXPECT_FALSE(sibling->geometry().intersects(text))
          << label->text().toStdString() << " under " << sibling->objectName().toStdString();
    }
  }
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    if (button->objectName().isEmpty() || !button->isVisibleTo(form.get())) continue;
    int needed = button->fontMetrics().tightBoundingRect(button->text()).width() + 2;
    if (auto* box = qobject_cast<QCheckBox*>(button)) needed = box->sizeHint().width();
    EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    EXPECT_LE(button->fontMetrics().ascent(), button->height()) << button->objectName().toStdString();
  }
}

TEST_F(LayoutTest, TabWalksTheFieldsInReadingOrder) {
  const Names expected = {"Edit1",     "Edit6",  "Edit2",  "Edit7",   "DateTimePicker1", "CheckBox1",
                          "Edit4",     "Edit8",  "Edit5",  "Edit9",   "Edit3",           "Edit12",
                          "ComboBox1", "Edit13", "Edit14", "Edit10",  "Edit15",          "Edit16",
                          "Edit17",    "Edit18", "Edit19", "Memo1",   "Memo2",           "Memo3",
                          "Memo4",     "Memo7",  "Memo8",  "Button5", "Button6"};
  Names walked = {QApplication::focusWidget()->objectName().toStdString()};
  while (walked.size() < expected.size()) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    walked.push_back(QApplication::focusWidget()->objectName().toStdString());
  }
  EXPECT_EQ(walked, expected);
}

}  // namespace
}  // namespace quillory::testing
