// The window and its menus, at the fixed positions and with the fixed names of the window's layout.
#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "app/fonts.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "app/window_fit.h"
#include "common/version.h"

namespace quillory {
namespace {

constexpr int kClientWidth = 692;
constexpr int kClientHeight = 684;
// Room left for the window manager's frame and title bar before the window is shown and its real frame is
// known: generous, so the title bar stays on screen under the common window managers and scale factors.
constexpr QMargins kFrameAllowance(6, 36, 6, 6);
// The widest an Open Recent item's path is shown, in characters of the menu's font.
constexpr int kRecentItemChars = 60;

using R = ReadmeProject;

// The entries of Edit > Html > Colors that pick a colour, in menu order, with the colour each sets.
const struct {
  const char* name;
  const char* caption;
  std::string R::*colour;
} kColourItems[] = {
    {"Body1", "<&body>", &R::c1},     {"DFont1", "<&td> (font)", &R::c2},
    {"Border1", "<b&order>", &R::c3}, {"BorderBg1", "<border> (bac&kground)", &R::c4},
    {"Bold1", "<&strong>", &R::c5},   {"H31", "<h&3>", &R::c6},
};

// The entries of Edit > Html > Character Set, in menu order.
const struct {
  const char* name;
  const char* caption;
  CharsetItem item;
} kCharsetItems[] = {
    {"UTF81", "&UTF-8", CharsetItem::kUtf8},
    {"iso1", "iso-8859-&1", CharsetItem::kIso88591},
    {"iso885921", "iso-8859-&2", CharsetItem::kIso88592},
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
  page_control_->setFixedSize(kClientWidth, kClientHeight);
  // The page control keeps its fixed size; on a screen too small for it, this area scrolls.
  page_area_ = new QScrollArea(this);
  page_area_->setObjectName(QStringLiteral("PageArea"));
  page_area_->setFrameShape(QFrame::NoFrame);
  page_area_->setFocusPolicy(Qt::NoFocus);
  page_area_->setWidget(page_control_);
  setCentralWidget(page_area_);
  if (first_field_) first_field_->setFocus();
  FitToScreen();
}

void TForm1::FitToScreen() {
  // The page control has the whole client area of 692 x 684 below the menu bar, which Qt counts as part
  // of the window, when the screen has room for it.
  const int menu_height = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
  const QScreen* display = screen();
  const QRect available = display ? display->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
  // A pixel more than the bars take: at a fractional scale factor the window manager may round the
  // window a pixel smaller, which would otherwise bring a scroll bar the layout does not need.
  const QSize bars(page_area_->verticalScrollBar()->sizeHint().width() + 1,
                   page_area_->horizontalScrollBar()->sizeHint().height() + 1);
  const WindowFit fit =
      FitWindow(QSize(kClientWidth, kClientHeight), menu_height, available, kFrameAllowance, bars);
  if (fit.scrolls) {
    // Any size up to the whole layout, the page area scrolling as needed.
    setMinimumSize(std::min(fit.client.width(), 240), std::min(fit.client.height(), 160));
    setMaximumSize(kClientWidth + bars.width(), kClientHeight + menu_height + bars.height());
    resize(fit.client);
  } else {
    setFixedSize(fit.client);
  }
  move(fit.frame_at);
}

void TForm1::BuildMenus() {
  // An item that runs a handler of the window.
  auto add_command = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut,
                            auto handler) {
    QAction* action = AddItem(menu, name, caption, shortcut);
    On(action, &QAction::triggered, handler);
    return action;
  };

  // Ctrl+C, Ctrl+X, Ctrl+A and Ctrl+V belong to the controls (copy, cut, select all, paste) everywhere;
  // no command that discards anything sits on a key that a slip reaches. Exit is on the desktops' Quit
  // key and About on their Help key, named here since a platform without a theme knows neither.
  QMenu* file = AddMenu(menuBar(), "FileMenu", "&File");
  add_command(file, "New1", "&New", Qt::CTRL | Qt::Key_N, [this] { New1Click(); });
  add_command(file, "Open1", "&Open...", Qt::CTRL | Qt::Key_O, [this] { Open1Click(); });
  recent_menu_ = AddMenu(file, "OpenRecentMenu", "Open &Recent");
  // A fixed set of items that FillRecentMenu shows and names: an item is never deleted, not even by the
  // command it runs.
  for (size_t i = 0; i < RecentDocuments::kMaxRecentDocuments; ++i) {
    const QString name = QStringLiteral("Recent%1").arg(i + 1);
    recent_items_.push_back(add_command(recent_menu_, name.toLatin1().constData(), "", {}, [this, i] {
      if (i < session_.recent().paths().size()) OpenRecentClick(session_.recent().paths()[i]);
    }));
  }
  recent_menu_->addSeparator();
  add_command(recent_menu_, "ClearRecent1", "&Clear Menu", {}, [this] { ClearRecentClick(); });
  add_command(file, "Save2", "&Save", Qt::CTRL | Qt::Key_S, [this] { Save2Click(); });
  add_command(file, "Save1", "Save &As...", Qt::Key_F6, [this] { Save1Click(); });
  file->addSeparator()->setObjectName(QStringLiteral("N2"));
  add_command(file, "Exit1", "E&xit", Qt::CTRL | Qt::Key_Q, [this] { Exit1Click(); });

  QMenu* edit = AddMenu(menuBar(), "EditMenu", "&Edit");
  add_command(edit, "Clearall1", "&Clear All", Qt::CTRL | Qt::SHIFT | Qt::Key_Delete,
              [this] { Clearall1Click(); });
  // Without a shortcut: Ctrl+Z stays the fields' own undo.
  undo_clear_all_ =
      add_command(edit, "UndoClearall1", "&Undo Clear All", {}, [this] { UndoClearall1Click(); });
  undo_clear_all_->setEnabled(false);
  connect(edit, &QMenu::aboutToShow, this,
          [this] { undo_clear_all_->setEnabled(session_.CanUndoClearAll()); });
  QMenu* html = AddMenu(edit, "HtmlMenu", "&Html");
  QMenu* charset = AddMenu(html, "CharacterSetMenu", "Character &Set");
  auto* charset_group = new QActionGroup(charset);  // one item checked at a time
  charset_group->setExclusive(true);
  for (const auto& entry : kCharsetItems) {
    QAction* action = add_command(charset, entry.name, entry.caption, {},
                                  [this, item = entry.item] { CharsetClick(item); });
    action->setCheckable(true);
    action->setActionGroup(charset_group);
    charset_items_.emplace_back(action, entry.item);
  }
  QMenu* colors = AddMenu(html, "ColorsMenu", "&Colors");
  for (const auto& entry : kColourItems) {
    add_command(colors, entry.name, entry.caption, {}, [this, colour = entry.colour] { ColorClick(colour); });
  }
  colors->addSeparator()->setObjectName(QStringLiteral("N1"));
  add_command(colors, "Default1", "&Default", {}, [this] { Default1Click(); });

  QMenu* help = AddMenu(menuBar(), "HelpMenu", "&Help");
  add_command(help, "About2", "&About", Qt::Key_F1, [this] { About2Click(); });
  add_command(help, "ClearRegistry1", "&Remove *.qlx associate", {}, [this] { ClearRegistry1Click(); });
}

void TForm1::FillRecentMenu() {
  const std::vector<std::string>& paths = session_.recent().paths();
  const QFontMetrics metrics(recent_menu_->font());
  for (size_t i = 0; i < recent_items_.size(); ++i) {
    QAction* item = recent_items_[i];
    item->setVisible(i < paths.size());
    if (i >= paths.size()) continue;
    QString shown = metrics.elidedText(FromNativePath(paths[i]), Qt::ElideMiddle,
                                       metrics.averageCharWidth() * kRecentItemChars);
    item->setText(
        QStringLiteral("&%1 %2").arg(i + 1).arg(shown.replace(QLatin1Char('&'), QStringLiteral("&&"))));
    item->setToolTip(FromNativePath(paths[i]));
  }
  recent_menu_->setEnabled(!paths.empty());
}

}  // namespace quillory
