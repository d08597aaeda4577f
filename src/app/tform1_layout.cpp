// The window, its menus and the Editor tab, at the pixel positions of the original form.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <limits>
#include <vector>

#include "app/fonts.h"
#include "app/paste_guard.h"
#include "app/tform1.h"
#include "common/version.h"

namespace quillory {
namespace {

using R = ReadmeProject;

constexpr int kClientWidth = 692;
constexpr int kClientHeight = 684;
constexpr int kRowHeight = 21;
const QColor kFieldBackground(0xF3, 0xF4, 0xF8);
const QColor kFieldText(0x25, 0x2C, 0x38);

// One one-line fact of the upper group box: label, control, record field, position and tooltip.
struct OneLineFact {
  const char* label;
  int label_x;
  const char* control;
  int control_x;
  int y;
  int width;
  std::string R::*member;
  const char* tooltip;
};

// In reading order: row by row, left column first.
constexpr int kLeftLabel = 8, kLeftControl = 88, kRightLabel = 312, kRightControl = 424;
const OneLineFact kOneLineFacts[] = {
    {"Program Name :", kLeftLabel, "Edit1", kLeftControl, 16, 201, &R::program_name,
     "e.g. : Your program name"},
    {"Author :", kRightLabel, "Edit6", kRightControl, 16, 153, &R::author, "e.g. : You name or Your Company"},
    {"Version :", kLeftLabel, "Edit2", kLeftControl, 40, 65, &R::version, "e.g. : v0.0.2"},
    {"Release Date :", kRightLabel, "Edit7", kRightControl, 40, 105, &R::creation,
     "Your program creation date"},
    {"Website :", kLeftLabel, "Edit4", kLeftControl, 64, 201, &R::website, "e.g. : http://www.example.com"},
    {"Download URL :", kRightLabel, "Edit8", kRightControl, 64, 225, &R::down_url,
     "e.g. : http://www.example.com/download.php?down=x"},
    {"Email :", kLeftLabel, "Edit5", kLeftControl, 88, 153, &R::email, "e.g. : info@example.com"},
    {"Download URL Mirror :", kRightLabel, "Edit9", kRightControl, 88, 225, &R::down_mirror,
     "e.g. : http://mirror.example.com/download.php?down=x"},
    {"Copyright :", kLeftLabel, "Edit3", kLeftControl, 112, 201, &R::copyright,
     "e.g. : Your Company® 2000 All Rights Reserved"},
    {"Source URL :", kRightLabel, "Edit12", kRightControl, 112, 225, &R::surce_url,
     "e.g. : http://www.example.com/source.php?down=x"},
    {"License Type :", kLeftLabel, "ComboBox1", kLeftControl, 136, 129, &R::license_type, "e.g. : GPL"},
    {"ScreenShot URL :", kRightLabel, "Edit13", kRightControl, 136, 225, &R::screenshot_url,
     "e.g. : http://www.example.com/screenshot.png"},
    {"Limitations :", kLeftLabel, "Edit14", kLeftControl, 160, 201, &R::limitations,
     "e.g. : Save function only registred users"},
    {"Languages :", kRightLabel, "Edit10", kRightControl, 160, 225, &R::languages,
     "e.g. : English, Spain, Hungarian"},
    {"Paid :", kLeftLabel, "Edit15", kLeftControl, 184, 73, &R::paid, "e.g. : 10€"},
    {"Operating Systems :", kRightLabel, "Edit16", kRightControl, 184, 225, &R::os,
     "e.g.: Unix, Linux or Win 2003/XP/Vista"},
    {"File Size :", kLeftLabel, "Edit17", kLeftControl, 208, 153, &R::size, "e.g. : 11MB"},
    {"MD5 Hash :", kRightLabel, "Edit18", kRightControl, 208, 225, &R::md5,
     "Use right button and browse your program file"},
    // The only row with one field, which runs to the right column's edge.
    {"SHA-256 :", kLeftLabel, "Edit19", kLeftControl, 232, kRightControl + 225 - kLeftControl, &R::sha256,
     "Use right button and browse your program file"},
};

// A small button beside a field.
struct SmallButton {
  const char* name;
  const char* caption;
  int x, y, width, height;
  const char* tooltip;
  enum { kWindowFont, kLarge, kLargeBold } font;
  QString accessible_name;  // what it does, for screen readers
};

// In reading order.
const std::vector<SmallButton> kUpperButtons = {
    {"Button5", ">", 290, 64, 15, 20, "Visit Link...", SmallButton::kWindowFont, "Visit Website"},
    {"Button6", ">", 650, 64, 15, 20, "Visit Link...", SmallButton::kWindowFont, "Visit Download URL"},
    {"Button7", ">", 650, 88, 15, 20, "Visit Link...", SmallButton::kWindowFont, "Visit Download URL Mirror"},
    {"Button16", ">", 650, 112, 15, 20, "Visit Link...", SmallButton::kWindowFont, "Visit Source URL"},
    {"Button15", "R", 224, 138, 17, 17, "All Rights Reserved text in Copyright filed",
     SmallButton::kLargeBold, "Add All Rights Reserved to Copyright"},
    {"Button12", "©", 240, 138, 17, 17, "© char in Copyright field", SmallButton::kLarge,
     QString::fromUtf8("Add © to Copyright")},
    {"Button13", "®", 256, 138, 17, 17, "® char in Copyright field", SmallButton::kLarge,
     QString::fromUtf8("Add ® to Copyright")},
    {"Button14", "™", 272, 138, 17, 17, "™ char in Copyright field", SmallButton::kLargeBold,
     QString::fromUtf8("Add ™ to Copyright")},
    {"Button17", ">", 650, 136, 15, 20, "Visit Link...", SmallButton::kWindowFont, "Visit ScreenShot URL"},
    {"Button18", "...", 242, 208, 15, 20, "Open File...", SmallButton::kWindowFont,
     "Take File Size from a file"},
    {"Button19", "...", 650, 208, 15, 20, "Open File...", SmallButton::kWindowFont,
     "Compute MD5 Hash of a file"},
    {"Button58", "...", 650, 232, 15, 20, "Open File...", SmallButton::kWindowFont,
     "Compute SHA-256 Hash of a file"},
};

// One text area of the lower group box with its label and its clear and load buttons.
struct MultiLineFact {
  const char* label;
  int x, y;  // of the label; the area stands 16 pixels below it
  const char* control;
  std::string R::*member;
  const char* clear_button;
  int clear_x;
  const char* load_button;
  int load_x;
  const char* load_tooltip;
};

const MultiLineFact kMultiLineFacts[] = {
    {"Description or/and Uses:", 8, 16, "Memo1", &R::descript_uses, "Button8", 272, "Button1", 304,
     "Description or/and Uses text open in file..."},
    {"Required :", 344, 16, "Memo2", &R::required, "Button9", 608, "Button2", 640,
     "Required text open in file..."},
    {"What's New :", 8, 136, "Memo3", &R::news, "Button10", 272, "Button3", 304,
     "What's New text open in file..."},
    {"License :", 344, 136, "Memo4", &R::license, "Button11", 608, "Button4", 640,
     "License text open in file..."},
    {"Change Log :", 8, 256, "Memo7", &R::changelog, "Button54", 272, "Button55", 304,
     "Change Log text open in file..."},
    {"ToDo :", 344, 256, "Memo8", &R::todo, "Button56", 608, "Button57", 640, "ToDo text open in file..."},
};

// The release-date picker. Tab leaves it, as it leaves every other field, instead of walking the date's
// sections (the arrow keys still do).
class DatePicker : public QDateEdit {
 public:
  using QDateEdit::QDateEdit;

  // The width that shows the longest date of the display format whole (every day of a year, so every
  // month and weekday name counts), sized the way Qt sizes the picker for its own range.
  int WidthForLongestDate() const {
    const QFontMetrics metrics(font());
    auto advance = [&](QDate date) {
      return metrics.horizontalAdvance(locale().toString(date, displayFormat()) + QLatin1Char(' '));
    };
    const int range_text = std::max(advance(minimumDate()), advance(maximumDate()));
    int longest = 0;
    for (QDate day(2006, 1, 1); day.year() == 2006; day = day.addDays(1))
      longest = std::max(longest, advance(day));
    return sizeHint().width() + std::max(0, longest - range_text);
  }

 protected:
  bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A label's caption as the accessible name of its field: without the colon and the blanks around it.
QString NameOfLabel(const char* caption) {
  QString name = Text(caption).trimmed();
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

// An area of the Editor tab. A paste source that holds no text never reaches Qt's own insertion (Qt 6.4
// crashes there on an empty clipboard); text is inserted as plain text.
class EditorArea : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override { return HasPasteText(source); }
  void insertFromMimeData(const QMimeData* source) override {
    if (HasPasteText(source)) QPlainTextEdit::insertFromMimeData(source);
  }
};

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, int x, int y, int width, int height) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(x, y, width, height);
  return widget;
}

// A label as wide as its caption, vertically centred on a row of the given height.
QLabel* AddLabel(QWidget* parent, const char* caption, int x, int y, int height) {
  auto* label = new QLabel(Text(caption), parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setGeometry(x, y, label->sizeHint().width(), height);
  return label;
}

// The fields' own colours, the background always with its text colour, so any theme stays readable.
void StyleInput(QWidget* input) {
  QPalette palette = input->palette();
  palette.setColor(QPalette::Base, kFieldBackground);
  palette.setColor(QPalette::Text, kFieldText);
  input->setPalette(palette);
}

QPushButton* AddSmallButton(QWidget* parent, const SmallButton& entry) {
  auto* button = Place<QPushButton>(parent, entry.name, entry.x, entry.y, entry.width, entry.height);
  button->setText(Text(entry.caption));
  button->setToolTip(Text(entry.tooltip));
  button->setAccessibleName(entry.accessible_name);
  if (entry.font != SmallButton::kWindowFont)
    button->setFont(LargeWindowFont(entry.font == SmallButton::kLargeBold));
  return button;
}

QWidget* AddOneLineControl(QWidget* parent, const OneLineFact& fact) {
  QLineEdit* line = nullptr;
  QWidget* control = nullptr;
  if (std::string_view(fact.control) == "ComboBox1") {
    auto* combo = Place<QComboBox>(parent, fact.control, fact.control_x, fact.y, fact.width, kRowHeight);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({"Freeware", "GPL", "Adware", "Trial", "Demo", "Shareware"});
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    line = combo->lineEdit();
    control = combo;
  } else {
    line = Place<QLineEdit>(parent, fact.control, fact.control_x, fact.y, fact.width, kRowHeight);
    control = line;
  }
  line->setMaxLength(std::numeric_limits<int>::max());  // the facts have no length limit
  control->setToolTip(Text(fact.tooltip));
  control->setAccessibleName(NameOfLabel(fact.label));
  StyleInput(control);
  return control;
}

}  // namespace

void TForm1::BuildWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  setWindowTitle(QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())));
  BuildMenus();

  // The page control exists before its tabs, so that every control is created with the window's font and
  // sizes its captions with it.
  page_control_ = new QTabWidget(this);
  page_control_->setObjectName(QStringLiteral("PageControl1"));
  const struct {
    const char* name;
    const char* caption;
    QWidget* (TForm1::*build)();
  } tabs[] = {{"TabSheet1", "Editor", &TForm1::BuildEditorTab},
              {"TabSheet2", "Preview Text", &TForm1::BuildPreviewTextTab},
              {"TabSheet3", "Preview Html", &TForm1::BuildPreviewHtmlTab},
              {"TabSheet4", "NFO", &TForm1::BuildNfoTab}};
  for (const auto& tab : tabs) {
    QWidget* sheet = (this->*tab.build)();
    sheet->setObjectName(QString::fromLatin1(tab.name));
    page_control_->addTab(sheet, Text(tab.caption));
  }
  page_control_->setCurrentIndex(0);
  connect(page_control_, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
  setCentralWidget(page_control_);
  SetEditorTabOrder();

  // The page control has the whole client area of 692 x 684 below the menu bar, which Qt counts as part
  // of the window.
  const int menu_height = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
  setFixedSize(kClientWidth, kClientHeight + menu_height);
  if (const QScreen* display = screen()) move(display->availableGeometry().center() - rect().center());
}

void TForm1::BuildMenus() {
  auto add_item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
    QAction* action = menu->addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
  };
  auto add_menu = [](auto* parent, const char* name, const char* caption) {
    QMenu* menu = parent->addMenu(Text(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };

  QMenu* file = add_menu(menuBar(), "FileMenu", "&File");
  add_item(file, "New1", "New", Qt::CTRL | Qt::Key_N);
  add_item(file, "Open1", "Open", Qt::CTRL | Qt::Key_O);
  add_item(file, "Save2", "Save", Qt::CTRL | Qt::Key_S);
  add_item(file, "Save1", "Save As...", Qt::Key_F6);
  file->addSeparator()->setObjectName(QStringLiteral("N2"));
  add_item(file, "Exit1", "Exit", Qt::CTRL | Qt::Key_X);

  QMenu* edit = add_menu(menuBar(), "EditMenu", "&Edit");
  add_item(edit, "Clearall1", "Clear All", Qt::CTRL | Qt::Key_C);
  undo_clear_all_ = add_item(edit, "UndoClearall1", "Undo Clear All");  // Ctrl+Z stays the fields' own undo
  undo_clear_all_->setEnabled(false);
  connect(edit, &QMenu::aboutToShow, this,
          [this] { undo_clear_all_->setEnabled(clear_all_undo_.CanUndo(record_)); });
  QMenu* html = add_menu(edit, "HtmlMenu", "Html");
  QMenu* charset = add_menu(html, "CharacterSetMenu", "Character Set");
  for (auto [name, caption, item] : {std::tuple{"UTF81", "UTF-8", CharsetItem::kUtf8},
                                     std::tuple{"iso1", "iso-8859-1", CharsetItem::kIso88591},
                                     std::tuple{"iso885921", "iso-8859-2", CharsetItem::kIso88592}}) {
    QAction* action = add_item(charset, name, caption);
    action->setCheckable(true);
    charset_items_.emplace_back(action, item);
  }
  QMenu* colors = add_menu(html, "ColorsMenu", "Colors");
  add_item(colors, "Body1", "<body>");
  add_item(colors, "DFont1", "<td> (font)");
  add_item(colors, "Border1", "<border>");
  add_item(colors, "BorderBg1", "<border> (background)");
  add_item(colors, "Bold1", "<strong>");
  add_item(colors, "H31", "<h3>");
  colors->addSeparator()->setObjectName(QStringLiteral("N1"));
  add_item(colors, "Default1", "Default");

  QMenu* help = add_menu(menuBar(), "HelpMenu", "&Help");
  add_item(help, "About2", "About", Qt::CTRL | Qt::Key_A);
  add_item(help, "ClearRegistry1", "Remove *.qlx associate");
}

QWidget* TForm1::BuildEditorTab() {
  auto* sheet = new QWidget(page_control_);
  auto* upper = Place<QGroupBox>(sheet, "GroupBox1", 6, 0, 673, 265);
  for (const OneLineFact& fact : kOneLineFacts) {
    QLabel* label = AddLabel(upper, fact.label, fact.label_x, fact.y, kRowHeight);
    QWidget* control = AddOneLineControl(upper, fact);
    label->setBuddy(control);
    Bind(control, fact.member, false);
  }
  for (const SmallButton& button : kUpperButtons) AddSmallButton(upper, button);

  auto* picker = Place<DatePicker>(upper, "DateTimePicker1", 536, 40, 81, kRowHeight);
  date_picker_ = picker;
  picker->setCalendarPopup(true);
  picker->setDate(QDate(2006, 12, 3));
  picker->setAccessibleName(QStringLiteral("Release Date calendar"));
  StyleInput(picker);
  auto* time = Place<QCheckBox>(upper, "CheckBox1", 624, 42, 41, 17);
  time_box_ = time;
  time->setText(Text("Time"));
  time->setAccessibleName(QStringLiteral("Release Date with the time"));
  time->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));  // box and caption fit in 41 pixels
  FitDatePicker();

  auto* lower = Place<QGroupBox>(sheet, "GroupBox2", 6, 272, 673, 377);
  for (const MultiLineFact& fact : kMultiLineFacts) {
    QLabel* label = AddLabel(lower, fact.label, fact.x, fact.y, 15);
    auto* area = Place<EditorArea>(lower, fact.control, fact.x, fact.y + 16, 321, 97);
    label->setBuddy(area);
    const QString name = NameOfLabel(fact.label);
    area->setAccessibleName(name);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setTabChangesFocus(true);
    StyleInput(area);
    Bind(area, fact.member, true);
    AddSmallButton(lower, {fact.clear_button, "-", fact.clear_x, fact.y, 25, 15, "Clear",
                           SmallButton::kWindowFont, QStringLiteral("Clear ") + name});
    AddSmallButton(lower, {fact.load_button, "...", fact.load_x, fact.y, 25, 15, fact.load_tooltip,
                           SmallButton::kWindowFont, QStringLiteral("Load %1 from a text file").arg(name)});
  }
  return sheet;
}

void TForm1::FitDatePicker() {
  // The picker keeps its place and grows to the right; the Time box keeps its distance to it.
  auto* picker = static_cast<DatePicker*>(date_picker_);
  const int gap = time_box_->x() - picker->geometry().right() - 1;
  picker->resize(std::max(picker->width(), picker->WidthForLongestDate()), picker->height());
  // Within the group box's frame; the gap gives way first.
  const int last_x = picker->parentWidget()->contentsRect().right() + 1 - time_box_->width();
  time_box_->move(std::min(picker->geometry().right() + 1 + gap, last_x), time_box_->y());
}

void TForm1::SetEditorTabOrder() {
  // Tab walks the fields in reading order, then the buttons beside them in the same order.
  std::vector<QWidget*> order;
  for (const OneLineFact& fact : kOneLineFacts) {
    order.push_back(findChild<QWidget*>(QString::fromLatin1(fact.control)));
    if (std::string_view(fact.control) == "Edit7") {
      order.push_back(findChild<QWidget*>(QStringLiteral("DateTimePicker1")));
      order.push_back(findChild<QWidget*>(QStringLiteral("CheckBox1")));
    }
  }
  for (const MultiLineFact& fact : kMultiLineFacts) order.push_back(findChild<QWidget*>(fact.control));
  for (const SmallButton& button : kUpperButtons) order.push_back(findChild<QWidget*>(button.name));
  for (const MultiLineFact& fact : kMultiLineFacts) {
    order.push_back(findChild<QWidget*>(fact.clear_button));
    order.push_back(findChild<QWidget*>(fact.load_button));
  }
  for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  order.front()->setFocus();
}

}  // namespace quillory
