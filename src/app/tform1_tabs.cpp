// The preview tabs and the NFO tab.
#include <QFrame>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/fonts.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "text/codepage.h"

namespace quillory {
namespace {

// One control of the NFO toolbar, left to right. A palette button's face is the CP437 glyph of its byte.
struct NfoTool {
  enum Kind { kPalette, kPaletteBold, kLargeBold, kText, kSeparator } kind;
  const char* name;  // empty for a separator
  int width;
  unsigned char byte = 0;    // palette buttons
  const char* caption = "";  // text tools
};

const NfoTool kNfoToolbar[] = {
    {NfoTool::kPaletteBold, "Button31", 17, 0xDA},
    {NfoTool::kPaletteBold, "Button30", 17, 0xC4},
    {NfoTool::kPaletteBold, "Button29", 17, 0xBF},
    {NfoTool::kPaletteBold, "Button26", 17, 0xD9},
    {NfoTool::kPaletteBold, "Button28", 17, 0xB3},
    {NfoTool::kPaletteBold, "Button27", 17, 0xC0},
    {NfoTool::kPaletteBold, "Button25", 17, 0xC2},
    {NfoTool::kPaletteBold, "Button24", 17, 0xC1},
    {NfoTool::kPaletteBold, "Button23", 17, 0xC5},
    {NfoTool::kPaletteBold, "Button53", 16, 0xC3},
    {NfoTool::kPaletteBold, "Button52", 16, 0xB4},
    {NfoTool::kPalette, "Button51", 16, 0xC8},
    {NfoTool::kPalette, "Button50", 16, 0xC9},
    {NfoTool::kPalette, "Button49", 16, 0xCA},
    {NfoTool::kPalette, "Button48", 16, 0xCB},
    {NfoTool::kPalette, "Button47", 16, 0xCC},
    {NfoTool::kPalette, "Button46", 16, 0xCD},
    {NfoTool::kPalette, "Button45", 16, 0xCE},
    {NfoTool::kPalette, "Button44", 16, 0xB9},
    {NfoTool::kPalette, "Button43", 16, 0xBA},
    {NfoTool::kPalette, "Button42", 16, 0xBB},
    {NfoTool::kPalette, "Button41", 16, 0xBC},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kPalette, "Button40", 16, 0xDB},
    {NfoTool::kPaletteBold, "Button22", 17, 0xFE},
    {NfoTool::kPaletteBold, "Button21", 17, 0xDC},
    {NfoTool::kPaletteBold, "Button37", 17, 0xB0},
    {NfoTool::kPaletteBold, "Button36", 17, 0xB1},
    {NfoTool::kPaletteBold, "Button35", 17, 0xB2},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button34", 17, 0xAE},
    {NfoTool::kLargeBold, "Button33", 17, 0xAF},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button38", 17, 0, "R"},
    {NfoTool::kText, "Button32", 32, 0, "Date"},
    {NfoTool::kText, "Button20", 32, 0, "Time"},
    {NfoTool::kSeparator, "", 24},
    {NfoTool::kText, "Button39", 56, 0, "Save"},
};

constexpr int kToolbarHeight = 25;
constexpr int kToolHeight = 17;

QWidget* BuildNfoToolbar() {
  auto* toolbar = new QWidget;
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  toolbar->setFixedHeight(kToolbarHeight);
  const int top = (kToolbarHeight - kToolHeight) / 2;
  int x = 0;
  for (const NfoTool& tool : kNfoToolbar) {
    if (tool.kind == NfoTool::kSeparator) {
      auto* line = new QFrame(toolbar);
      line->setFrameShape(QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      line->setGeometry(x, top, tool.width, kToolHeight);
      x += tool.width;
      continue;
    }
    auto* button = new QToolButton(toolbar);
    button->setObjectName(QString::fromLatin1(tool.name));
    button->setAutoRaise(true);
    button->setGeometry(x, top, tool.width, kToolHeight);
    x += tool.width;
    const bool has_byte = tool.kind != NfoTool::kText && tool.byte != 0;
    button->setText(has_byte ? FromUtf8(Cp437ToUtf8(std::string(1, static_cast<char>(tool.byte))))
                             : QString::fromLatin1(tool.caption));
    if (tool.kind == NfoTool::kPalette || tool.kind == NfoTool::kPaletteBold) {
      button->setFont(NfoFont(tool.kind == NfoTool::kPaletteBold));
    } else if (tool.kind == NfoTool::kLargeBold) {
      button->setFont(LargeWindowFont(true));
    }
  }
  return toolbar;
}

// A tab whose content fills it.
QWidget* FilledTab(QWidget* parent, QWidget* content) {
  auto* sheet = new QWidget(parent);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(content);
  return sheet;
}

}  // namespace

QWidget* TForm1::BuildPreviewTextTab() {
  auto* memo = new QPlainTextEdit;
  memo->setObjectName(QStringLiteral("Memo5"));
  memo->setReadOnly(true);
  memo->setFont(ConsoleFont());
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return FilledTab(page_control_, memo);
}

QWidget* TForm1::BuildPreviewHtmlTab() {
  // The browser view is created inside this placeholder when it is first needed.
  auto* browser = new QWidget;
  browser->setObjectName(QStringLiteral("WebBrowser1"));
  auto* layout = new QVBoxLayout(browser);
  layout->setContentsMargins(0, 0, 0, 0);
  return FilledTab(page_control_, browser);
}

QWidget* TForm1::BuildNfoTab() {
  auto* memo = new QPlainTextEdit;
  memo->setObjectName(QStringLiteral("Memo6"));
  memo->setFont(NfoFont(false));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, QColor(0xE6, 0xE6, 0xE6));
  memo->setPalette(palette);
  QWidget* sheet = FilledTab(page_control_, BuildNfoToolbar());
  sheet->layout()->addWidget(memo);
  return sheet;
}

}  // namespace quillory
