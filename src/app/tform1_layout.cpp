// The window and its menus, at the fixed positions and with the fixed names of the window's layout.
#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

#include "app/fonts.h"
#include "app/tform1.h"
#include "common/version.h"

namespace quillory {
namespace {

constexpr int kClientWidth = 692;
constexpr int kClientHeight = 684;

using R = ReadmeProject;

// The entries of Edit > Html > Colors that pick a colour, in menu order, with the colour each sets.
const struct {
  const char* name;
  const char* caption;
  std::string R::*colour;
} kColourItems[] = {
    {"Body1", "<body>", &R::c1},     {"DFont1", "<td> (font)", &R::c2},
    {"Border1", "<border>", &R::c3}, {"BorderBg1", "<border> (background)", &R::c4},
    {"Bold1", "<strong>", &R::c5},   {"H31", "<h3>", &R::c6},
};

// The entries of Edit > Html > Character Set, in menu order.
const struct {
  const char* name;
  const char* caption;
  CharsetItem item;
} kCharsetItems[] = {
    {"UTF81", "UTF-8", CharsetItem::kUtf8},
    {"iso1", "iso-8859-1", CharsetItem::kIso88591},
    {"iso885921", "iso-8859-2", CharsetItem::kIso88592},
};

QMenu* AddMenu(auto* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
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
    page_control_->addTab(sheet, QString::fromUtf8(tab.caption));
  }
  page_control_->setCurrentIndex(0);
  On(page_control_, &QTabWidget::currentChanged, [this] { PageControl1Change(); });
  setCentralWidget(page_control_);
  if (first_field_) first_field_->setFocus();

  // The page control has the whole client area of 692 x 684 below the menu bar, which Qt counts as part
  // of the window.
  const int menu_height = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
  setFixedSize(kClientWidth, kClientHeight + menu_height);
  if (const QScreen* display = screen()) move(display->availableGeometry().center() - rect().center());
}

void TForm1::BuildMenus() {
  // An item that runs a handler of the window.
  auto add_command = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut,
                            auto handler) {
    QAction* action = AddItem(menu, name, caption, shortcut);
    On(action, &QAction::triggered, handler);
    return action;
  };

  QMenu* file = AddMenu(menuBar(), "FileMenu", "&File");
  add_command(file, "New1", "New", Qt::CTRL | Qt::Key_N, [this] { New1Click(); });
  add_command(file, "Open1", "Open", Qt::CTRL | Qt::Key_O, [this] { Open1Click(); });
  add_command(file, "Save2", "Save", Qt::CTRL | Qt::Key_S, [this] { Save2Click(); });
  add_command(file, "Save1", "Save As...", Qt::Key_F6, [this] { Save1Click(); });
  file->addSeparator()->setObjectName(QStringLiteral("N2"));
  add_command(file, "Exit1", "Exit", Qt::CTRL | Qt::Key_X, [this] { Exit1Click(); });

  QMenu* edit = AddMenu(menuBar(), "EditMenu", "&Edit");
  add_command(edit, "Clearall1", "Clear All", Qt::CTRL | Qt::Key_C, [this] { Clearall1Click(); });
  // Without a shortcut: Ctrl+Z stays the fields' own undo.
  undo_clear_all_ =
      add_command(edit, "UndoClearall1", "Undo Clear All", {}, [this] { UndoClearall1Click(); });
  undo_clear_all_->setEnabled(false);
  connect(edit, &QMenu::aboutToShow, this,
          [this] { undo_clear_all_->setEnabled(session_.CanUndoClearAll()); });
  QMenu* html = AddMenu(edit, "HtmlMenu", "Html");
  QMenu* charset = AddMenu(html, "CharacterSetMenu", "Character Set");
  for (const auto& entry : kCharsetItems) {
    QAction* action = add_command(charset, entry.name, entry.caption, {},
                                  [this, item = entry.item] { CharsetClick(item); });
    action->setCheckable(true);
    charset_items_.emplace_back(action, entry.item);
  }
  QMenu* colors = AddMenu(html, "ColorsMenu", "Colors");
  for (const auto& entry : kColourItems) {
    add_command(colors, entry.name, entry.caption, {}, [this, colour = entry.colour] { ColorClick(colour); });
  }
  colors->addSeparator()->setObjectName(QStringLiteral("N1"));
  add_command(colors, "Default1", "Default", {}, [this] { Default1Click(); });

  QMenu* help = AddMenu(menuBar(), "HelpMenu", "&Help");
  add_command(help, "About2", "About", Qt::CTRL | Qt::Key_A, [this] { About2Click(); });
  add_command(help, "ClearRegistry1", "Remove *.qlx associate", {}, [this] { ClearRegistry1Click(); });
}

}  // namespace quillory
