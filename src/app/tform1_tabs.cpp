// The preview tabs and the NFO tab.
#include <QFrame>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/fonts.h"
#include "app/nfo_memo.h"
#include "app/preview_text.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "app/web_preview.h"
#include "text/codepage.h"

namespace quillory {
namespace {

// One control of the NFO toolbar, left to right. A character button inserts its CP437 byte, whose glyph
// is its face.
struct NfoTool {
  enum Kind { kCharacter, kCharacterBold, kLargeBold, kText, kSeparator } kind;
  const char* name;  // empty for a separator
  int width;
  unsigned char byte = 0;               // a character button's byte
  const char* caption = "";             // a text tool's caption
  void (TForm1::*handler)() = nullptr;  // a text tool's handler
};

constexpr auto kBold = NfoTool::kCharacterBold, kPlain = NfoTool::kCharacter;
const NfoTool kNfoToolbar[] = {
    {kBold, "Button31", 17, 0xDA},   // ┌
    {kBold, "Button30", 17, 0xC4},   // ─
    {kBold, "Button29", 17, 0xBF},   // ┐
    {kBold, "Button26", 17, 0xD9},   // ┘
    {kBold, "Button28", 17, 0xB3},   // │
    {kBold, "Button27", 17, 0xC0},   // └
    {kBold, "Button25", 17, 0xC2},   // ┬
    {kBold, "Button24", 17, 0xC1},   // ┴
    {kBold, "Button23", 17, 0xC5},   // ┼
    {kBold, "Button53", 16, 0xC3},   // ├
    {kBold, "Button52", 16, 0xB4},   // ┤
    {kPlain, "Button51", 16, 0xC8},  // ╚
    {kPlain, "Button50", 16, 0xC9},  // ╔
    {kPlain, "Button49", 16, 0xCA},  // ╩
    {kPlain, "Button48", 16, 0xCB},  // ╦
    {kPlain, "Button47", 16, 0xCC},  // ╠
    {kPlain, "Button46", 16, 0xCD},  // ═
    {kPlain, "Button45", 16, 0xCE},  // ╬
    {kPlain, "Button44", 16, 0xB9},  // ╣
    {kPlain, "Button43", 16, 0xBA},  // ║
    {kPlain, "Button42", 16, 0xBB},  // ╗
    {kPlain, "Button41", 16, 0xBC},  // ╝
    {NfoTool::kSeparator, "", 8},
    {kPlain, "Button40", 16, 0xDB},  // █
    {kBold, "Button22", 17, 0xFE},   // ■
    {kBold, "Button21", 17, 0xDC},   // ▄
    {kBold, "Button37", 17, 0xB0},   // ░
    {kBold, "Button36", 17, 0xB1},   // ▒
    {kBold, "Button35", 17, 0xB2},   // ▓
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button34", 17, 0xAE},  // «
    {NfoTool::kLargeBold, "Button33", 17, 0xAF},  // »
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button38", 17, 0, "R", &TForm1::Button38Click},
    {NfoTool::kText, "Button32", 32, 0, "Date", &TForm1::Button32Click},
    {NfoTool::kText, "Button20", 32, 0, "Time", &TForm1::Button20Click},
    {NfoTool::kSeparator, "", 24},
    {NfoTool::kText, "Button39", 56, 0, "Save", &TForm1::Button39Click},
};

constexpr int kToolbarHeight = 25;
constexpr int kToolHeight = 17;

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

QWidget* TForm1::BuildNfoToolbar() {
  auto* toolbar = new QWidget;
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  toolbar->setFixedHeight(kToolbarHeight);
  const int top = (kToolbarHeight - kToolHeight) / 2;
  int x = 0;
  for (const NfoTool& tool : kNfoToolbar) {
    const QRect place(x, top, tool.width, kToolHeight);
    x += tool.width;
    if (tool.kind == NfoTool::kSeparator) {
      auto* line = new QFrame(toolbar);
      line->setFrameShape(QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      line->setGeometry(place);
      continue;
    }
    auto* button = new QToolButton(toolbar);
    button->setObjectName(QString::fromLatin1(tool.name));
    button->setAutoRaise(true);
    button->setGeometry(place);
    if (tool.kind == NfoTool::kCharacter || tool.kind == NfoTool::kCharacterBold) {
      button->setFont(NfoFont(tool.kind == NfoTool::kCharacterBold));
    } else if (tool.kind == NfoTool::kLargeBold) {
      button->setFont(LargeWindowFont(true));
    }
    if (tool.handler) {
      button->setText(QString::fromLatin1(tool.caption));
      On(button, &QAbstractButton::clicked, [this, handler = tool.handler] { (this->*handler)(); });
    } else {
      button->setText(FromUtf8(Cp437ToUtf8(std::string(1, static_cast<char>(tool.byte)))));
      On(button, &QAbstractButton::clicked, [this, byte = tool.byte] { CharacterClick(byte); });
    }
  }
  return toolbar;
}

QWidget* TForm1::BuildPreviewTextTab() {
  auto* memo = new PreviewText;
  preview_text_ = memo;
  memo->setObjectName(QStringLiteral("Memo5"));
  memo->setFont(ConsoleFont());
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return FilledTab(page_control_, memo);
}

QWidget* TForm1::BuildPreviewHtmlTab() {
  // The browser view is created inside this placeholder when it is first needed.
  web_preview_ = new WebPreview(*ports_.shell);
  return FilledTab(page_control_, web_preview_);
}

QWidget* TForm1::BuildNfoTab() {
  auto* memo = new NfoMemo;
  nfo_memo_ = memo;
  memo->setObjectName(QStringLiteral("Memo6"));
  memo->setFont(NfoFont(false));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = memo->palette();
  // Its light background comes with dark text, so that a dark theme's light text does not vanish on it.
  palette.setColor(QPalette::Base, QColor(0xE6, 0xE6, 0xE6));
  palette.setColor(QPalette::Text, Qt::black);
  memo->setPalette(palette);
  QWidget* sheet = FilledTab(page_control_, BuildNfoToolbar());
  sheet->layout()->addWidget(memo);
  return sheet;
}

}  // namespace quillory
