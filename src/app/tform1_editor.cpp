// The Editor tab: a control for every fact the fact table places in the window, at the place its row and
// column give in the fixed layout, with the names, labels and tooltips only the window knows.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <limits>
#include <vector>

#include "app/fact_binding.h"
#include "app/fonts.h"
#include "app/paste_guard.h"
#include "app/tform1.h"

namespace quillory {
namespace {

using R = ReadmeProject;

constexpr int kRowHeight = 21;
const QColor kFieldBackground(0xF3, 0xF4, 0xF8);
const QColor kFieldText(0x25, 0x2C, 0x38);

// The upper group box: a row every 24 pixels from the top; each column a label and a field.
constexpr int kUpperTop = 16;
constexpr int kUpperRowPitch = 24;
constexpr int kLabelX[] = {8, 312};
constexpr int kFieldX[] = {88, 424};

// The lower group box: text areas of 321 x 97 in two columns, each below its label.
constexpr int kLowerTop = 16;
constexpr int kLowerRowPitch = 120;
constexpr int kLowerColumnPitch = 336;
constexpr int kLowerLeft = 8;

// What only the window knows of a one-line fact: its control's name, its label, its width and tooltip,
// and the list a licence-type box offers.
struct FieldControl {
  std::string_view key;
  const char* control;
  const char* label;
  int width;
  const char* tooltip;
  const char* choices = nullptr;  // "|" between the items of a box with a list; nullptr for a plain field
};

const FieldControl kFieldControls[] = {
    {"program_name", "Edit1", "&Program Name :", 201, "e.g. : Your program name"},
    {"version", "Edit2", "&Version :", 65, "e.g. : v0.0.2"},
    {"website", "Edit4", "We&bsite :", 201, "e.g. : http://www.example.com"},
    {"email", "Edit5", "E&mail :", 153, "e.g. : info@example.com"},
    {"copyright", "Edit3", "&Copyright :", 201, "e.g. : Your Company® 2000 All Rights Reserved"},
    {"license_type", "ComboBox1", "License &Type :", 129, "e.g. : GPL",
     "Freeware|GPL|Adware|Trial|Demo|Shareware"},
    {"limitations", "Edit14", "&Limitations :", 201, "e.g. : Save function only registred users"},
    {"author", "Edit6", "&Author :", 153, "e.g. : You name or Your Company"},
    {"creation", "Edit7", "&Release Date :", 105, "Your program creation date"},
    {"down_url", "Edit8", "&Download URL :", 225, "e.g. : http://www.example.com/download.php?down=x"},
    {"down_mirror", "Edit9", "Download URL Mirr&or :", 225,
     "e.g. : http://mirror.example.com/download.php?down=x"},
    {"surce_url", "Edit12", "&Source URL :", 225, "e.g. : http://www.example.com/source.php?down=x"},
    {"screenshot_url", "Edit13", "ScreenShot &URL :", 225, "e.g. : http://www.example.com/screenshot.png"},
    {"languages", "Edit10", "Lan&guages :", 225, "e.g. : English, Spain, Hungarian"},
    {"paid", "Edit15", "Pa&id :", 73, "e.g. : 10€"},
    {"os", "Edit16", "Operating S&ystems :", 225, "e.g.: Unix, Linux or Win 2003/XP/Vista"},
    {"size", "Edit17", "File Si&ze :", 153, "e.g. : 11MB"},
    {"md5", "Edit18", "MD&5 Hash :", 225, "Use right button and browse your program file"},
    // The only field of its row, which runs to the right column's edge.
    {"sha256", "Edit19", "SHA-25&6 :", kFieldX[1] + 225 - kFieldX[0],
     "Use right button and browse your program file"},
};

// The button right of a one-line field: an address's visits it, any other takes the value from a file
// through from_file.
struct FieldButton {
  std::string_view key;
  const char* name;
  void (TForm1::*from_file)() = nullptr;
  const char* accessible_name = "";  // what a file button does, for screen readers
};

const FieldButton kFieldButtons[] = {
    {"website", "Button5"},
    {"down_url", "Button6"},
    {"down_mirror", "Button7"},
    {"surce_url", "Button16"},
    {"screenshot_url", "Button17"},
    {"size", "Button18", &TForm1::Button18Click, "Take File Size from a file"},
    {"md5", "Button19", &TForm1::Button19Click, "Compute MD5 Hash of a file"},
    {"sha256", "Button58", &TForm1::Button58Click, "Compute SHA-256 Hash of a file"},
};

// What only the window knows of a text area: its name, its label, and its clear ("-") and load ("...")
// buttons.
struct TextAreaControl {
  std::string_view key;
  const char* control;
  const char* label;
  const char* clear_button;
  const char* load_button;
};

const TextAreaControl kTextAreaControls[] = {
    {"descript_uses", "Memo1", "Descriptio&n or/and Uses:", "Button8", "Button1"},
    {"required", "Memo2", "Re&quired :", "Button9", "Button2"},
    {"news", "Memo3", "&What's New :", "Button10", "Button3"},
    {"license", "Memo4", "L&icense :", "Button11", "Button4"},
    {"changelog", "Memo7", "Change Lo&g :", "Button54", "Button55"},
    {"todo", "Memo8", "To&Do :", "Button56", "Button57"},
};

// The buttons that add to the copyright, left to right on the licence-type box's row.
const struct {
  const char* name;
  const char* caption;
  const char* tooltip;
  bool bold;
  const char* accessible_name;
  CopyrightAddition addition;
} kCopyrightButtons[] = {
    {"Button15", "R", "All Rights Reserved text in Copyright filed", true,
     "Add All Rights Reserved to Copyright", CopyrightAddition::kAllRightsReserved},
    {"Button12", "©", "© char in Copyright field", false, "Add © to Copyright",
     CopyrightAddition::kCopyrightSign},
    {"Button13", "®", "® char in Copyright field", false, "Add ® to Copyright",
     CopyrightAddition::kRegisteredSign},
    {"Button14", "™", "™ char in Copyright field", true, "Add ™ to Copyright",
     CopyrightAddition::kTradeMarkSign},
};
constexpr QPoint kCopyrightButtonsAt(224, 138);
constexpr int kCopyrightButtonSize = 17;
constexpr int kCopyrightButtonStep = 16;  // each overlaps the one before by a pixel

// The entry of the key in a table of controls, or nullptr.
template <typename Entry, size_t size>
const Entry* EntryOf(const Entry (&table)[size], std::string_view key) {
  for (const Entry& entry : table) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

// The facts the fact table places in a group box, row by row, left column first.
std::vector<const Fact*> FactsIn(WindowGroup group) {
  std::vector<const Fact*> facts;
  for (const Fact& fact : Facts()) {
    if (fact.window.group == group) facts.push_back(&fact);
  }
  std::stable_sort(facts.begin(), facts.end(), [](const Fact* a, const Fact* b) {
    return std::pair(a->window.row, a->window.column) < std::pair(b->window.row, b->window.column);
  });
  return facts;
}

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

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A label's caption as the accessible name of its field: without its mnemonic mark, the colon and the
// blanks around it.
QString NameOfLabel(const char* caption) {
  QString name = Text(caption).remove(QLatin1Char('&')).trimmed();
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

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

// Makes control the label's buddy, whose mnemonic then shows as a mark under its letter instead of an "&",
// and narrows the label to that caption.
void SetBuddy(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  label->resize(label->sizeHint().width(), label->height());
}

// The fields' own colours, the background always with its text colour, so any theme stays readable.
void StyleInput(QWidget* input) {
  QPalette palette = input->palette();
  palette.setColor(QPalette::Base, kFieldBackground);
  palette.setColor(QPalette::Text, kFieldText);
  input->setPalette(palette);
}

// A small button beside a field, in the window's font.
QPushButton* AddSmallButton(QWidget* parent, const char* name, const char* caption, QRect place,
                            const QString& tooltip, const QString& accessible_name) {
  auto* button = Place<QPushButton>(parent, name, place.x(), place.y(), place.width(), place.height());
  button->setText(Text(caption));
  button->setToolTip(tooltip);
  button->setAccessibleName(accessible_name);
  return button;
}

// A one-line field, or a box with a list that takes any text, at (x, y); returns the control and its
// line of text.
std::pair<QWidget*, QLineEdit*> AddOneLineControl(QWidget* parent, const FieldControl& entry, int x, int y) {
  QLineEdit* line = nullptr;
  QWidget* control = nullptr;
  if (entry.choices) {
    auto* combo = Place<QComboBox>(parent, entry.control, x, y, entry.width, kRowHeight);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(Text(entry.choices).split(QLatin1Char('|')));
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    line = combo->lineEdit();
    control = combo;
  } else {
    line = Place<QLineEdit>(parent, entry.control, x, y, entry.width, kRowHeight);
    control = line;
  }
  line->setMaxLength(std::numeric_limits<int>::max());  // the facts have no length limit
  control->setToolTip(Text(entry.tooltip));
  control->setAccessibleName(NameOfLabel(entry.label));
  StyleInput(control);
  return {control, line};
}

// Sizes the picker for the longest date of the locale; it keeps its place and grows to the right, and the
// Time box keeps its distance to it, within the group box's frame (the gap gives way first).
void FitDatePicker(DatePicker* picker, QCheckBox* time) {
  const int gap = time->x() - picker->geometry().right() - 1;
  picker->resize(std::max(picker->width(), picker->WidthForLongestDate()), picker->height());
  const int last_x = picker->parentWidget()->contentsRect().right() + 1 - time->width();
  time->move(std::min(picker->geometry().right() + 1 + gap, last_x), time->y());
}

// Puts buttons in reading order: by the row of the upper group box they stand on, then left to right.
void SortInReadingOrder(std::vector<QWidget*>& buttons) {
  auto place = [](const QWidget* button) {
    return std::pair((button->y() - kUpperTop + kUpperRowPitch / 2) / kUpperRowPitch, button->x());
  };
  std::stable_sort(buttons.begin(), buttons.end(),
                   [&](const QWidget* a, const QWidget* b) { return place(a) < place(b); });
}

}  // namespace

QWidget* TForm1::BuildEditorTab() {
  auto* sheet = new QWidget(page_control_);
  auto [fields, field_buttons] = BuildUpperBox(Place<QGroupBox>(sheet, "GroupBox1", 6, 0, 673, 265));
  auto [areas, area_buttons] = BuildLowerBox(Place<QGroupBox>(sheet, "GroupBox2", 6, 272, 673, 377));

  // Tab walks the fields in reading order, then the buttons beside them in the same order.
  std::vector<QWidget*> order = fields;
  for (const auto* part : {&areas, &field_buttons, &area_buttons})
    order.insert(order.end(), part->begin(), part->end());
  for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  first_field_ = order.empty() ? nullptr : order.front();
  return sheet;
}

std::pair<std::vector<QWidget*>, std::vector<QWidget*>> TForm1::BuildUpperBox(QGroupBox* box) {
  std::vector<QWidget*> fields;
  std::vector<QWidget*> buttons;
  for (const Fact* fact : FactsIn(WindowGroup::kUpperBox)) {
    const FieldControl* entry = EntryOf(kFieldControls, fact->key);
    if (entry == nullptr) continue;  // a fact the window has no control for
    const int x = kFieldX[fact->window.column];
    const int y = kUpperTop + kUpperRowPitch * fact->window.row;
    QLabel* label = AddLabel(box, entry->label, kLabelX[fact->window.column], y, kRowHeight);
    auto [control, line] = AddOneLineControl(box, *entry, x, y);
    SetBuddy(label, control);
    facts_.push_back(std::make_unique<FactBinding>(line, fact->member, session_.record()));
    connect(line, &QLineEdit::textChanged, this, &TForm1::ShowModified);  // after the binding stored it
    fields.push_back(control);
    const auto member = fact->member;
    if (fact->kind == FactKind::kAddress)
      On(line, &QLineEdit::returnPressed, [this, member] { VisitClick(member); });
    if (member == &R::creation) {
      AddDatePicker(box, y);
      fields.insert(fields.end(), {date_picker_, time_box_});
    }
    const FieldButton* side = EntryOf(kFieldButtons, fact->key);
    if (side == nullptr) continue;
    const QRect place(x + entry->width + 1, y, 15, 20);
    QPushButton* button = nullptr;
    if (fact->kind == FactKind::kAddress) {
      button = AddSmallButton(box, side->name, ">", place, Text("Visit Link..."),
                              QStringLiteral("Visit ") + NameOfLabel(entry->label));
      On(button, &QAbstractButton::clicked, [this, member] { VisitClick(member); });
    } else if (side->from_file) {
      button =
          AddSmallButton(box, side->name, "...", place, Text("Open File..."), Text(side->accessible_name));
      On(button, &QAbstractButton::clicked, [this, handler = side->from_file] { (this->*handler)(); });
    } else {
      continue;  // a button that would do nothing
    }
    buttons.push_back(button);
  }
  for (size_t i = 0; i < std::size(kCopyrightButtons); ++i) {
    const auto& entry = kCopyrightButtons[i];
    const QRect place(kCopyrightButtonsAt + QPoint(static_cast<int>(i) * kCopyrightButtonStep, 0),
                      QSize(kCopyrightButtonSize, kCopyrightButtonSize));
    QPushButton* button = AddSmallButton(box, entry.name, entry.caption, place, Text(entry.tooltip),
                                         Text(entry.accessible_name));
    button->setFont(LargeWindowFont(entry.bold));
    On(button, &QAbstractButton::clicked, [this, addition = entry.addition] { CopyrightClick(addition); });
    buttons.push_back(button);
  }
  SortInReadingOrder(buttons);
  return {fields, buttons};
}

void TForm1::AddDatePicker(QGroupBox* box, int y) {
  auto* picker = Place<DatePicker>(box, "DateTimePicker1", 536, y, 81, kRowHeight);
  picker->setCalendarPopup(true);
  picker->setDate(QDate(2006, 12, 3));
  picker->setAccessibleName(QStringLiteral("Release Date calendar"));
  StyleInput(picker);
  auto* time = Place<QCheckBox>(box, "CheckBox1", 624, y + 2, 41, 17);
  time->setText(Text("&Time"));
  time->setAccessibleName(QStringLiteral("Release Date with the time"));
  time->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));  // box and caption fit in 41 pixels
  FitDatePicker(picker, time);
  date_picker_ = picker;
  time_box_ = time;
  On(picker, &QDateEdit::dateChanged, [this] { DateTimePicker1Change(); });
}

std::pair<std::vector<QWidget*>, std::vector<QWidget*>> TForm1::BuildLowerBox(QGroupBox* box) {
  std::vector<QWidget*> areas;
  std::vector<QWidget*> buttons;
  for (const Fact* fact : FactsIn(WindowGroup::kLowerBox)) {
    const TextAreaControl* entry = EntryOf(kTextAreaControls, fact->key);
    if (entry == nullptr) continue;  // a fact the window has no control for
    const int x = kLowerLeft + kLowerColumnPitch * fact->window.column;
    const int y = kLowerTop + kLowerRowPitch * fact->window.row;
    QLabel* label = AddLabel(box, entry->label, x, y, 15);
    auto* area = Place<EditorArea>(box, entry->control, x, y + 16, 321, 97);
    SetBuddy(label, area);
    const QString name = NameOfLabel(entry->label);
    area->setAccessibleName(name);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setTabChangesFocus(true);
    StyleInput(area);
    facts_.push_back(std::make_unique<FactBinding>(area, fact->member, session_.record()));
    connect(area, &QPlainTextEdit::textChanged, this, &TForm1::ShowModified);
    areas.push_back(area);

    const auto member = fact->member;
    QPushButton* clear = AddSmallButton(box, entry->clear_button, "-", QRect(x + 264, y, 25, 15),
                                        Text("Clear"), QStringLiteral("Clear ") + name);
    On(clear, &QAbstractButton::clicked, [this, member] { ClearTextClick(member); });
    QPushButton* load = AddSmallButton(box, entry->load_button, "...", QRect(x + 296, y, 25, 15),
                                       name + QStringLiteral(" text open in file..."),
                                       QStringLiteral("Load %1 from a text file").arg(name));
    On(load, &QAbstractButton::clicked, [this, member] { LoadTextClick(member); });
    buttons.insert(buttons.end(), {clear, load});
  }
  return {areas, buttons};
}

}  // namespace quillory
