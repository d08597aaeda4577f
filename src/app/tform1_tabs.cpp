// The preview tabs and the NFO tab.
#include <QFrame>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/fonts.h"
#include "app/nfo_memo.h"
#include "app/preview_text.h"
#include "app/web_preview.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "nfo/nfo_tools.h"
#include "text/codepage.h"

namespace quillory {
namespace {

// One control of the NFO toolbar, left to right. A palette button's face is the CP437 glyph of its byte.
struct NfoTool {
  enum Kind { kPalette, kPaletteBold, kLargeBold, kText, kSeparator } kind;
  const char* name;  // empty for a separator
  int width;
  const char* caption = "";  // text tools; a palette button shows the glyph of its byte
};

const NfoTool kNfoToolbar[] = {
    {NfoTool::kPaletteBold, "Button31", 17},
    {NfoTool::kPaletteBold, "Button30", 17},
    {NfoTool::kPaletteBold, "Button29", 17},
    {NfoTool::kPaletteBold, "Button26", 17},
    {NfoTool::kPaletteBold, "Button28", 17},
    {NfoTool::kPaletteBold, "Button27", 17},
    {NfoTool::kPaletteBold, "Button25", 17},
    {NfoTool::kPaletteBold, "Button24", 17},
    {NfoTool::kPaletteBold, "Button23", 17},
    {NfoTool::kPaletteBold, "Button53", 16},
    {NfoTool::kPaletteBold, "Button52", 16},
    {NfoTool::kPalette, "Button51", 16},
    {NfoTool::kPalette, "Button50", 16},
    {NfoTool::kPalette, "Button49", 16},
    {NfoTool::kPalette, "Button48", 16},
    {NfoTool::kPalette, "Button47", 16},
    {NfoTool::kPalette, "Button46", 16},
    {NfoTool::kPalette, "Button45", 16},
    {NfoTool::kPalette, "Button44", 16},
    {NfoTool::kPalette, "Button43", 16},
    {NfoTool::kPalette, "Button42", 16},
    {NfoTool::kPalette, "Button41", 16},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kPalette, "Button40", 16},
    {NfoTool::kPaletteBold, "Button22", 17},
    {NfoTool::kPaletteBold, "Button21", 17},
    {NfoTool::kPaletteBold, "Button37", 17},
    {NfoTool::kPaletteBold, "Button36", 17},
    {NfoTool::kPaletteBold, "Button35", 17},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button34", 17},
    {NfoTool::kLargeBold, "Button33", 17},
    {NfoTool::kSeparator, "", 8},
    {NfoTool::kLargeBold, "Button38", 17, "R"},
    {NfoTool::kText, "Button32", 32, "Date"},
    {NfoTool::kText, "Button20", 32, "Time"},
    {NfoTool::kSeparator, "", 24},
    {NfoTool::kText, "Button39", 56, "Save"},
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
    const size_t position = PalettePosition(tool.name);
    const std::string face(1, position ? static_cast<char>(Palette()[position - 1].byte) : '\0');
    button->setText(position ? FromUtf8(Cp437ToUtf8(face)) : QString::fromLatin1(tool.caption));
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
